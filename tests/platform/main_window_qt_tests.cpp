// The real main window on Qt's offscreen platform: started as the program
// starts it, driven from a timer with a deadline, its file dialog answered by
// the test. And the desktop hand-off of web addresses.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/cal_ctrl_dlg.h"
#include "content/offline_pages.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/cached_pages.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_ui_services.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using test::CTempDir;
using test::WriteAll;

// Scripted answers: open dialogs from a queue; anything else fails the test.
class CScriptedAnswers final : public IModalAnswers {
  public:
    std::deque<std::optional<std::string>> openAnswers;
    std::vector<std::string> boxes;

    int MessageBox(std::string_view text, std::string_view, MbButtons buttons, MbIcon,
                   MbDefault) override {
        boxes.emplace_back(text);
        if (buttons != MbButtons::Ok) {
            ADD_FAILURE() << "unexpected question: " << text;
            return IDNO;
        }
        return IDOK;
    }
    std::optional<std::string> GetSaveFileName(const CFileDialogSpec&) override {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
    std::optional<std::string> GetOpenFileName(const CFileDialogSpec& spec) override {
        filters.clear();
        for (const CFileFilter& f : spec.filters) {
            filters.push_back(f.strDescription + " " + f.strPattern);
        }
        if (openAnswers.empty()) {
            ADD_FAILURE() << "unexpected open dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
    std::vector<std::string> filters;
};

std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

TEST(MainWindowQtTest, OpeningAnAgendaShowsItsControlsWithTheirTexts) {
    CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("ana.gst");
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2027, 1, 1);
    WriteAll(path, SerializeAgenda(data).value());

    CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 15, 10, 0, 0));
    CGlobals globals;
    CScriptedAnswers answers;
    answers.openAnswers.push_back(path);
    CQtUiServices ui(&answers);
    CQtUiMetrics metrics;
    CCalCtrlDlg dlg(globals, ui, metrics, clock);

    struct Seen {
        bool bActed = false;
        bool bCalendarHiddenBefore = false;
        bool bCalendarShown = false;
        bool bPickerShown = false;
        QDate picker;
        std::string weeks, due, title, month, label;
    } seen;

    // Acts on the main window once it is up; closes whatever is open at the deadline.
    QTimer poll;
    poll.setInterval(10);
    int ticks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (++ticks > 1000) {
            ADD_FAILURE() << "the main window did not finish in time";
            poll.stop();
            if (window != nullptr) {
                window->done(IDCANCEL);
            }
            return;
        }
        if (window == nullptr || !window->isVisible() || seen.bActed) {
            return;
        }
        seen.bActed = true;
        QWidget* calendar = window->findChild<QWidget*>(QStringLiteral("ctl_1000"));
        seen.bCalendarHiddenBefore = calendar != nullptr && !calendar->isVisible();
        auto* open = window->findChild<QPushButton*>(QStringLiteral("ctl_1030"));
        ASSERT_NE(open, nullptr);
        QTest::mouseClick(open, Qt::LeftButton);

