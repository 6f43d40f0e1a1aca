// The notes on the real Qt windows (offscreen): a double-click on a day of the
// calendar opens the note editor, typing and OK save the agenda file; the
// weight chart paints its dots. Modal dialogs are acted on from a timer that
// polls for them, with a deadline, so no test can hang.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cal_ctrl_dlg.h"
#include "calendar/cell_data.h"
#include "calendar/month_layout.h"
#include "content/day_links.h"
#include "model/agenda_file.h"
#include "model/agenda_merge.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_draw_surface.h"
#include "platform/qt/qt_ui_services.h"
#include "platform/qt/whole_line_text_edit.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "resources/main_texts.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using test::CTempDir;
using test::ReadAll;
using test::WriteAll;

// Message boxes answered OK or yes, and recorded; no file dialog is expected.
class CRecordingAnswers final : public IModalAnswers {
  public:
    int MessageBox(std::string_view text, std::string_view, MbButtons buttons, MbIcon,
                   MbDefault) override {
        m_texts.emplace_back(text);
        return buttons == MbButtons::YesNo ? IDYES : IDOK;
    }
    std::optional<std::string> GetSaveFileName(const CFileDialogSpec&) override {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
    std::optional<std::string> GetOpenFileName(const CFileDialogSpec&) override {
        ADD_FAILURE() << "unexpected open dialog";
        return std::nullopt;
    }
    const std::vector<std::string>& Texts() const { return m_texts; }

  private:
    std::vector<std::string> m_texts;
};

// Acts once on the next modal dialog that appears. Should none appear, or
// should the action leave it open, the dialog is rejected at the deadline and
// the test fails.
class CModalDriver {
  public:
    using Action = std::function<void(QDialog&)>;

    explicit CModalDriver(Action action,
                          std::chrono::milliseconds deadline = std::chrono::seconds(10))
        : m_action(std::move(action)), m_deadline(deadline) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }
    ~CModalDriver() { m_timer.stop(); }
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    bool Acted() const { return m_bActed; }

  private:
    void Poll() {
        m_elapsed += std::chrono::milliseconds(m_timer.interval());
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (m_elapsed > m_deadline) {
            if (modal != nullptr) {
                ADD_FAILURE() << "a modal dialog was still open at the deadline: "
                              << modal->windowTitle().toStdString();
                modal->reject();
            }
            m_timer.stop();
            return;
        }
        if (modal == nullptr || !modal->isVisible() || m_bActed) {
            return;
        }
        m_bActed = true;
        m_action(*modal);
    }

    Action m_action;
    std::chrono::milliseconds m_deadline;
    std::chrono::milliseconds m_elapsed{0};
    QTimer m_timer;
    bool m_bActed = false;
};

template <class T>
T* Child(QWidget& parent, int id) {
    return parent.findChild<T*>(QString("ctl_%1").arg(id));
}

class NotesQtTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.ok());
        m_path = m_dir.File("agenda.gst");
        // An agenda with no notes; the last period on 1 January 2027.
        CAgendaData data;
        data.dtLastPeriod = CDateValue(2027, 1, 1, 0, 0, 0);
        Result<std::string> bytes = SerializeAgenda(data);
        ASSERT_TRUE(bytes.ok());
        WriteAll(m_path, bytes.value());
    }

    CTempDir m_dir;
    std::string m_path;
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 10, 12, 0, 0)};
    CGlobals m_globals;
    CRecordingAnswers m_answers;
    CQtUiServices m_ui{&m_answers};
    CQtUiMetrics m_metrics;
};

