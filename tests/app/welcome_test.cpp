// The remembered agendas: the list's rules, the start without an argument,
// and the welcome with its recent agendas, through the main window on the
// fake window layer with a settings store in memory.

#include "app/recent_agendas.h"
#include "model/utf8_path.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_settings_store.h"

namespace gestalia::test {
namespace {

using Paths = std::vector<std::string>;

struct OpenedCase {
    const char* name;
    Paths before;
    std::string opened;
    Paths after;
};

class RecentListTest : public ::testing::TestWithParam<OpenedCase> {};

TEST_P(RecentListTest, TheOpenedAgendaHeadsTheList) {
    const CRememberedAgendas got = WithAgendaOpened({"", GetParam().before}, GetParam().opened);
    EXPECT_EQ(got.recent, GetParam().after);
    EXPECT_EQ(got.strLast, GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecentListTest,
    ::testing::Values(OpenedCase{"New", {"a", "b"}, "c", {"c", "a", "b"}},
                      OpenedCase{"AlreadyListed", {"a", "b", "c"}, "c", {"c", "a", "b"}},
                      OpenedCase{"SixthDropsTheOldest",
                                 {"a", "b", "c", "d", "e"},
                                 "f",
                                 {"f", "a", "b", "c", "d"}},
                      OpenedCase{"None", {"a"}, "", {"a"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecentList, AStoreWrittenByHandIsTidied) {
    const CRememberedAgendas got = Tidied({"x", {"a", "", "b", "a", "c", "d", "e", "f"}});
    EXPECT_EQ(got.recent, (Paths{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(got.strLast, "x");
}

TEST(RecentList, AForgottenAgendaLeavesTheListAndIsNoLongerTheLast) {
    const CRememberedAgendas got = WithAgendaForgotten({"b", {"a", "b"}}, "b");
    EXPECT_EQ(got.recent, (Paths{"a"}));
    EXPECT_EQ(got.strLast, "");
    EXPECT_EQ(WithAgendaForgotten({"a", {"a", "b"}}, "b").strLast, "a");
}

struct TextCase {
    const char* name;
    std::string path;
    bool bGone;
    std::string text;
};

class RecentTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RecentTextTest, NamesTheFileThenItsFolder) {
    EXPECT_EQ(RecentAgendaText(GetParam().path, GetParam().bGone), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecentTextTest,
    ::testing::Values(TextCase{"InAFolder", "/casa/ana/mía.gst", false, "mía.gst  (/casa/ana)"},
                      TextCase{"Gone", "/casa/ana.gst", true, "ana.gst  (/casa) - no se encuentra"},
                      TextCase{"Ampersand", "/A&B/x.gst", false, "x.gst  (/A&&B)"},
                      TextCase{"NoFolder", "ana.gst", false, "ana.gst"}),
    [](const auto& info) { return std::string(info.param.name); });

class WelcomeTest : public MainWindowTest {
  protected:
    // The window's set-up with an agenda path (empty: none) and the store.
    void StartRemembering(const std::string& path = {}) {
        globals.szAgendaPath = path;
        EXPECT_FALSE(window.Init(remembering)) << "the window gives the first focus itself";
    }

    std::string Agenda(const std::string& name) {
        return RememberedPath(WriteAgenda(name, CDateValue(2026, 12, 1)));
    }
    std::string Gone(const std::string& name) { return RememberedPath(tmp.File(name)); }

    CFakeSettingsStore store;
    CCalCtrlDlg remembering{globals, ui, metrics, clock, &store};
};

TEST_F(WelcomeTest, AStartWithoutArgumentReopensTheLastAgenda) {
    const std::string ana = Agenda("ana.gst");
    store.stored = {ana, {ana}};
    StartRemembering();
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_EQ(globals.szAgendaPath, ana);
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), CDateValue(2026, 12, 1));
    EXPECT_TRUE(ui.MessageBoxes().empty());
    EXPECT_EQ(store.desktopRecent, Paths{ana});
}

TEST_F(WelcomeTest, AGoneLastAgendaIsSaidInOneLineAndListedGreyed) {
    const std::string gone = Gone("ana.gst");
    const std::string other = Agenda("otra.gst");
    store.stored = {gone, {gone, other}};
    StartRemembering();
    EXPECT_TRUE(globals.szAgendaPath.empty());
    EXPECT_TRUE(ui.MessageBoxes().empty());
    std::set<int> expected = kNoAgendaVisible;
    expected.insert({IDC_LAST_AGENDA_GONE, IDC_RECENT_TITLE, IDC_RECENT_FIRST,
                     IDC_RECENT_REMOVE_FIRST, IDC_RECENT_FIRST + 1});
    EXPECT_EQ(Visible(), expected);
    EXPECT_EQ(Text(IDC_LAST_AGENDA_GONE), "No encuentro tu última agenda: " + gone);
    EXPECT_FALSE(window.IsControlEnabled(IDC_RECENT_FIRST));
    EXPECT_TRUE(window.IsControlEnabled(IDC_RECENT_FIRST + 1));
    EXPECT_EQ(Text(IDC_RECENT_FIRST + 1), RecentAgendaText(other, false));
    EXPECT_EQ(store.nSaves, 0);
}

TEST_F(WelcomeTest, ALastAgendaThatIsNoAgendaIsRefusedAndNotTaken) {
    const std::string damaged = RememberedPath(tmp.Write("rota.gst", "\x01\x02\x03"));
    store.stored = {damaged, {damaged}};
    StartRemembering();
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strCaption, damaged);
    EXPECT_TRUE(globals.szAgendaPath.empty());
    EXPECT_FALSE(window.IsControlVisible(IDC_LAST_AGENDA_GONE));
    EXPECT_TRUE(window.IsControlEnabled(IDC_RECENT_FIRST));
    EXPECT_EQ(ReadAll(damaged), std::string("\x01\x02\x03"));
}

TEST_F(WelcomeTest, AnArgumentOpensThatAgendaAndHeadsTheList) {
    const std::string ana = Agenda("ana.gst");
    const std::string otra = Agenda("otra.gst");
    store.stored = {ana, {ana}};
    StartRemembering(otra);
    EXPECT_EQ(globals.szAgendaPath, otra);
    EXPECT_EQ(store.stored.strLast, otra);
    EXPECT_EQ(store.stored.recent, (Paths{otra, ana}));
    EXPECT_EQ(store.desktopRecent, Paths{otra});
}

TEST_F(WelcomeTest, ANewAgendaFromTheCommandLineIsRememberedOnceSaved) {
    const std::string nueva = Gone("nueva.gst");
    StartRemembering(nueva);
    EXPECT_EQ(store.nSaves, 0);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 2));
    EXPECT_EQ(store.stored.recent, Paths{nueva});
}

TEST_F(WelcomeTest, ARecentAgendaOpensWithAClickAndHeadsTheList) {
    const std::string ana = Agenda("ana.gst");
    const std::string otra = Agenda("otra.gst");
    store.stored = {"", {ana, otra}};
    StartRemembering();
    EXPECT_TRUE(window.IsControlVisible(IDC_WELCOME));
    window.Click(IDC_RECENT_FIRST + 1);
    EXPECT_EQ(globals.szAgendaPath, otra);
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_EQ(Text(IDC_AGENDA_TITLE), BuildAgendaTitle(otra));
    EXPECT_EQ(store.stored.recent, (Paths{otra, ana}));
}

TEST_F(WelcomeTest, ARecentAgendaGoneSinceTheListWasShownIsNotTaken) {
    const std::string ana = Agenda("ana.gst");
    store.stored = {"", {ana}};
    StartRemembering();
    std::filesystem::remove(PathFromUtf8(ana));
    window.Click(IDC_RECENT_FIRST);
    EXPECT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_TRUE(globals.szAgendaPath.empty());
    EXPECT_FALSE(window.IsControlEnabled(IDC_RECENT_FIRST));
    EXPECT_TRUE(window.IsControlVisible(IDC_RECENT_REMOVE_FIRST));
}

TEST_F(WelcomeTest, QuitarTakesAGoneAgendaOutOfTheList) {
    const std::string gone = Gone("ana.gst");
    const std::string otra = Agenda("otra.gst");
    store.stored = {gone, {gone, otra}};
    StartRemembering();
    window.Click(IDC_RECENT_REMOVE_FIRST);
    EXPECT_EQ(store.stored.recent, Paths{otra});
    EXPECT_EQ(store.stored.strLast, "");
    EXPECT_EQ(Text(IDC_RECENT_FIRST), RecentAgendaText(otra, false));
    EXPECT_FALSE(window.IsControlVisible(IDC_RECENT_REMOVE_FIRST));
    EXPECT_FALSE(window.IsControlVisible(IDC_RECENT_FIRST + 1));
}

TEST_F(WelcomeTest, CreatingAnAgendaHidesTheWelcomeAndRemembersIt) {
    store.stored = {"", {Agenda("ana.gst")}};
    StartRemembering();
    ui.QueueSaveFile(tmp.File("nueva"));
    window.Click(IDC_CREATE_AGENDA);
    EXPECT_EQ(Visible(), kCreatingVisible);
    EXPECT_EQ(store.stored.strLast, Gone("nueva.gst"));
}

TEST_F(WelcomeTest, TheWelcomeLiesInTheCalendarsPlaceAtTheLeastSize) {
    store.stored = {
        "", {Agenda("a.gst"), Agenda("b.gst"), Agenda("c.gst"), Agenda("d.gst"), Gone("e.gst")}};
    StartRemembering();
    window.Resize(window.MinimumClientSize());
    const Rect area = window.GetControlRect(IDC_CALENDAR);
    for (int id : window.VisibleIds()) {
        if (id >= IDC_WELCOME && id < IDC_RECENT_REMOVE_FIRST + 5) {
            const Rect rc = window.GetControlRect(id);
            EXPECT_TRUE(rc.left >= area.left && rc.top >= area.top && rc.right <= area.right &&
                        rc.bottom <= area.bottom)
                << id;
        }
    }
}

}  // namespace
}  // namespace gestalia::test
