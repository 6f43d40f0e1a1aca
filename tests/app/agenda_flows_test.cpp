// Creating and opening agendas, the last-period date, saving, and the title rule.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "content/day_links.h"
#include "content/week_tips.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

// --- The title rule and the extension -------------------------------------

struct TitleCase {
    std::string path;
    std::string shown;  // what follows the prefix
};

class AgendaTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(AgendaTitleTest, ShowsThePathOrItsLastFortyCharacters) {
    EXPECT_EQ(BuildAgendaTitle(GetParam().path), "  AGENDA: ..." + GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AgendaTitleTest,
    ::testing::Values(TitleCase{"", ""}, TitleCase{"a.gst", "a.gst"},
                      TitleCase{std::string(40, 'x'), std::string(40, 'x')},
                      TitleCase{"y" + std::string(40, 'x'), std::string(40, 'x')},
                      TitleCase{"12345" + std::string(40, 'x'), std::string(40, 'x')},
                      // Characters, not bytes: "ñ" is one character of two bytes.
                      TitleCase{"ñ" + std::string(39, 'x'), "ñ" + std::string(39, 'x')},
                      TitleCase{"añ" + std::string(39, 'x'), "ñ" + std::string(39, 'x')}));

struct ExtensionCase {
    std::string typed;
    std::string saved;
};

class AgendaExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(AgendaExtensionTest, AppendsGstUnlessThePathHoldsIt) {
    EXPECT_EQ(WithAgendaExtension(GetParam().typed), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(Names, AgendaExtensionTest,
                         ::testing::Values(ExtensionCase{"/d/ana", "/d/ana.gst"},
                                           ExtensionCase{"/d/ana.gst", "/d/ana.gst"},
                                           ExtensionCase{"/d/ANA.GST", "/d/ANA.GST.gst"},
                                           ExtensionCase{"/d.gst/ana", "/d.gst/ana"},
                                           ExtensionCase{"/d/ana.txt", "/d/ana.txt.gst"}));

// --- The flows -----------------------------------------------------------

TEST_F(MainWindowTest, CreateShowsOnlyTheLabelPickerAndTitleUntilADateIsChosen) {
    Start();
    const std::string typed = tmp.File("ana");
    ui.QueueSaveFile(typed);
    window.Click(IDC_CREATE_AGENDA);

    EXPECT_EQ(globals.szAgendaPath, typed + ".gst");
    ASSERT_TRUE(std::filesystem::exists(typed + ".gst"));
    EXPECT_EQ(Visible(), kCreatingVisible);
    EXPECT_EQ(Text(IDC_LAST_PERIOD_LABEL), "Seleccione la fecha de la última regla");
    EXPECT_TRUE(window.IsControlEnabled(IDC_LAST_PERIOD));
    ASSERT_LE(globals.szAgendaPath.size(), 40u);
    EXPECT_EQ(Text(IDC_AGENDA_TITLE), "  AGENDA: ..." + globals.szAgendaPath);
    // The file dialog offered agendas first, preselected, and text files.
    ASSERT_EQ(ui.SaveDialogs().size(), 1u);
    const CFileDialogSpec& spec = ui.SaveDialogs()[0];
    ASSERT_EQ(spec.filters.size(), 2u);
    EXPECT_EQ(spec.filters[0].strDescription, "Agendas Brotela");
    EXPECT_EQ(spec.filters[0].strPattern, "*.gst");
    EXPECT_EQ(spec.filters[1].strDescription, "Text");
    EXPECT_EQ(spec.filters[1].strPattern, "*.TXT");
    EXPECT_EQ(spec.nFilterIndex, 1);
    EXPECT_FALSE(spec.bFileMustExist);
    EXPECT_EQ(spec.strTitle, "Crear agenda");

    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 1));
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_EQ(Text(IDC_LAST_PERIOD_LABEL), "Fecha de la última regla");
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 10 semanas y 3 días");
    EXPECT_EQ(ReadAgenda(globals.szAgendaPath).dtLastPeriod, CDateValue(2027, 1, 1));
}

// A new agenda, perhaps for another pregnancy, takes none of the notes of the
// agenda open before; the old file keeps them.
TEST_F(MainWindowTest, CreateWhileAnAgendaIsOpenStartsWithNoNotes) {
    const std::string old = WriteAgenda("vieja.gst", CDateValue(2027, 1, 1), {"Eco", "Peso"});
    Start(old);
    const std::string fresh = tmp.File("nueva.gst");
    ui.QueueSaveFile(fresh);
    window.Click(IDC_CREATE_AGENDA);
    EXPECT_EQ(Visible(), kCreatingVisible);
    // The picker keeps the agenda's date.
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), CDateValue(2027, 1, 1));
    const CAgendaData data = ReadAgenda(fresh);
    EXPECT_EQ(data.dtLastPeriod, CDateValue(2027, 1, 1));
    EXPECT_TRUE(data.items.empty());
    EXPECT_TRUE(globals.listItems.empty());
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 2, 1));
    EXPECT_TRUE(ReadAgenda(fresh).items.empty());
    EXPECT_EQ(ReadAgenda(old).items.size(), 2u);
}