        seen.bCalendarShown = calendar != nullptr && calendar->isVisible();
        if (auto* picker = window->findChild<QDateEdit*>(QStringLiteral("ctl_1023"))) {
            seen.bPickerShown = picker->isVisible();
            seen.picker = picker->date();
        }
        if (auto* e = window->findChild<QLineEdit*>(QStringLiteral("ctl_1026"))) {
            seen.weeks = Utf8(e->text());
        }
        if (auto* e = window->findChild<QLineEdit*>(QStringLiteral("ctl_1024"))) {
            seen.due = Utf8(e->text());
        }
        if (auto* e = window->findChild<QLineEdit*>(QStringLiteral("ctl_1031"))) {
            seen.title = Utf8(e->text());
        }
        if (auto* l = window->findChild<QLabel*>(QStringLiteral("ctl_1021"))) {
            seen.month = Utf8(l->text());
        }
        if (auto* l = window->findChild<QLabel*>(QStringLiteral("ctl_static_0"))) {
            seen.label = Utf8(l->text());
        }
        // "Salir".
        if (auto* exit = window->findChild<QPushButton*>(QStringLiteral("ctl_2"))) {
            QTest::mouseClick(exit, Qt::LeftButton);
        }
    });
    poll.start();

    const int result = ui.RunModal(MainDialogTemplate(), dlg);
    poll.stop();

    EXPECT_TRUE(seen.bActed);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(seen.bCalendarHiddenBefore);
    EXPECT_TRUE(seen.bCalendarShown);
    EXPECT_TRUE(seen.bPickerShown);
    EXPECT_EQ(seen.picker, QDate(2027, 1, 1));
    EXPECT_EQ(seen.weeks, "Estás de 10 semanas y 3 días");
    EXPECT_EQ(seen.due, "Fecha probable de parto: 08/10/2027");
    EXPECT_EQ(seen.title, BuildAgendaTitle(path));
    EXPECT_EQ(seen.month, "Marzo 2027");
    EXPECT_EQ(seen.label, "Fecha de la última regla");
    EXPECT_EQ(answers.filters, (std::vector<std::string>{"Agendas Brotela *.gst", "Text *.TXT"}));
    EXPECT_TRUE(answers.boxes.empty());
    EXPECT_EQ(globals.szAgendaPath, path);
}

// Receives the addresses the desktop would open.
class CUrlRecorder : public QObject {
    Q_OBJECT

  public:
    std::vector<QUrl> urls;

  public slots:
    void handle(const QUrl& url) { urls.push_back(url); }
};

class OpenUrlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* scheme : {"http", "https", "file", "javascript"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "handle");
        }
    }
    void TearDown() override {
        for (const char* scheme : {"http", "https", "file", "javascript"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    CUrlRecorder recorder;
    CQtUiServices ui;
};

TEST_F(OpenUrlTest, RefusesAnythingButWebAddresses) {
    EXPECT_FALSE(ui.OpenUrl("file:///etc/passwd"));
    EXPECT_FALSE(ui.OpenUrl("javascript:alert(1)"));
    EXPECT_FALSE(ui.OpenUrl("/etc/passwd"));
    EXPECT_FALSE(ui.OpenUrl("https://"));
    EXPECT_FALSE(ui.OpenUrl(""));
    EXPECT_TRUE(recorder.urls.empty());
}

TEST_F(OpenUrlTest, HandsAWebAddressOnVerbatim) {
    const std::string url = "https://www.gestalia.example/a?b=1&c=$(id);d='x'!*,+";
    EXPECT_TRUE(ui.OpenUrl(url));
    ASSERT_EQ(recorder.urls.size(), 1u);
    EXPECT_EQ(recorder.urls[0].toString(QUrl::FullyEncoded).toStdString(), url);
    EXPECT_TRUE(ui.OpenUrl("http://www.gestalia.example/"));
    EXPECT_EQ(recorder.urls.size(), 2u);
}

TEST_F(OpenUrlTest, OpensACachedReadingPageAsItsLocalFileAndNoOtherFile) {
    // Nothing is written: the address is only checked and handed on.
    const std::optional<std::string> real = ui.CacheFolder();
    ASSERT_TRUE(real.has_value());
    const std::string url = CachedPageUrl(*real, kHomePage);
    EXPECT_TRUE(ui.OpenUrl(url));
    ASSERT_EQ(recorder.urls.size(), 1u);
    EXPECT_TRUE(recorder.urls[0].isLocalFile());
    EXPECT_EQ(ToUtf8(recorder.urls[0].toLocalFile()), *CachedPagePath(url, *real));

    EXPECT_FALSE(ui.OpenUrl(CachedPageUrl(*real, "otra.html")));
    EXPECT_FALSE(ui.OpenUrl(CachedPageUrl(*real + "/..", kHomePage)));
    EXPECT_FALSE(ui.OpenUrl("file://" + *real + "/paginas/../../../etc/passwd"));
    EXPECT_EQ(recorder.urls.size(), 1u);
}

}  // namespace
}  // namespace gestalia

#include "main_window_qt_tests.moc"
