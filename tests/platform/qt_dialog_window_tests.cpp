// CQtDialogWindow: controls built from a template, and the user's keys,
// clicks and date changes reaching the handler as the window logic expects.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWheelEvent>
#include <vector>

#include "platform/dialog.h"
#include "platform/modal_choices.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_images.h"
#include "platform/qt/qt_ui_services.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"

namespace gestalia {
namespace {

constexpr int kEdit = 10;
constexpr int kNotes = 11;     // multi-line, Enter breaks lines
constexpr int kReadOnly = 12;  // multi-line, Enter is the window's
constexpr int kDate = 13;
constexpr int kButton = 14;
constexpr int kLabel = 15;
constexpr int kPicture = 16;
constexpr int kRadio = 17;
constexpr int kCheck = 18;

CDialogTemplate TestTemplate() {
    CDialogTemplate t;
    t.id = 77;
    t.strCaption = "Prueba";
    t.cx = 200;
    t.cy = 150;
    t.controls = {
        {IDOK, ControlKind::PushButton, "OK", kStyleDefault, {140, 5, 50, 14}},
        {IDCANCEL, ControlKind::PushButton, "Cancelar", kStyleNone, {140, 22, 50, 14}},
        {kEdit, ControlKind::Edit, "uno", kStyleNone, {5, 5, 100, 12}},
        {kNotes, ControlKind::Edit, "", kStyleMultiLine | kStyleWantReturn, {5, 20, 100, 30}},
        {kReadOnly,
         ControlKind::Edit,
         "a\r\nb",
         kStyleMultiLine | kStyleReadOnly | kStyleCentre,
         {5, 55, 100, 30}},
        {kDate, ControlKind::DatePicker, "", kStyleNone, {5, 90, 100, 12}},
        {kButton, ControlKind::PushButton, "Botón", kStyleHidden, {5, 105, 50, 14}},
        {IDC_STATIC,
         ControlKind::Static,
         "Etiqueta",
         kStyleCentre | kStyleVCentre,
         {60, 105, 60, 14}},
        {kLabel, ControlKind::Static, "Otra", kStyleNone, {60, 125, 60, 14}},
        {kPicture, ControlKind::PushButton, "Imagen", kStyleBitmap, {140, 40, 40, 40}},
        {kRadio, ControlKind::RadioButton, "Radio", kStyleNone, {140, 90, 50, 10}},
        {kCheck, ControlKind::CheckBox, "Casilla", kStyleNone, {140, 105, 50, 10}},
    };
    return t;
}

class CRecorder : public CDialog {
  public:
    void OnCommand(int id) override {
        commands.push_back(id);
        CDialog::OnCommand(id);
    }
    void OnDateChanged(int id) override { dates.push_back(id); }
    void OnLButtonDown(Point pt) override { presses.push_back(pt); }
    void OnSysCommand(int n) override { sys.push_back(n); }
    void OnClose() override {
        ++closes;
        if (!bRefuseClose) {
            CDialog::OnClose();
        }
    }
    std::optional<CCtlColor> OnCtlColor(int id) override {
        if (id == kLabel) {
            return CCtlColor{RGB(238, 62, 115), RGB(253, 190, 209)};
        }
        return std::nullopt;
    }
    std::vector<int> commands, dates, sys;
    int closes = 0;
    bool bRefuseClose = false;
    std::vector<Point> presses;
};

class QtDialogWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.Initialise();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <class T>
    T* Child(const QString& name) {
        return window.findChild<T*>(name);
    }