// Creation ends with whatever date she chooses, the one already shown too.
TEST_F(MainWindowTest, CreateEndsWithTheDateAlreadyShown) {
    Start();
    ui.QueueSaveFile(tmp.File("ana"));
    window.Click(IDC_CREATE_AGENDA);
    window.ChangeDate(IDC_LAST_PERIOD, window.GetDate(IDC_LAST_PERIOD));
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_EQ(ReadAgenda(tmp.File("ana.gst")).dtLastPeriod, CDateValue(kYear, kMonth, kDay));
}

TEST_F(MainWindowTest, CancelledCreateChangesNothingAndKeepsThePath) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1));
    Start(path);
    ui.QueueSaveFile(std::nullopt);
    window.Click(IDC_CREATE_AGENDA);
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_EQ(globals.szAgendaPath, path);
}

TEST_F(MainWindowTest, CreateOverAnExistingFileAsksFirst) {
    Start();
    const std::string path = WriteAgenda("ana.gst", CDateValue(2026, 12, 1), {"Eco"});
    const std::string before = ReadAll(path);

    ui.QueueSaveFile(path);
    ui.QueueMessageBox(IDNO);
    window.Click(IDC_CREATE_AGENDA);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText, "El fichero ya existe. ¿Desea reemplazarlo?");
    EXPECT_EQ(ui.MessageBoxes()[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(ui.MessageBoxes()[0].defaultButton, MbDefault::Second);  // Enter answers "No"
    EXPECT_EQ(ui.MessageBoxes()[0].icon, MbIcon::Question);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(Visible(), kNoAgendaVisible);
    EXPECT_TRUE(globals.szAgendaPath.empty());

    // "ana" becomes "ana.gst", which exists: asked again, and replaced on yes.
    ui.QueueSaveFile(tmp.File("ana"));
    ui.QueueMessageBox(IDYES);
    window.Click(IDC_CREATE_AGENDA);
    EXPECT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_TRUE(ReadAgenda(path).items.empty());
    EXPECT_EQ(Visible(), kCreatingVisible);
}

// The name gets ".gst" before the question: "otra" asks about "otra.gst" too.
class CreateOverAnAgendaTest : public MainWindowTest,
                               public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(CreateOverAnAgendaTest, AsksBeforeReplacingIt) {
    const std::string open = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    const std::string other = WriteAgenda("otra.gst", CDateValue(2026, 12, 1), {"Peso"});
    const std::string before = ReadAll(other);
    Start(open);
    ui.QueueSaveFile(tmp.File(GetParam().typed));
    ui.QueueMessageBox(GetParam().answer);
    window.Click(IDC_CREATE_AGENDA);

    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText, "El fichero ya existe. ¿Desea reemplazarlo?");
    if (GetParam().answer == IDNO) {
        EXPECT_EQ(ReadAll(other), before);
        EXPECT_EQ(globals.szAgendaPath, open);
        EXPECT_EQ(globals.listItems.size(), 1u);
        EXPECT_EQ(Visible(), kAgendaVisible);
    } else {
        EXPECT_TRUE(ReadAgenda(other).items.empty());
        EXPECT_EQ(globals.szAgendaPath, other);
        EXPECT_EQ(Visible(), kCreatingVisible);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, CreateOverAnAgendaTest, kReplaceCases, ReplaceCaseName);

// A new agenda that cannot be written leaves the window on the agenda it had:
// its file, title, notes and last-period date, and the next change goes there.
struct FailedCreate {
    const char* name;
    // The path the dialog gives; empty when this machine cannot make it fail.
    std::function<std::string(const CTempDir&)> chosen;
    std::vector<int> answers;  // to the questions before the write
};

class FailedCreateTest : public MainWindowTest,
                         public ::testing::WithParamInterface<FailedCreate> {};

TEST_P(FailedCreateTest, KeepsTheAgendaOpenBefore) {
    const std::string open = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco", "Peso"});
    Start(open);
    const std::string chosen = GetParam().chosen(tmp);
    if (chosen.empty()) {
        GTEST_SKIP() << "every folder is writable here";
    }
    const std::string title = Text(IDC_AGENDA_TITLE);
    const std::string weeks = Text(IDC_WEEKS);
    ui.QueueSaveFile(chosen);
    for (const int answer : GetParam().answers) {
        ui.QueueMessageBox(answer);
    }
    window.Click(IDC_CREATE_AGENDA);

    ASSERT_EQ(ui.MessageBoxes().size(), GetParam().answers.size() + 1);
    EXPECT_EQ(ui.MessageBoxes().back().strText.rfind("No puedo guardar el fichero.\n", 0), 0u)
        << ui.MessageBoxes().back().strText;
    EXPECT_EQ(globals.szAgendaPath, open);
    EXPECT_EQ(Text(IDC_AGENDA_TITLE), title);
    EXPECT_EQ(globals.listItems.size(), 2u);
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(2027, 1, 1));
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), CDateValue(2027, 1, 1));
    EXPECT_EQ(Text(IDC_WEEKS), weeks);
    EXPECT_EQ(Visible(), kAgendaVisible);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 2));
    const CAgendaData saved = ReadAgenda(open);
    EXPECT_EQ(saved.dtLastPeriod, CDateValue(2027, 1, 2));
    EXPECT_EQ(saved.items.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FailedCreateTest,
    ::testing::Values(FailedCreate{"FolderGone",
                                   [](const CTempDir& dir) { return dir.File("borrada/nueva"); },
                                   {}},
                      // "nueva.gst" is a folder: she is asked, says yes, and it cannot be replaced.
                      FailedCreate{"NameOfAFolder",
                                   [](const CTempDir& dir) {
                                       std::filesystem::create_directory(dir.File("nueva.gst"));
                                       return dir.File("nueva");
                                   },
                                   {IDYES}},
                      FailedCreate{"FolderNotWritable",
                                   [](const CTempDir& dir) {
                                       const std::string folder = dir.File("cerrada");
                                       std::filesystem::create_directory(folder);
                                       ::chmod(folder.c_str(), 0555);
                                       return ::access(folder.c_str(), W_OK) != 0
                                                  ? folder + "/nueva"
                                                  : std::string();
                                   },
                                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, OpenShowsTheAgendaAndTheTipOfTheChosenDaysWeek) {
    Start();
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    ui.QueueOpenFile(path);
    window.Click(IDC_OPEN_AGENDA);

    EXPECT_EQ(Visible(), kAgendaVisible);
    ASSERT_EQ(ui.OpenDialogs().size(), 1u);
    EXPECT_TRUE(ui.OpenDialogs()[0].bFileMustExist);
    EXPECT_EQ(ui.OpenDialogs()[0].strTitle, "Abrir agenda");
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), CDateValue(2027, 1, 1));
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 10 semanas y 3 días");
    EXPECT_EQ(Text(IDC_AGENDA_TITLE), BuildAgendaTitle(path));
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Marzo 2027");
    EXPECT_EQ(dlg.Calendar().GetMonth(), CDateValue(kYear, kMonth, 1));
    EXPECT_EQ(globals.listItems.size(), 1u);
    // Today, the chosen day, is day 73: week 10, whose link is day 73's.
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(10)));
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + FindDayLink(73)->strTitle);
    EXPECT_EQ(globals.szLinkUrl, FindDayLink(73)->strUrl);
}