TEST_F(NotesQtTest, DoubleClickOnADayTypeANoteAndOkSavesIt) {
    m_globals.szAgendaPath = m_path;
    CCalCtrlDlg dlg(m_globals, m_ui, m_metrics, m_clock);
    CQtDialogWindow window(MainDialogTemplate(), dlg);
    window.Initialise();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QWidget* calendar = window.ControlWidget(IDC_CALENDAR);
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(calendar->isVisible());
    // The cells get their rectangles from a paint.
    static_cast<void>(calendar->grab());
    const CWVCellData* cell = dlg.Calendar().FindCell(CDateValue(2027, 3, 17, 0, 0, 0));
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->m_dtDate, CDateValue(2027, 3, 17, 0, 0, 0));
    ASSERT_FALSE(cell->m_rcCell.IsEmpty());
    const QPoint where((cell->m_rcCell.left + cell->m_rcCell.right) / 2,
                       (cell->m_rcCell.top + cell->m_rcCell.bottom) / 2);

    std::string caption;
    bool bBorrarVisible = true;
    CModalDriver driver([&](QDialog& editor) {
        caption = editor.windowTitle().toStdString();
        bBorrarVisible = Child<QWidget>(editor, IDC_ITEM_DELETE) != nullptr &&
                         Child<QWidget>(editor, IDC_ITEM_DELETE)->isVisible();
        QWidget* text = Child<QWidget>(editor, IDC_ITEM_TEXT);
        auto* weight = Child<QLineEdit>(editor, IDC_ITEM_WEIGHT);
        auto* ok = Child<QPushButton>(editor, IDOK);
        if (text == nullptr || weight == nullptr || ok == nullptr) {
            ADD_FAILURE() << "the editor lacks its note, weight or OK control";
            editor.reject();
            return;
        }
        text->setFocus();
        // keyClicks takes ASCII only; the accent comes as its own key.
        QTest::keyClicks(text, "Revisi");
        QTest::sendKeyEvent(QTest::Click, text, Qt::Key_Oacute, QStringLiteral("ó"),
                            Qt::NoModifier);
        QTest::keyClicks(text, "n semana 11");
        weight->setFocus();
        weight->selectAll();
        QTest::keyClicks(weight, "62,5");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    // As the desktop delivers a double-click: press, release, then the
    // double-click in place of the second press, and its release.
    QTest::mousePress(calendar, Qt::LeftButton, Qt::NoModifier, where);
    QTest::mouseRelease(calendar, Qt::LeftButton, Qt::NoModifier, where);
    QTest::mouseDClick(calendar, Qt::LeftButton, Qt::NoModifier, where);
    QTest::mouseRelease(calendar, Qt::LeftButton, Qt::NoModifier, where);

    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(caption, "Añadir anotación - 17/03/2027");
    EXPECT_FALSE(bBorrarVisible);
    EXPECT_TRUE(m_answers.Texts().empty());

    Result<CAgendaData> saved = ParseAgenda(ReadAll(m_path));
    ASSERT_TRUE(saved.ok()) << saved.error().message;
    ASSERT_EQ(saved.value().items.size(), 1u);
    const CAgendaRecord& note = saved.value().items[0];
    EXPECT_EQ(note.strText, "Revisión semana 11");
    EXPECT_EQ(note.fWeight, 62.5f);
    EXPECT_EQ(note.dtFrom, CDateValue(2027, 3, 17, 0, 0, 0));
    EXPECT_EQ(note.dtTo, CDateValue(2027, 3, 17, 0, 0, 0));
    EXPECT_EQ(note.nImage, 1);
    window.hide();
}

TEST_F(NotesQtTest, TheChartPaintsAPinkDotAt55PercentOfTheHeight) {
    m_globals.dtLastPeriod = CDateValue(2027, 1, 1, 0, 0, 0);
    CCalCtrlDlg dlg(m_globals, m_ui, m_metrics, m_clock);
    // Day 100 of pregnancy, 65.5 kg: the scale runs from 60 to 70.
    CDateValue day100 = m_globals.dtLastPeriod;
    day100.AddDays(100.0);
    static_cast<void>(dlg.Calendar().AddItem(day100, day100, "Peso", 1, 65.5f));

    QImage image;
    QRect area;
    std::vector<std::string> labels;
    CModalDriver driver([&](QDialog& chart) {
        image = chart.grab().toImage();
        if (QWidget* frame = Child<QWidget>(chart, IDC_CHART_AREA)) {
            area = frame->geometry();
        }
        for (int id : {IDC_CHART_TOP, IDC_CHART_BOTTOM, IDC_CHART_LOWER, IDC_CHART_UPPER}) {
            auto* label = Child<QLabel>(chart, id);
            labels.push_back(label != nullptr ? label->text().toStdString() : "?");
        }
        if (auto* ok = Child<QPushButton>(chart, IDOK)) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            chart.reject();
        }
    });
    dlg.OnWeightChart();

    ASSERT_TRUE(driver.Acted());
    EXPECT_EQ(labels, (std::vector<std::string>{"70,0 kg", "60,0 kg", "63,3 kg", "66,7 kg"}));
    ASSERT_FALSE(image.isNull());
    ASSERT_FALSE(area.isEmpty());
    const double scale = image.devicePixelRatio();
    const double x = area.left() + area.width() * (100 / 294.0);
    const double yBottom = area.top() + area.height();
    const double y = yBottom - 0.55 * area.height();

    const QColor pink(238, 62, 115);
    auto pixel = [&](int px, int py) {
        return image.pixelColor(static_cast<int>(px * scale), static_cast<int>(py * scale));
    };
    int pinkPixels = 0;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            if (pixel(static_cast<int>(x) + dx, static_cast<int>(y) + dy) == pink) {
                ++pinkPixels;
            }
        }
    }
    EXPECT_GE(pinkPixels, 8) << "around (" << x << ", " << y << ")";
    // Away from the dot and the grid lines the plotting area is white.
    EXPECT_EQ(pixel(static_cast<int>(x) + 20, static_cast<int>(y) + 5), QColor(Qt::white));
    // No other dot: the left half of the area holds no pink.
    int strayPink = 0;
    for (int py = area.top() + 2; py < area.bottom() - 2; ++py) {
        for (int px = area.left() + 2; px < static_cast<int>(x) - 6; ++px) {
            strayPink += pixel(px, py) == pink ? 1 : 0;
        }
    }
    EXPECT_EQ(strayPink, 0);
}

