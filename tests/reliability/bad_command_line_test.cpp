// The program started with an agenda path that is not a readable agenda: a
// folder, a missing file, a file without read permission, a damaged file, bytes
// that are not UTF-8, shell metacharacters. The window opens all the same, the
// user gets one plain message naming the path, nothing is loaded, and nothing
// is run. (A one-megabyte argument is covered by the application's own tests.)
// Also: a web address full of shell metacharacters reaches the URL opener
// exactly as it is, and nothing runs it.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cal_ctrl_app.h"
#include "app/cal_ctrl_dlg.h"
#include "model/clock.h"
#include "model/globals.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/reliability/sample_agendas.h"
#include "tests/support/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCannotOpen = "No puedo abrir el fichero";
constexpr const char* kDamaged = "El fichero de agenda está dañado";

// A path for the command line; `skip` says why this machine cannot make one.
struct BadPath {
    std::string path;
    std::string skip;
};

struct BadPathCase {
    const char* name;
    std::function<BadPath(const test::CTempDir&)> make;
    const char* message;  // how the message box text starts
};

BadPath Folder(const test::CTempDir& dir) {
    return {dir.path().string(), {}};
}

BadPath MissingFile(const test::CTempDir& dir) {
    return {dir.File("no-such-agenda.gst"), {}};
}

BadPath MissingFolder(const test::CTempDir& dir) {
    return {dir.File("no/such/folder/agenda.gst"), {}};
}

BadPath Unreadable(const test::CTempDir& dir) {
    const std::string path = dir.File("locked.gst");
    test::WriteAll(path, test::Bytes(test::SmallAgenda(1)));
    ::chmod(path.c_str(), 0);
    if (::access(path.c_str(), R_OK) != 0) {
        return {path, {}};
    }
    // Root reads anything; a write-only kernel setting refuses even root.
    const std::string setting = "/proc/sys/vm/compact_memory";
    if (::access(setting.c_str(), F_OK) == 0 && ::access(setting.c_str(), R_OK) != 0) {
        return {setting, {}};
    }
    return {{}, "every file here is readable to this user"};
}

BadPath NotUtf8Missing(const test::CTempDir& dir) {
    return {dir.File("agenda-\xff\xfe-\xc3(.gst"), {}};
}

BadPath Damaged(const test::CTempDir& dir) {
    const std::string path = dir.File("damaged.gst");
    test::WriteAll(path, test::Bytes(test::SmallAgenda(2)).substr(0, 40));
    return {path, {}};
}

BadPath ShellMetacharacters(const test::CTempDir& dir) {
    return {dir.File("a;touch " + dir.File("pwned") + "&b=$(id)`id`|cat>x.gst"), {}};
}

class BadCommandLineTest : public ::testing::TestWithParam<BadPathCase> {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.ok()); }

    test::CTempDir m_dir;
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 15, 10)};
    CGlobals m_globals;
    test::CFakeUiServices m_ui;
    test::CFakeUiMetrics m_metrics;
    CCalCtrlApp m_app{m_globals, m_ui, m_metrics, m_clock};
};

