// Her agenda changed on disk while a window held it (another window, another
// program, a sync tool): every note from both sides is in the file after the
// window's next save, she is told in one line, and only a true conflict asks.

#include <filesystem>

#include "model/agenda_merge.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

namespace fs = std::filesystem;

// A second main window of its own, as a second Gestalia would have.
struct CSecondWindow {
    explicit CSecondWindow(const IClock& clock) : dlg{globals, ui, metrics, clock} {}
    CGlobals globals;
    CFakeUiServices ui;
    CFakeUiMetrics metrics;
    CCalCtrlDlg dlg;
    CFakeDialogWindow window{MainDialogTemplate()};
};

const CDateValue kLastPeriod(2026, 7, 1, 0, 0, 0);

std::vector<std::string> Texts(const CAgendaData& data) {
    std::vector<std::string> texts;
    for (const CAgendaRecord& r : data.items) {
        texts.push_back(r.strText);
    }
    return texts;
}

// Puts other bytes at the path as a sync tool does: a new file renamed over it.
void ReplaceFile(const std::string& path, const std::string& bytes) {
    WriteAll(path + ".nuevo", bytes);
    fs::rename(path + ".nuevo", path);
}

class AgendaSyncTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        path = WriteAgenda("agenda.gst", kLastPeriod, {"uno"});
        Start(path);
    }
    // A note added in the window, saved as every change is.
    bool Add(CCalCtrlDlg& window, const std::string& text) {
        window.Calendar().AddItem(CDateValue(kYear, kMonth, kDay, 9, 0, 0),
                                  CDateValue(kYear, kMonth, kDay, 10, 0, 0), text, 1, 61.5f);
        return window.SaveAgenda();
    }
    std::vector<std::string> InWindow() {
        static_cast<void>(dlg.Calendar().SaveAgenda(tmp.File("ventana.gst")));
        return Texts(ReadAgenda(tmp.File("ventana.gst")));
    }
    std::string path;
};

struct ElsewhereCase {
    const char* name;
    std::vector<std::string> disk;  // what the file holds after the change
    std::vector<std::string> merged;
    const char* line;
};

class AgendaChangedElsewhereTest : public AgendaSyncTest,
                                   public ::testing::WithParamInterface<ElsewhereCase> {};

TEST_P(AgendaChangedElsewhereTest, HerNextSaveKeepsBothSidesAndSaysSo) {
    const ElsewhereCase& c = GetParam();
    ReplaceFile(path, ReadAll(WriteAgenda("fuera.gst", kLastPeriod, c.disk)));
    ASSERT_TRUE(Add(dlg, "mía"));
    EXPECT_EQ(Texts(ReadAgenda(path)), c.merged);
    EXPECT_EQ(InWindow(), c.merged);
    EXPECT_EQ(Text(IDC_HINT), c.line);
    EXPECT_FALSE(dlg.IsUnsaved());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AgendaChangedElsewhereTest,
    ::testing::Values(ElsewhereCase{"NoteAppended",
                                    {"uno", "de fuera"},
                                    {"uno", "mía", "de fuera"},
                                    "Cambios de fuera: 1 nota nueva."},
                      ElsewhereCase{"AnotherAgendaCopiedOver",
                                    {"x", "y"},
                                    {"mía", "x", "y"},
                                    "Cambios de fuera: 2 notas nuevas y 1 borrada."},
                      ElsewhereCase{
                          "NoteDeleted", {}, {"mía"}, "Cambios de fuera: 1 nota borrada."}),
    [](const auto& info) { return std::string(info.param.name); });

// The line under the calendar names what came from elsewhere; the notes are
// counted only when nothing else came with them, so that it stays one line.
struct TakenInCase {
    std::size_t added;
    std::size_t removed;
    bool bDate;
    bool bDating;
    const char* line;
};

class TakenInTextTest : public ::testing::TestWithParam<TakenInCase> {};