// The main window with the agenda of the fixture open, shown.
class MainWindowQtTest : public NotesQtTest {
  protected:
    void SetUp() override {
        NotesQtTest::SetUp();
        m_globals.szAgendaPath = m_path;
        m_dlg = std::make_unique<CCalCtrlDlg>(m_globals, m_ui, m_metrics, m_clock);
        m_window = std::make_unique<CQtDialogWindow>(MainDialogTemplate(), *m_dlg);
        m_window->Initialise();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_calendar = m_window->ControlWidget(IDC_CALENDAR);
        ASSERT_NE(m_calendar, nullptr);
        static_cast<void>(m_calendar->grab());  // the paint lays the cells out
    }
    void TearDown() override { m_window->hide(); }

    CAgendaData Saved() {
        Result<CAgendaData> saved = ParseAgenda(ReadAll(m_path));
        EXPECT_TRUE(saved.ok());
        return saved.ok() ? saved.value() : CAgendaData{};
    }
    // Types into the note editor's text and presses OK.
    static void WriteNote(QDialog& editor, const char* text) {
        auto* note = Child<QTextEdit>(editor, IDC_ITEM_TEXT);
        auto* ok = Child<QPushButton>(editor, IDOK);
        if (note == nullptr || ok == nullptr) {
            ADD_FAILURE() << "the editor lacks its note or OK control";
            editor.reject();
            return;
        }
        note->setFocus();
        note->selectAll();
        QTest::keyClicks(note, text);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    std::unique_ptr<CCalCtrlDlg> m_dlg;
    std::unique_ptr<CQtDialogWindow> m_window;
    QWidget* m_calendar = nullptr;
};

TEST_F(MainWindowQtTest, TheKeyboardAloneAddsChangesAndDeletesANote) {
    // Escape does not end the main window.
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_TRUE(m_window->isVisible());

    QTest::keyClick(m_calendar, Qt::Key_Right);  // from today, 10 March
    EXPECT_EQ(Child<QLabel>(*m_window, IDC_DAY_TEXT)->text().toStdString(), "11 de Marzo de 2027");

    std::string added;
    {
        CModalDriver driver([&](QDialog& editor) {
            added = editor.windowTitle().toStdString();
            WriteNote(editor, "Eco");
        });
        QTest::keyClick(m_calendar, Qt::Key_Return);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(added, "Añadir anotación - 11/03/2027");
    ASSERT_EQ(Saved().items.size(), 1u);
    EXPECT_EQ(Saved().items[0].strText, "Eco");
    EXPECT_EQ(Saved().items[0].dtFrom, CDateValue(2027, 3, 11));

    std::string changed;
    {
        CModalDriver driver([&](QDialog& editor) {
            changed = editor.windowTitle().toStdString();
            WriteNote(editor, "Eco doppler");
        });
        QTest::keyClick(m_calendar, Qt::Key_F2);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(changed, "Modificar anotación - 11/03/2027");
    ASSERT_EQ(Saved().items.size(), 1u);
    EXPECT_EQ(Saved().items[0].strText, "Eco doppler");

    QTest::keyClick(m_calendar, Qt::Key_Delete);  // answered yes
    EXPECT_EQ(m_answers.Texts(), std::vector<std::string>{"¿Desea borrar esta anotación?"});
    EXPECT_TRUE(Saved().items.empty());
}

TEST_F(MainWindowQtTest, PageDownMovesTheMonthAndItsTitle) {
    QTest::keyClick(m_calendar, Qt::Key_PageDown);
    QTest::keyClick(m_calendar, Qt::Key_PageDown);
    EXPECT_EQ(Child<QLabel>(*m_window, IDC_MONTH_TEXT)->text().toStdString(), "Mayo 2027");
    EXPECT_EQ(m_dlg->Calendar().GetChosenDay(), CDateValue(2027, 5, 10));
    EXPECT_EQ(m_dlg->Shown().GetMonth(), 5);
}

// Closes any popup menu at once and remembers that one opened.
class CPopupCloser {
  public:
    CPopupCloser() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                m_bSeen = true;
                popup->close();
            }
        });
        m_timer.start();
    }
    bool Seen() const { return m_bSeen; }

  private:
    QTimer m_timer;
    bool m_bSeen = false;
};