    CRecorder handler;
    CQtDialogWindow window{TestTemplate(), handler};
};

TEST_F(QtDialogWindowTest, NamesEveryControlAndPlacesItInPixels) {
    EXPECT_NE(Child<QPushButton>("ctl_1"), nullptr);
    EXPECT_NE(Child<QLineEdit>("ctl_10"), nullptr);
    EXPECT_NE(Child<QTextEdit>("ctl_11"), nullptr);
    EXPECT_NE(Child<QDateEdit>("ctl_13"), nullptr);
    EXPECT_NE(Child<QLabel>("ctl_static_0"), nullptr);
    EXPECT_NE(Child<QRadioButton>("ctl_17"), nullptr);
    EXPECT_EQ(window.GetControlRect(kEdit), (Rect{7, 8, 157, 27}));
    EXPECT_EQ(window.GetClientSize(), (Size{300, 243}));
    EXPECT_FALSE(window.IsControlVisible(kButton));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Prueba"));
}

TEST_F(QtDialogWindowTest, TextsRoundTripWithLineBreaksAsInTheAgenda) {
    EXPECT_EQ(window.GetControlText(kReadOnly), "a\r\nb");
    EXPECT_EQ(Child<QTextEdit>("ctl_12")->toPlainText(), QStringLiteral("a\nb"));
    window.SetControlText(kEdit, "señora");
    EXPECT_EQ(window.GetControlText(kEdit), "señora");
    window.SetControlText(kPicture, "Otra imagen");
    EXPECT_EQ(window.GetControlText(kPicture), "Otra imagen");
    EXPECT_EQ(window.GetControlText(IDC_STATIC), "Etiqueta");
}

TEST_F(QtDialogWindowTest, EscapeIsCancel) {
    QTest::keyClick(Child<QLineEdit>("ctl_10"), Qt::Key_Escape);
    EXPECT_EQ(handler.commands, std::vector<int>{IDCANCEL});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(QtDialogWindowTest, EnterInALineEditIsTheDefaultButton) {
    QTest::keyClick(Child<QLineEdit>("ctl_10"), Qt::Key_Return);
    EXPECT_EQ(handler.commands, std::vector<int>{IDOK});
}

TEST_F(QtDialogWindowTest, EnterBreaksTheLineOnlyInAWantReturnEdit) {
    auto* notes = Child<QTextEdit>("ctl_11");
    notes->setFocus();
    QTest::keyClicks(notes, "uno");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "dos");
    EXPECT_TRUE(handler.commands.empty());
    EXPECT_EQ(window.GetControlText(kNotes), "uno\r\ndos");

    QTest::keyClick(Child<QTextEdit>("ctl_12"), Qt::Key_Return);
    EXPECT_EQ(handler.commands, std::vector<int>{IDOK});
    EXPECT_EQ(window.GetControlText(kReadOnly), "a\r\nb");
}

TEST_F(QtDialogWindowTest, OnlyTheUsersDateChangesAreReported) {
    window.SetDate(kDate, CDateValue(2027, 1, 1, 9, 30, 0));
    EXPECT_TRUE(handler.dates.empty());
    EXPECT_EQ(window.GetDate(kDate), CDateValue(2027, 1, 1, 9, 30, 0));
    auto* picker = Child<QDateEdit>("ctl_13");
    EXPECT_EQ(picker->text(), QStringLiteral("01/01/2027"));
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Up);  // the day field moves on
    EXPECT_EQ(handler.dates, std::vector<int>{kDate});
    EXPECT_EQ(window.GetDate(kDate), CDateValue(2027, 1, 2, 9, 30, 0));
}

// Choosing the date the box already shows sends no change of its own; it is
// reported all the same, from the pop-up calendar or with Enter in the box.
TEST_F(QtDialogWindowTest, ChoosingTheShownDateIsReported) {
    window.SetDate(kDate, CDateValue(2027, 1, 1));
    auto* picker = Child<QDateEdit>("ctl_13");
    // She opens the pop-up with its arrow, at the box's right end.
    QTest::mouseClick(picker, Qt::LeftButton, {},
                      QPoint(picker->width() - 4, picker->height() / 2));
    emit picker->calendarWidget()->clicked(picker->date());
    EXPECT_EQ(handler.dates, std::vector<int>{kDate});
    emit picker->calendarWidget()->activated(picker->date());
    EXPECT_EQ(handler.dates, (std::vector<int>{kDate, kDate}));
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_EQ(handler.dates, (std::vector<int>{kDate, kDate, kDate}));
    EXPECT_EQ(window.GetDate(kDate), CDateValue(2027, 1, 1));
}

// F4, or Alt with the down arrow, opens the pop-up, as on Windows, and
// moves no date.
TEST_F(QtDialogWindowTest, TheKeyboardOpensThePopUp) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_F4, Qt::NoModifier},
                                                              {Qt::Key_Down, Qt::AltModifier}};
    window.SetDate(kDate, CDateValue(2027, 1, 1));
    auto* picker = Child<QDateEdit>("ctl_13");
    for (const auto& [key, modifiers] : keys) {
        SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString());
        picker->setFocus();
        QTest::keyClick(picker, key, modifiers);
        const QCalendarWidget* popup = picker->findChild<QCalendarWidget*>();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->isVisible());
        popup->window()->close();
    }
    EXPECT_TRUE(handler.dates.empty());
    EXPECT_EQ(window.GetDate(kDate), CDateValue(2027, 1, 1));
}

