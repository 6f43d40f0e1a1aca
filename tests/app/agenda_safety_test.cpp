// What she has is never overwritten, mixed or dropped by ordinary use: files
// that are not agendas are never adopted, a failed save is never forgotten,
// and every message names what happened.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

namespace fs = std::filesystem;

// --- Paths that exist but are not a readable agenda -----------------------

struct NotAnAgenda {
    const char* name;
    // Makes the path in the folder; empty when this machine cannot.
    std::function<std::string(const CTempDir&)> make;
    const char* headline;
};

std::string Folder(const CTempDir& dir) {
    fs::create_directory(dir.File("carpeta.gst"));
    return dir.File("carpeta.gst");
}

std::string TooBig(const CTempDir& dir) {
    const std::string path = dir.File("grande.gst");
    WriteAll(path, "");
    fs::resize_file(path, 17u * 1024u * 1024u);  // sparse: costs no disk
    return path;
}

std::string NamedPipe(const CTempDir& dir) {
    const std::string path = dir.File("tubo.gst");
    return ::mkfifo(path.c_str(), 0600) == 0 ? path : std::string();
}

// A file she may write but not read (root reads anything: a write-only kernel
// setting stands in).
std::string Unreadable(const CTempDir& dir) {
    const std::string path = dir.File("cerrada.gst");
    WriteAll(path, std::string(16, '\0'));
    ::chmod(path.c_str(), 0200);
    if (::access(path.c_str(), R_OK) != 0) {
        return path;
    }
    const std::string setting = "/proc/sys/vm/compact_memory";
    return ::access(setting.c_str(), W_OK) == 0 && ::access(setting.c_str(), R_OK) != 0
               ? setting
               : std::string();
}

std::string Damaged(const CTempDir& dir) {
    const std::string path = dir.File("rota.gst");
    WriteAll(path, std::string("\x01\x02\x03", 3));
    return path;
}

class NotAnAgendaTest : public MainWindowTest, public ::testing::WithParamInterface<NotAnAgenda> {
  protected:
    std::string Make() {
        const std::string path = GetParam().make(tmp);
        if (path.empty()) {
            return path;
        }
        std::error_code ec;
        if (fs::is_regular_file(path, ec) && path.rfind(tmp.path().string(), 0) == 0) {
            m_before = ReadAll(path);
        }
        return path;
    }
    void ExpectOneMessageAndFileKept(const std::string& path) {
        ASSERT_EQ(ui.MessageBoxes().size(), 1u);
        const std::string& text = ui.MessageBoxes()[0].strText;
        EXPECT_EQ(text.rfind(std::string(GetParam().headline) + "\n", 0), 0u) << text;
        EXPECT_EQ(ui.MessageBoxes()[0].strCaption, path);
        if (!m_before.empty()) {
            ::chmod(path.c_str(), 0600);
            EXPECT_EQ(ReadAll(path), m_before);
        }
    }
    std::string m_before;
};

TEST_P(NotAnAgendaTest, OnTheCommandLineLeavesTheWindowWithoutAgenda) {
    const std::string path = Make();
    if (path.empty()) {
        GTEST_SKIP() << "cannot make one here";
    }
    Start(path);
    ExpectOneMessageAndFileKept(path);
    EXPECT_EQ(Visible(), kNoAgendaVisible);
    EXPECT_TRUE(globals.szAgendaPath.empty());
}