TEST_F(MainWindowTest, OpenBringsTheShownMonthBackToToday) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    dlg.OnNextMonth();
    dlg.OnNextMonth();
    ui.QueueOpenFile(WriteAgenda("otra.gst", CDateValue(2026, 10, 1)));
    window.Click(IDC_OPEN_AGENDA);
    EXPECT_EQ(dlg.Shown(), CDateValue(kYear, kMonth, kDay, 10, 0, 0));
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Marzo 2027");
}

TEST_F(MainWindowTest, OpenFromTheCreatingStateShowsTheAgenda) {
    Start();
    ui.QueueSaveFile(tmp.File("nueva"));
    window.Click(IDC_CREATE_AGENDA);
    ASSERT_EQ(Visible(), kCreatingVisible);
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1));
    ui.QueueOpenFile(path);
    window.Click(IDC_OPEN_AGENDA);
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_EQ(globals.szAgendaPath, path);
}

TEST_F(MainWindowTest, OpenAnotherAgendaReplacesTheNotes) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco", "Peso"}));
    ui.QueueOpenFile(WriteAgenda("eva.gst", CDateValue(2026, 12, 1), {"Ginecólogo"}));
    window.Click(IDC_OPEN_AGENDA);
    ASSERT_EQ(globals.listItems.size(), 1u);
    EXPECT_EQ(globals.listItems.at(0).Text(), "Ginecólogo");
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(2026, 12, 1));
}

