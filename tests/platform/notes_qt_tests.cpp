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
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cal_ctrl_dlg.h"
#include "calendar/cell_data.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_ui_services.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/model/temp_dir.h"

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
};

TEST_F(NotesQtTest, DoubleClickOnADayTypeANoteAndOkSavesIt) {
    m_globals.szAgendaPath = m_path;
    CCalCtrlDlg dlg(m_globals, m_ui, m_clock);
    CQtDialogWindow window(MainDialogTemplate(), dlg, m_ui);
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
    CCalCtrlDlg dlg(m_globals, m_ui, m_clock);
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
    EXPECT_EQ(labels, (std::vector<std::string>{"70.0 Kg", "60.0 Kg", "63.3 Kg", "66.7 Kg"}));
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

}  // namespace
}  // namespace gestalia