TEST_P(NotAnAgendaTest, ThroughAbrirKeepsTheAgendaAndItsMonth) {
    const std::string open = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    Start(open);
    const std::string path = Make();
    if (path.empty()) {
        GTEST_SKIP() << "cannot make one here";
    }
    dlg.OnNextMonth();
    const CDateValue shown = dlg.Shown();
    ui.QueueOpenFile(path);
    window.Click(IDC_OPEN_AGENDA);
    ExpectOneMessageAndFileKept(path);
    EXPECT_EQ(globals.szAgendaPath, open);
    EXPECT_EQ(globals.listItems.size(), 1u);
    EXPECT_EQ(dlg.Shown(), shown);
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Abril 2027");
    EXPECT_EQ(Visible(), kAgendaVisible);
    // The next change goes to the agenda's own file.
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 2));
    EXPECT_EQ(ReadAgenda(open).dtLastPeriod, CDateValue(2027, 1, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NotAnAgendaTest,
    ::testing::Values(
        NotAnAgenda{"Folder", Folder, "No puedo abrir el fichero: no es un fichero normal."},
        NotAnAgenda{"TooBig", TooBig,
                    "No puedo abrir el fichero: es demasiado grande para ser una agenda."},
        NotAnAgenda{"NamedPipe", NamedPipe, "No puedo abrir el fichero: no es un fichero normal."},
        NotAnAgenda{"Unreadable", Unreadable, "No puedo abrir el fichero."},
        NotAnAgenda{"Damaged", Damaged, "El fichero de agenda está dañado y no se ha abierto."}),
    [](const auto& info) { return std::string(info.param.name); });

// --- A failed save is never forgotten --------------------------------------

class UnsavedAgendaTest : public MainWindowTest {
  protected:
    // An agenda whose file she may not write, open, and one change that
    // could not be saved.
    void StartUnsaved() {
        m_path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
        m_before = ReadAll(m_path);
        ASSERT_EQ(::chmod(m_path.c_str(), 0444), 0);
        Start(m_path);
        window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 5));
    }
    void ExpectAskedToLeave(std::size_t nBoxes) {
        ASSERT_EQ(ui.MessageBoxes().size(), nBoxes);
        const CShownMessageBox& box = ui.MessageBoxes().back();
        EXPECT_EQ(box.buttons, MbButtons::YesNoCancel);
        EXPECT_EQ(box.defaultButton, MbDefault::Third);  // Enter stays
        EXPECT_NE(box.strText.find("¿Desea guardarlos en otro fichero"), std::string::npos);
    }
    std::string m_path;
    std::string m_before;
};

TEST_F(UnsavedAgendaTest, AReadOnlyFileIsNotReplacedAndTheWindowSaysSo) {
    StartUnsaved();
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    const std::string& text = ui.MessageBoxes()[0].strText;
    EXPECT_EQ(text.rfind("No puedo guardar el fichero.\n" + m_path + ": ", 0), 0u) << text;
    EXPECT_NE(text.find("protegido contra escritura"), std::string::npos) << text;
    EXPECT_EQ(ReadAll(m_path), m_before);
    struct stat st {};
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);

    EXPECT_TRUE(dlg.IsUnsaved());
    EXPECT_EQ(Text(IDC_HINT), kUnsavedText);
    EXPECT_EQ(window.Caption(), MainDialogTemplate().strCaption + std::string(kUnsavedCaption));
    EXPECT_EQ(dlg.OnCtlColor(IDC_HINT)->crText, RGB(200, 0, 0));

    // Every later change tries again; once the save goes through, so does the mark.
    ASSERT_EQ(::chmod(m_path.c_str(), 0644), 0);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 6));
    EXPECT_EQ(ReadAgenda(m_path).dtLastPeriod, CDateValue(2027, 1, 6));
    EXPECT_FALSE(dlg.IsUnsaved());
    EXPECT_EQ(Text(IDC_HINT), kHintText);
    EXPECT_EQ(window.Caption(), MainDialogTemplate().strCaption);
}

// "Salir" and the close box ask; the default is to stay.
class LeavingUnsavedTest : public UnsavedAgendaTest, public ::testing::WithParamInterface<bool> {
  protected:
    void Leave() {
        if (GetParam()) {
            window.PressCloseBox();
        } else {
            window.Click(IDCANCEL);
        }
    }
};

TEST_P(LeavingUnsavedTest, StayingKeepsTheWindowOpen) {
    StartUnsaved();
    ui.QueueMessageBox(IDCANCEL);
    Leave();
    ExpectAskedToLeave(2);
    EXPECT_FALSE(window.Result().has_value());
    EXPECT_TRUE(dlg.IsUnsaved());
}

TEST_P(LeavingUnsavedTest, QuittingWithoutSavingLeavesTheFileAlone) {
    StartUnsaved();
    ui.QueueMessageBox(IDNO);
    Leave();
    ExpectAskedToLeave(2);
    EXPECT_EQ(window.Result(), IDCANCEL);
    EXPECT_EQ(ReadAll(m_path), m_before);
}

TEST_P(LeavingUnsavedTest, SavingElsewhereWritesTheAgendaThereAndQuits) {
    StartUnsaved();
    ui.QueueMessageBox(IDYES);
    ui.QueueSaveFile(tmp.File("copia"));
    Leave();
    ExpectAskedToLeave(2);
    EXPECT_EQ(window.Result(), IDCANCEL);
    const CAgendaData saved = ReadAgenda(tmp.File("copia.gst"));
    EXPECT_EQ(saved.dtLastPeriod, CDateValue(2027, 1, 5));
    ASSERT_EQ(saved.items.size(), 1u);
    EXPECT_EQ(saved.items[0].strText, "Eco");
    EXPECT_EQ(globals.szAgendaPath, tmp.File("copia.gst"));
    EXPECT_EQ(ui.SaveDialogs().back().strTitle, "Guardar la agenda en otro fichero");
}

