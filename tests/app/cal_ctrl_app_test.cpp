// The command line and the application's run of the main window.

#include "app/cal_ctrl_app.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

struct CommandLineCase {
    std::vector<std::string> args;
    std::string last;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, KeepsTheLastArgumentWithoutItsSwitchCharacter) {
    CCustomCommandLineInfo info;
    ParseCommandLine(GetParam().args, info);
    EXPECT_EQ(info.m_szLastParam, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(CommandLineCase{{}, ""}, CommandLineCase{{"ana.gst"}, "ana.gst"},
                      CommandLineCase{{"-x", "/home/ana/ana.gst"}, "/home/ana/ana.gst"},
                      CommandLineCase{{"/home/ana/ana.gst", "-nuevo"}, "nuevo"},
                      CommandLineCase{{"a.gst", "b.gst", "c.gst"}, "c.gst"},
                      CommandLineCase{{"-"}, ""}, CommandLineCase{{"--x"}, "-x"},
                      CommandLineCase{{"ana.gst", ""}, ""}));

TEST(CommandLineInfoTest, EachParamReplacesThePreviousOne) {
    CCustomCommandLineInfo info;
    info.ParseParam("uno", false, false);
    EXPECT_EQ(info.m_szLastParam, "uno");
    info.ParseParam("dos", true, true);
    EXPECT_EQ(info.m_szLastParam, "dos");
}

TEST(CommandLineInfoTest, KeepsAnArgumentOfOneMegabyteWhole) {
    const std::string huge(1024 * 1024, 'a');
    CCustomCommandLineInfo info;
    ParseCommandLine({"-v", huge}, info);
    EXPECT_EQ(info.m_szLastParam, huge);
}

class AppTest : public ::testing::Test {
  protected:
    CFixedClock clock{CFixedClock::LocalSeconds(kYear, kMonth, kDay, 10, 0, 0)};
    CGlobals globals;
    CFakeUiServices ui;
    CFakeUiMetrics metrics;
    CCalCtrlApp app{globals, ui, metrics, clock};
};

TEST_F(AppTest, RunsTheMainWindowWithThePathOfTheCommandLine) {
    CTempDir tmp;
    ASSERT_TRUE(tmp.ok());
    const std::string path = tmp.File("ana.gst");
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2027, 1, 1);
    WriteAll(path, SerializeAgenda(data).value());

    ui.QueueDialog([&](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.Caption(), "Gestalia de \"Brotela\"");
        EXPECT_TRUE(w.IsControlVisible(IDC_CALENDAR));
        EXPECT_EQ(w.GetDate(IDC_LAST_PERIOD), CDateValue(2027, 1, 1));
        w.Click(IDCANCEL);
    });
    EXPECT_FALSE(app.InitInstance({"-x", path}));
    EXPECT_EQ(globals.szAgendaPath, path);
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].nTemplateId, 102);
    EXPECT_EQ(ui.Dialogs()[0].nResult, IDCANCEL);
}

TEST_F(AppTest, RunsTheMainWindowWithoutAgendaWhenThereIsNoArgument) {
    ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_FALSE(w.IsControlVisible(IDC_CALENDAR));
        EXPECT_TRUE(w.IsControlVisible(IDC_CREATE_AGENDA));
        w.Click(IDCANCEL);
    });
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_TRUE(globals.szAgendaPath.empty());
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(AppTest, AMegabyteArgumentIsReportedAsAFileThatCannotBeOpened) {
    const std::string huge = "/" + std::string(1024 * 1024, 'a');
    ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDCANCEL); });
    EXPECT_FALSE(app.InitInstance({huge}));
    // No file can have that name, so it is not taken as the agenda's path.
    EXPECT_TRUE(globals.szAgendaPath.empty());
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText.rfind("No puedo abrir el fichero.\n", 0), 0u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("el nombre es demasiado largo"), std::string::npos);
}

}  // namespace
}  // namespace gestalia::test