TEST_F(MainWindowQtTest, ARightClickReachesTheCalendarAndElsewhereOpensTheMenu) {
    // Three notes on 17 March: one line and the "more" marker.
    for (const char* text : {"uno", "dos", "tres"}) {
        static_cast<void>(m_dlg->Calendar().AddItem(CDateValue(2027, 3, 17),
                                                    CDateValue(2027, 3, 17), text, 1, 0.0f));
    }
    static_cast<void>(m_calendar->grab());
    const Rect marker = m_dlg->Calendar().FindCell(CDateValue(2027, 3, 17))->m_rcMarker;
    ASSERT_FALSE(marker.IsEmpty());
    const QPoint onMarker = m_calendar->mapTo(
        m_window.get(), QPoint((marker.left + marker.right) / 2, (marker.top + marker.bottom) / 2));
    QWindow* handle = m_window->windowHandle();
    ASSERT_NE(handle, nullptr);

    CPopupCloser popups;
    {
        // Through the window, as the desktop delivers it: the press and
        // release on the marker open the editor as a double-click does.
        CModalDriver driver([](QDialog& editor) { editor.reject(); });
        QTest::mousePress(handle, Qt::RightButton, Qt::NoModifier, onMarker);
        QTest::mouseRelease(handle, Qt::RightButton, Qt::NoModifier, onMarker);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_FALSE(popups.Seen());

    // Between "Peso" and "Salir" the window's own menu opens.
    const QPoint outside(50, m_window->height() - 55);
    QTest::mousePress(handle, Qt::RightButton, Qt::NoModifier, outside);
    QTest::mouseRelease(handle, Qt::RightButton, Qt::NoModifier, outside);
    QTest::qWait(50);
    EXPECT_TRUE(popups.Seen());
}

TEST_F(MainWindowQtTest, AtItsLeastSizeEveryControlShowsWhole) {
    m_window->resize(300, 200);
    QApplication::processEvents();
    const Size least = MinimumClientSize(m_metrics.ScrollBarWidth());
    EXPECT_EQ(m_window->size(), QSize(least.cx, least.cy));

    // Texts in the panel font, the longest of each kind.
    const auto fits = [](QWidget* w, const QString& text, int margins) {
        const int need = QFontMetrics(w->font()).horizontalAdvance(text) + margins;
        EXPECT_LE(need, w->width()) << w->objectName().toStdString() << ": " << text.toStdString();
    };
    fits(Child<QWidget>(*m_window, IDC_DUE_DATE), "Fecha probable de parto: 28/09/2027", 8);
    fits(Child<QWidget>(*m_window, IDC_DAYS_LEFT), "Quedan -288 días para ver a tu bebé", 8);
    fits(Child<QWidget>(*m_window, IDC_WEEKS), "Estás de -41 semanas y -6 días", 8);
    fits(Child<QWidget>(*m_window, IDC_DAY_TEXT), "30 de Septiembre de 2027", 0);
    fits(Child<QWidget>(*m_window, IDC_MONTH_TEXT), "Septiembre 2027", 0);
    fits(Child<QWidget>(*m_window, IDC_HINT), "* Doble click sobre el día para añadir una nota", 0);
    // What was taken in from elsewhere, the longest lines of each kind.
    const auto takenIn = [](std::size_t added, std::size_t removed, bool date, bool dating) {
        CAgendaMerge merge;
        merge.nTakenIn = added;
        merge.nRemovedThere = removed;
        merge.bTheirLastPeriod = date;
        merge.bTheirExtension = dating;
        return QString::fromStdString(TakenInText(merge));
    };
    for (const QString& line :
         {takenIn(88, 88, false, false), takenIn(0, 88, false, false), takenIn(0, 0, true, true),
          takenIn(88, 88, true, true),
          QString::fromUtf8(kKeptApartText.data(), static_cast<int>(kKeptApartText.size()))}) {
        fits(Child<QWidget>(*m_window, IDC_HINT), line, 0);
    }
    fits(m_window->findChild<QWidget*>("ctl_static_0"), "Seleccione la fecha de la última regla",
         0);
    for (std::int32_t day = 0; day < 300; ++day) {
        if (const std::optional<CDayLink> link = FindDayLink(day)) {
            fits(Child<QWidget>(*m_window, IDC_TIP_TITLE),
                 QString::fromStdString(std::string(kTipTitlePrefix) + link->strTitle), 0);
        }
    }
    QWidget* picker = Child<QWidget>(*m_window, IDC_LAST_PERIOD);
    EXPECT_LE(picker->minimumSizeHint().width(), picker->width());
    for (int id : {IDC_CREATE_AGENDA, IDC_OPEN_AGENDA}) {
        auto* label = Child<QWidget>(*m_window, id)->findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << id;
    }

    // The widest day label of the calendar, and a note line in every row.
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    CQtDrawSurface surface(painter);
    surface.SetFont(CFontSpec{});
    const int label = surface.MeasureText("(Semana 40)  30", true).cx;
    const MonthMetrics m =
        MakeMonthMetrics({m_calendar->width(), m_calendar->height()}, m_metrics.ScrollBarWidth());
    EXPECT_LE(label + 3, m.colw);
    EXPECT_GE(m.rowh, 2 * m.h + 3);
}

TEST_F(MainWindowQtTest, TheTipTextShowsWholeLinesAtEveryHeight) {
    auto* tip = Child<CWholeLineTextEdit>(*m_window, IDC_TIP_TEXT);
    ASSERT_NE(tip, nullptr);
    for (int height : {600, 617, 653, 700}) {
        m_window->resize(800, height);
        QApplication::processEvents();
        EXPECT_GE(tip->TextAreaHeight(), tip->LineHeight()) << height;
        EXPECT_EQ(tip->TextAreaHeight() % tip->LineHeight(), 0) << height;
    }
}

TEST_F(MainWindowQtTest, LinksShowTheHandAndPicturesHaveSpanishNames) {
    auto* site = Child<QPushButton>(*m_window, IDC_SITE);
    EXPECT_EQ(site->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(site->accessibleName().toStdString(), "Abrir la página web de Gestalia");
    EXPECT_EQ(site->toolTip(), site->accessibleName());
    EXPECT_EQ(Child<QPushButton>(*m_window, IDC_PREVIOUS)->accessibleName().toStdString(),
              "Mes anterior");
    EXPECT_EQ(Child<QPushButton>(*m_window, IDC_NEXT)->accessibleName().toStdString(),
              "Mes siguiente");

    const QPoint onTitle = Child<QWidget>(*m_window, IDC_TIP_TITLE)->geometry().center();
    QTest::mouseMove(m_window.get(), onTitle);
    EXPECT_EQ(m_window->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(m_window.get(), QPoint(50, m_window->height() - 55));
    EXPECT_NE(m_window->cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
}  // namespace gestalia