TEST_P(LeavingUnsavedTest, ACancelledSaveDialogStays) {
    StartUnsaved();
    ui.QueueMessageBox(IDYES);
    ui.QueueSaveFile(std::nullopt);
    Leave();
    EXPECT_FALSE(window.Result().has_value());
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingUnsavedTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CloseBox" : "Salir"; });

// "Guardar la agenda en otro fichero" asks before replacing an agenda there,
// once the name has its ".gst"; "No" writes nothing and she stays.
class SaveElsewhereOntoAnAgendaTest : public UnsavedAgendaTest,
                                      public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(SaveElsewhereOntoAnAgendaTest, AsksBeforeReplacingIt) {
    const std::string other = WriteAgenda("otra.gst", CDateValue(2026, 12, 1), {"Peso"});
    const std::string before = ReadAll(other);
    StartUnsaved();
    ui.QueueMessageBox(IDYES);
    ui.QueueSaveFile(tmp.File(GetParam().typed));
    ui.QueueMessageBox(GetParam().answer);
    window.Click(IDCANCEL);

    ASSERT_EQ(ui.MessageBoxes().size(), 3u);
    EXPECT_EQ(ui.MessageBoxes()[2].strText, "El fichero ya existe. ¿Desea reemplazarlo?");
    EXPECT_EQ(ui.MessageBoxes()[2].defaultButton, MbDefault::Second);
    if (GetParam().answer == IDNO) {
        EXPECT_EQ(ReadAll(other), before);
        EXPECT_FALSE(window.Result().has_value());
        EXPECT_EQ(globals.szAgendaPath, m_path);
        EXPECT_TRUE(dlg.IsUnsaved());
    } else {
        const CAgendaData saved = ReadAgenda(other);
        EXPECT_EQ(saved.dtLastPeriod, CDateValue(2027, 1, 5));
        ASSERT_EQ(saved.items.size(), 1u);
        EXPECT_EQ(saved.items[0].strText, "Eco");
        EXPECT_EQ(window.Result(), IDCANCEL);
        EXPECT_EQ(globals.szAgendaPath, other);
    }
    EXPECT_EQ(ReadAll(m_path), m_before);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveElsewhereOntoAnAgendaTest, kReplaceCases, ReplaceCaseName);

TEST_F(UnsavedAgendaTest, OpeningAnotherAgendaAsksFirst) {
    StartUnsaved();
    ui.QueueMessageBox(IDCANCEL);
    window.Click(IDC_OPEN_AGENDA);
    ExpectAskedToLeave(2);
    EXPECT_EQ(globals.szAgendaPath, m_path);
    EXPECT_TRUE(dlg.IsUnsaved());
}

TEST_F(MainWindowTest, ASavedAgendaQuitsWithoutAsking) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    window.PressCloseBox();
    EXPECT_EQ(window.Result(), IDCANCEL);
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

// --- Messages by kind ------------------------------------------------------

// A save that fails on a character the file cannot hold carries an offset
// into the text; it is still a failed save, not a damaged file.
TEST_F(MainWindowTest, ASaveErrorWithAnOffsetIsNotADamagedFile) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1));
    Start(path);
    dlg.Calendar().AddItem(CDateValue(2027, 3, 1), CDateValue(2027, 3, 1),
                           "Ecografía \xF0\x9F\x98\x80", 1, 0.0f);
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 2));
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    const std::string& text = ui.MessageBoxes()[0].strText;
    EXPECT_EQ(text.rfind(std::string(FileErrorHeadline(ErrorKind::unstorableText)) + "\n", 0), 0u)
        << text;
    EXPECT_EQ(text.find("dañado"), std::string::npos) << text;
    EXPECT_TRUE(dlg.IsUnsaved());
}

TEST(FileErrorHeadlineTest, SaysWhatHappenedOnceByKind) {
    EXPECT_EQ(FileErrorHeadline(ErrorKind::cannotSave), "No puedo guardar el fichero.");
    EXPECT_EQ(FileErrorHeadline(ErrorKind::cannotOpen), "No puedo abrir el fichero.");
    EXPECT_EQ(FileErrorHeadline(ErrorKind::damaged),
              "El fichero de agenda está dañado y no se ha abierto.");
}

}  // namespace
}  // namespace gestalia::test