// The wheel moves the date only in the box she is typing in.
TEST_F(QtDialogWindowTest, TheWheelChangesNoDateInABoxWithoutFocus) {
    window.SetDate(kDate, CDateValue(2027, 1, 1));
    auto* picker = Child<QDateEdit>("ctl_13");
    const auto turn = [picker] {
        const QPointF at(picker->width() / 2.0, picker->height() / 2.0);
        QWheelEvent wheel(at, picker->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picker, &wheel);
    };
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Child<QLineEdit>("ctl_10")->setFocus();
    for (int i = 0; i < 3; ++i) {
        turn();
    }
    EXPECT_FALSE(picker->hasFocus());
    EXPECT_TRUE(handler.dates.empty());
    EXPECT_EQ(window.GetDate(kDate), CDateValue(2027, 1, 1));

    // In the box she typed in, the wheel and the arrows work as in any date box.
    picker->setFocus();
    ASSERT_TRUE(picker->hasFocus());
    turn();
    QTest::keyClick(picker, Qt::Key_Up);
    EXPECT_EQ(handler.dates, (std::vector<int>{kDate, kDate}));
    EXPECT_EQ(window.GetDate(kDate), CDateValue(2027, 1, 3));
}

// The close box asks the handler; a handler that does not end the run keeps
// the window open.
TEST_F(QtDialogWindowTest, TheCloseBoxClosesOnlyWhenTheHandlerEndsTheRun) {
    handler.bRefuseClose = true;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    handler.bRefuseClose = false;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(handler.closes, 2);
    EXPECT_EQ(handler.commands, std::vector<int>{IDCANCEL});
}

TEST(QtDialogWindowLifeTest, TheHandlerForgetsTheWindowWhenItGoes) {
    CRecorder handler;
    {
        CQtDialogWindow window{TestTemplate(), handler};
        window.Initialise();
        EXPECT_EQ(handler.Window(), &window);
    }
    EXPECT_EQ(handler.Window(), nullptr);
}

TEST_F(QtDialogWindowTest, ClicksOnStaticsReachTheWindow) {
    QWidget* label = Child<QLabel>("ctl_static_0");
    const QPoint centre = label->geometry().center();
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, centre);
    ASSERT_EQ(handler.presses.size(), 1u);
    EXPECT_EQ(handler.presses[0], (Point{centre.x(), centre.y()}));
}

TEST_F(QtDialogWindowTest, ButtonsAndRadiosAreCommands) {
    QTest::mouseClick(Child<QRadioButton>("ctl_17"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>("ctl_16"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>("ctl_18"), Qt::LeftButton);
    EXPECT_EQ(handler.commands, (std::vector<int>{kRadio, kPicture, kCheck}));
    EXPECT_TRUE(window.GetCheck(kRadio));
    window.SetCheck(kRadio, false);
    EXPECT_FALSE(window.GetCheck(kRadio));
    EXPECT_TRUE(window.GetCheck(kCheck));
    EXPECT_EQ(window.GetControlText(kCheck), "Casilla");
    window.SetCheck(kCheck, false);
    EXPECT_FALSE(window.GetCheck(kCheck));
}

TEST_F(QtDialogWindowTest, ControlColoursComeFromTheHandler) {
    const QPalette pal = Child<QLabel>("ctl_15")->palette();
    EXPECT_EQ(pal.color(QPalette::WindowText), QColor(238, 62, 115));
    EXPECT_EQ(pal.color(QPalette::Window), QColor(253, 190, 209));
    EXPECT_TRUE(Child<QLabel>("ctl_15")->autoFillBackground());
}

TEST_F(QtDialogWindowTest, SystemMenuEntriesCallOnSysCommand) {
    window.AppendSystemMenu("&About Gestalia...", 16);
    ASSERT_EQ(window.SystemMenuActions().size(), 1u);
    EXPECT_EQ(window.SystemMenuActions()[0]->text(), QStringLiteral("&About Gestalia..."));
    window.SystemMenuActions()[0]->trigger();
    EXPECT_EQ(handler.sys, std::vector<int>{16});
}

TEST_F(QtDialogWindowTest, BitmapButtonsShowTheirPicture) {
    window.SetButtonBitmap(kPicture, 131);
    const QIcon icon = Child<QPushButton>("ctl_16")->icon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(Child<QPushButton>("ctl_16")->iconSize(), QSize(48, 48));
}

struct DefaultCase {
    MbButtons buttons;
    MbDefault defaultButton;
    Qt::Key key;
    int answer;
};

class QtMessageBoxTest : public ::testing::TestWithParam<DefaultCase> {};

// Enter takes the question's default answer, Escape the harmless one.
TEST_P(QtMessageBoxTest, KeysTakeTheAnswersTheQuestionNames) {
    CQtUiServices ui;
    bool bFound = false;
    QStringList words;
    QTimer::singleShot(0, [&bFound, &words] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
                bFound = true;
                for (const QAbstractButton* button : box->buttons()) {
                    words << button->text();
                }
                QTest::keyClick(box, GetParam().key);
            }
        }
    });
    const DefaultCase& c = GetParam();
    EXPECT_EQ(ui.MessageBox("¿Desea reemplazarlo?", "Prueba", c.buttons, MbIcon::Question,
                            c.defaultButton),
              c.answer);
    EXPECT_TRUE(bFound);
    // In Spanish with no translation of Qt's loaded, as in this test.
    QStringList expected;
    for (const CChoice& choice : MessageChoices(c.buttons)) {
        expected << QString::fromUtf8(choice.strText.data(),
                                      static_cast<qsizetype>(choice.strText.size()));
    }
    words.sort();
    expected.sort();
    EXPECT_EQ(words, expected);
}