TEST_P(TakenInTextTest, SaysWhatCameFromElsewhere) {
    CAgendaMerge merge;
    merge.nTakenIn = GetParam().added;
    merge.nRemovedThere = GetParam().removed;
    merge.bTheirLastPeriod = GetParam().bDate;
    merge.bTheirExtension = GetParam().bDating;
    EXPECT_EQ(TakenInText(merge), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TakenInTextTest,
    ::testing::Values(
        TakenInCase{1, 0, false, false, "Cambios de fuera: 1 nota nueva."},
        TakenInCase{2, 1, false, false, "Cambios de fuera: 2 notas nuevas y 1 borrada."},
        TakenInCase{0, 3, false, false, "Cambios de fuera: 3 notas borradas."},
        TakenInCase{0, 0, true, false, "Cambios de fuera: fecha de la regla."},
        TakenInCase{2, 1, true, false, "Cambios de fuera: notas y fecha de la regla."},
        TakenInCase{0, 1, false, true, "Cambios de fuera: notas y datación."},
        TakenInCase{1, 1, true, true, "Cambios de fuera: notas, fecha de la regla y datación."}));

TEST_F(AgendaSyncTest, TwoWindowsOnOneAgendaEachTakeInTheOthersNotes) {
    CSecondWindow other(clock);
    other.globals.szAgendaPath = path;
    EXPECT_FALSE(other.window.Init(other.dlg)) << "the window gives the first focus itself";
    ASSERT_TRUE(Add(other.dlg, "de la otra"));
    ASSERT_TRUE(Add(dlg, "mía"));
    ASSERT_TRUE(Add(other.dlg, "otra más"));
    EXPECT_EQ(Texts(ReadAgenda(path)),
              (std::vector<std::string>{"uno", "de la otra", "otra más", "mía"}));
    // Back in the first window: it shows what the file holds, and writes nothing.
    const std::string before = ReadAll(path);
    dlg.OnActivate();
    EXPECT_EQ(InWindow(), Texts(ReadAgenda(path)));
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(AgendaSyncTest, FocusBackShowsANoteAddedElsewhere) {
    ReplaceFile(path, ReadAll(WriteAgenda("fuera.gst", kLastPeriod, {"uno", "de fuera"})));
    dlg.OnActivate();
    EXPECT_EQ(InWindow(), (std::vector<std::string>{"uno", "de fuera"}));
    EXPECT_NE(Text(IDC_HINT).find("1 nota nueva"), std::string::npos);
    dlg.OnActivate();  // nothing more to take in: no question, no change
    EXPECT_EQ(InWindow(), (std::vector<std::string>{"uno", "de fuera"}));
    // On Windows the window is active again before the editor's note is
    // added: her save right after the take-in keeps the line in sight.
    ASSERT_TRUE(Add(dlg, "mía"));
    EXPECT_EQ(Text(IDC_HINT), "Cambios de fuera: 1 nota nueva.");
    // Another agenda has nothing taken in.
    ui.QueueOpenFile(WriteAgenda("otra.gst", kLastPeriod, {"x"}));
    window.Click(IDC_OPEN_AGENDA);
    EXPECT_EQ(Text(IDC_HINT), kHintText);
}

enum class Conflict { lastPeriod, damaged };

struct ConflictCase {
    const char* name;
    Conflict conflict;
    int answer;
    bool keptApart;
};

class AgendaConflictTest : public AgendaSyncTest,
                           public ::testing::WithParamInterface<ConflictCase> {
  protected:
    // The last-period date changed on both sides to different days, or the
    // file replaced by one that is not an agenda.
    void Make() {
        if (GetParam().conflict == Conflict::lastPeriod) {
            const CDateValue theirs(2026, 7, 9, 0, 0, 0);
            ReplaceFile(path, ReadAll(WriteAgenda("fuera.gst", theirs, {"uno"})));
            globals.dtLastPeriod = CDateValue(2026, 7, 3, 0, 0, 0);
        } else {
            ReplaceFile(path, std::string("\x01\x02\x03", 3));
        }
    }
};

TEST_P(AgendaConflictTest, AsksWithTheHarmlessAnswerFirstAndNeverOverwritesOnNo) {
    Make();
    const std::string disk = ReadAll(path);
    ui.QueueMessageBox(GetParam().answer);
    ASSERT_TRUE(Add(dlg, "mía"));
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].defaultButton, MbDefault::Second);
    const std::string copy = ConflictCopyPath(path, CDateValue::Now(clock), 1);
    if (GetParam().keptApart) {
        EXPECT_EQ(ReadAll(path), disk);
        EXPECT_EQ(globals.szAgendaPath, copy);
        EXPECT_EQ(InWindow(), Texts(ReadAgenda(copy)));
        EXPECT_EQ(Text(IDC_HINT), kKeptApartText);
        EXPECT_EQ(Text(IDC_AGENDA_TITLE), BuildAgendaTitle(copy));
        // Her next change goes to the copy, and still asks nothing.
        ASSERT_TRUE(Add(dlg, "después"));
        EXPECT_EQ(ReadAll(path), disk);
        EXPECT_EQ(Texts(ReadAgenda(copy)).back(), "después");
    } else {
        EXPECT_FALSE(fs::exists(copy));
        EXPECT_EQ(globals.szAgendaPath, path);
        EXPECT_EQ(Texts(ReadAgenda(path)).back(), "mía");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AgendaConflictTest,
    ::testing::Values(ConflictCase{"LastPeriodKeptApart", Conflict::lastPeriod, IDNO, true},
                      ConflictCase{"LastPeriodOurs", Conflict::lastPeriod, IDYES, false},
                      ConflictCase{"DamagedKeptApart", Conflict::damaged, IDNO, true},
                      ConflictCase{"DamagedReplaced", Conflict::damaged, IDYES, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AgendaSyncTest, ConflictCopiesOfOneMinuteAreNumbered) {
    const CDateValue now(2027, 3, 5, 8, 7, 0);
    EXPECT_EQ(ConflictCopyPath("/a/b.c/Mi agenda.gst", now, 1),
              "/a/b.c/Mi agenda (copia en conflicto 2027-03-05 08.07).gst");
    EXPECT_EQ(ConflictCopyPath("C:\\x.y\\agenda", now, 2),
              "C:\\x.y\\agenda (copia en conflicto 2027-03-05 08.07 2).gst");
}

}  // namespace
}  // namespace gestalia::test