TEST_F(MainWindowTest, CancelledOpenChangesNothing) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1));
    Start(path);
    ui.QueueOpenFile(std::nullopt);
    window.Click(IDC_OPEN_AGENDA);
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_EQ(Visible(), kAgendaVisible);
}

TEST_F(MainWindowTest, OpeningADamagedFileChangesNothing) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    Start(path);
    std::string damaged = ReadAll(path);
    damaged.resize(damaged.size() - 3);
    const std::string broken = tmp.File("rota.gst");
    WriteAll(broken, damaged);

    ui.QueueOpenFile(broken);
    window.Click(IDC_OPEN_AGENDA);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText.rfind(
                  "El fichero de agenda está dañado y no se ha abierto.\n", 0),
              0u);
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_EQ(globals.listItems.size(), 1u);
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(2027, 1, 1));
    EXPECT_EQ(ReadAll(broken), damaged);
}

// Only a path with nothing there may become the agenda: a new, empty one that
// the first save creates.
TEST_F(MainWindowTest, OpeningAMissingFileStartsAnEmptyAgendaThere) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    Start(path);
    const std::string missing = tmp.File("nueva.gst");
    ui.QueueOpenFile(missing);
    window.Click(IDC_OPEN_AGENDA);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText.rfind("No puedo abrir el fichero.\n", 0), 0u);
    EXPECT_EQ(ui.MessageBoxes()[0].strCaption, missing);
    EXPECT_EQ(globals.szAgendaPath, missing);
    EXPECT_TRUE(globals.listItems.empty());
    EXPECT_EQ(Visible(), kAgendaVisible);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 2, 1));
    EXPECT_TRUE(ReadAgenda(missing).items.empty());
    EXPECT_EQ(ReadAgenda(path).items.size(), 1u);
}

TEST_F(MainWindowTest, EveryPickerChangeIsSavedAtOnce) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    Start(path);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 5));
    EXPECT_EQ(ReadAgenda(path).dtLastPeriod, CDateValue(2027, 1, 5));
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 8));
    const CAgendaData data = ReadAgenda(path);
    EXPECT_EQ(data.dtLastPeriod, CDateValue(2027, 1, 8));
    EXPECT_EQ(data.items.size(), 1u);
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 9 semanas y 3 días");
}

TEST_F(MainWindowTest, AFailedSaveIsReportedAndMemoryKept) {
    const std::string path = tmp.File("no-existe/ana.gst");
    Start(path);  // reported once: the file cannot be opened
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 1));
    ASSERT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_EQ(ui.MessageBoxes()[1].strText.rfind("No puedo guardar el fichero.\n", 0), 0u);
    EXPECT_EQ(ui.MessageBoxes()[1].strCaption, path);
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(2027, 1, 1));
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_EQ(Visible(), kAgendaVisible);
}

}  // namespace
}  // namespace gestalia::test