// The file dialogs have a title of their own and Spanish words, whatever
// Qt's translations say.
TEST(QtFileDialogTest, HasItsTitleAndSpanishWords) {
    CQtUiServices ui;
    QString title;
    QString accept;
    QString reject;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w);
                dialog != nullptr && dialog->isVisible()) {
                title = dialog->windowTitle();
                accept = dialog->labelText(QFileDialog::Accept);
                reject = dialog->labelText(QFileDialog::Reject);
                dialog->reject();
            }
        }
    });
    CFileDialogSpec spec;
    spec.strTitle = "Abrir agenda";
    spec.filters = {{"Agendas Brotela", "*.gst"}};
    EXPECT_FALSE(ui.GetOpenFileName(spec).has_value());
    EXPECT_EQ(title, QStringLiteral("Abrir agenda"));
    EXPECT_EQ(accept, QStringLiteral("Abrir"));
    EXPECT_EQ(reject, QStringLiteral("Cancelar"));
}

INSTANTIATE_TEST_SUITE_P(
    Questions, QtMessageBoxTest,
    ::testing::Values(
        DefaultCase{MbButtons::YesNo, MbDefault::Second, Qt::Key_Return, IDNO},
        DefaultCase{MbButtons::YesNo, MbDefault::First, Qt::Key_Return, IDYES},
        DefaultCase{MbButtons::YesNoCancel, MbDefault::Third, Qt::Key_Return, IDCANCEL},
        DefaultCase{MbButtons::YesNoCancel, MbDefault::First, Qt::Key_Escape, IDCANCEL},
        DefaultCase{MbButtons::Ok, MbDefault::First, Qt::Key_Return, IDOK}));

TEST(QtImagesTest, EveryPictureIsEmbeddedAtItsSize) {
    EXPECT_EQ(BitmapPixmap(131).size(), QSize(48, 48));
    EXPECT_EQ(BitmapPixmap(132).size(), QSize(48, 48));
    EXPECT_EQ(BitmapPixmap(138).size(), QSize(64, 64));
    EXPECT_EQ(BitmapPixmap(139).size(), QSize(100, 100));
    EXPECT_EQ(BitmapPixmap(195).size(), QSize(32, 16));
    EXPECT_TRUE(BitmapPixmap(999).isNull());
    EXPECT_FALSE(ProgramIcon().isNull());
}

TEST(QtImagesTest, ArrowsArePinkOnGrey) {
    const QImage left = BitmapPixmap(131).toImage();
    EXPECT_EQ(left.pixelColor(1, 1), QColor(192, 192, 192));
    EXPECT_EQ(left.pixelColor(28, 24), QColor(238, 62, 115));
}

TEST(QtImagesTest, TheItemStripIsTransparentWhereItIsGreen) {
    const QImage strip = MaskedStrip(195).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(strip.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(strip.pixel(31, 15)), 0);
    EXPECT_EQ(qAlpha(strip.pixel(23, 7)), 255);  // the clock's face
}

struct NamedBox {
    int id;
    const char* name;
};

class QtDialogBoxNames : public ::testing::TestWithParam<NamedBox> {};

// Screen readers read a box of the note editor by its label, the low
// pressure's too, whose label is not shown.
TEST_P(QtDialogBoxNames, TheEditorsBoxesAreNamedByTheirLabels) {
    CRecorder handler;
    CQtDialogWindow window(DateItemDialogTemplate(), handler);
    window.Initialise();
    QWidget* box = window.findChild<QWidget*>(QStringLiteral("ctl_%1").arg(GetParam().id));
    ASSERT_NE(box, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(NoteEditor, QtDialogBoxNames,
                         ::testing::Values(NamedBox{IDC_ITEM_WEIGHT, "Peso (Kg)"},
                                           NamedBox{IDC_ITEM_SYSTOLIC, "Tensión arterial"},
                                           NamedBox{IDC_ITEM_DIASTOLIC,
                                                    "Tensión diastólica (la baja)"},
                                           NamedBox{IDC_ITEM_FUNDAL_HEIGHT, "Altura uterina (cm)"},
                                           NamedBox{IDC_ITEM_HEART_RATE, "Latido fetal (lpm)"},
                                           NamedBox{IDC_ITEM_OEDEMA, "Edemas"}));

}  // namespace
}  // namespace gestalia