TEST_P(BadCommandLineTest, OpensTheWindowWithOnePlainMessageAndLoadsNothing) {
    const BadPath bad = GetParam().make(m_dir);
    if (!bad.skip.empty()) {
        GTEST_SKIP() << bad.skip;
    }
    const std::set<std::string> filesBefore = [&] {
        std::set<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(m_dir.path())) {
            names.insert(e.path().filename().string());
        }
        return names;
    }();
    bool windowRan = false;
    m_ui.QueueDialog([&](test::CFakeDialogWindow& w, IDialogHandler&) {
        windowRan = true;
        EXPECT_TRUE(w.IsControlVisible(IDC_CREATE_AGENDA));
        EXPECT_TRUE(w.IsControlVisible(IDC_OPEN_AGENDA));
        w.Click(IDCANCEL);
    });

    EXPECT_FALSE(m_app.InitInstance({bad.path}));

    EXPECT_TRUE(windowRan);
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    const test::CShownMessageBox& box = m_ui.MessageBoxes()[0];
    EXPECT_EQ(box.strText.rfind(GetParam().message, 0), 0u) << box.strText;
    EXPECT_EQ(box.strCaption, bad.path);
    EXPECT_EQ(box.buttons, MbButtons::Ok);
    EXPECT_TRUE(m_globals.listItems.empty());
    // Nothing was created or run in the folder of the path.
    std::set<std::string> filesAfter;
    for (const fs::directory_entry& e : fs::directory_iterator(m_dir.path())) {
        filesAfter.insert(e.path().filename().string());
    }
    EXPECT_EQ(filesAfter, filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BadCommandLineTest,
    ::testing::Values(BadPathCase{"Folder", Folder, kCannotOpen},
                      BadPathCase{"MissingFile", MissingFile, kCannotOpen},
                      BadPathCase{"MissingFolder", MissingFolder, kCannotOpen},
                      BadPathCase{"WithoutReadPermission", Unreadable, kCannotOpen},
                      BadPathCase{"NotUtf8", NotUtf8Missing, kCannotOpen},
                      BadPathCase{"DamagedFile", Damaged, kDamaged},
                      BadPathCase{"ShellMetacharacters", ShellMetacharacters, kCannotOpen}),
    [](const ::testing::TestParamInfo<BadPathCase>& info) { return std::string(info.param.name); });

// Bytes that are not UTF-8 in the name of a sound agenda: it opens like any other.
TEST(CommandLinePathTest, AgendaWhoseNameIsNotUtf8Opens) {
    test::CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda-\xff\xfe-\xc3(.gst");
    test::WriteAll(path, test::Bytes(test::SmallAgenda(5)));
    CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 15, 10));
    CGlobals globals;
    test::CFakeUiServices ui;
    test::CFakeUiMetrics metrics;
    CCalCtrlApp app(globals, ui, metrics, clock);
    ui.QueueDialog([](test::CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_TRUE(w.IsControlVisible(IDC_CALENDAR));
        w.Click(IDCANCEL);
    });
    EXPECT_FALSE(app.InitInstance({path}));
    EXPECT_TRUE(ui.MessageBoxes().empty());
    EXPECT_EQ(globals.listItems.size(), 5u);
    EXPECT_EQ(globals.szAgendaPath, path);
}

// The link of the tip title, whatever it holds, goes to the URL opener as one
// address, byte for byte; nothing of it is run.
TEST(UrlTest, AddressWithShellMetacharactersReachesTheOpenerVerbatim) {
    test::CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string marker = dir.File("pwned");
    const std::string url = "https://x.example/a;touch " + marker + "&b=$(touch " + marker +
                            ")`touch " + marker + "`|sh -c 'touch " + marker + "'";
    CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 15, 10));
    CGlobals globals;
    test::CFakeUiServices ui;
    test::CFakeUiMetrics metrics;
    CCalCtrlDlg dlg(globals, ui, metrics, clock);
    test::CFakeDialogWindow window(MainDialogTemplate());
    const std::string agenda = dir.File("ana.gst");
    test::WriteAll(agenda, test::Bytes(test::SmallAgenda(1)));
    globals.szAgendaPath = agenda;
    EXPECT_FALSE(window.Init(dlg)) << "the main window gives the first focus itself";
    ASSERT_TRUE(window.IsControlVisible(IDC_TIP_TITLE));

    globals.szLinkUrl = url;
    const Rect tip = window.GetControlRect(IDC_TIP_TITLE);
    const Rect origin = window.GetControlRect(IDC_ORIGIN);
    dlg.OnLButtonDown(
        Point{(tip.left + tip.right) / 2 - origin.left, (tip.top + tip.bottom) / 2 - origin.top});

    ASSERT_EQ(ui.OpenedUrls().size(), 1u);
    EXPECT_EQ(ui.OpenedUrls()[0], url);
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_FALSE(fs::exists("/tmp/pwned"));
}

}  // namespace
}  // namespace gestalia
