// The Windows side of reading and saving agendas: UTF-16 paths, long paths,
// the read-only attribute, Windows' error codes, failures half-way.
// No GDI: its RGB macro would hide the colour function of the same name.
#define NOGDI
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/agenda_file.h"
#include "model/safe_save.h"
#include "model/utf8_path.h"
#include "model/win32_text.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;
using win32::WidePath;

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names = win32::FolderNames(folder);
    std::sort(names.begin(), names.end());
    return names;
}

std::string MakeFolder(const std::string& path) {
    EXPECT_TRUE(::CreateDirectoryW(WidePath(path).c_str(), nullptr)) << path;
    return path;
}

std::string Read(const std::string& path) {
    Result<CFileBytes> r = ReadFileBytes(path);
    EXPECT_TRUE(r.ok()) << r.error().message;
    return r.ok() ? std::string(r.value().View()) : std::string();
}

TEST(Win32TextTest, ConvertsBothWays) {
    const std::string text = "Mamá, ñandú, € y 🤰";
    EXPECT_EQ(win32::Utf16FromUtf8(text), L"Mamá, ñandú, € y \U0001F930");
    EXPECT_EQ(win32::Utf8FromUtf16(win32::Utf16FromUtf8(text)), text);
    EXPECT_EQ(win32::Utf16FromUtf8("a\xFF"), L"a\uFFFD");
}

TEST(Win32TextTest, WindowsErrorsInSpanish) {
    struct Case {
        DWORD code;
        const char* says;
    };
    for (const Case& c :
         {Case{ERROR_FILE_NOT_FOUND, "no existe"}, Case{ERROR_PATH_NOT_FOUND, "no existe"},
          Case{ERROR_ACCESS_DENIED, "no tiene permiso"},
          Case{ERROR_SHARING_VIOLATION, "está ocupado"},
          Case{ERROR_DISK_FULL, "el disco está lleno"},
          Case{ERROR_FILENAME_EXCED_RANGE, "demasiado largo"},
          Case{ERROR_WRITE_PROTECT, "solo lectura"}, Case{9999, "error de Windows número 9999"}}) {
        const std::string text = win32::ErrorText(win32::ErrnoFromWindowsError(c.code));
        EXPECT_NE(text.find(c.says), std::string::npos) << c.code << ": " << text;
    }
}

TEST(Win32FileTest, AccentedPathsRoundTrip) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string folder = MakeFolder(dir.path().string() + "\\Embarazo de María");
    const std::string path = folder + "\\agenda ñandú €.gst";
    ASSERT_TRUE(SaveFileAtomically(path, std::string("uno\0dos", 7)).ok());
    ASSERT_TRUE(SaveFileAtomically(path, "tres").ok());
    EXPECT_EQ(Read(path), "tres");
    // Stored under its own name, not under its bytes read in the ANSI code page.
    EXPECT_TRUE(fs::exists(dir.path() / L"Embarazo de María" / L"agenda ñandú €.gst"));
    EXPECT_TRUE(fs::exists(PathFromUtf8(path)));
    EXPECT_EQ(Names(folder), std::vector<std::string>{"agenda ñandú €.gst"});
}

TEST(Win32FileTest, LongPathsWork) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string folder = dir.path().string();
    while (folder.size() < MAX_PATH + 40) {
        folder = MakeFolder(folder + "\\" + std::string(60, 'c'));
    }
    const std::string path = folder + "\\agenda de nueve meses.gst";
    ASSERT_TRUE(SaveFileAtomically(path, "antes").ok());
    const Status again = SaveFileAtomically(path, "después");
    ASSERT_TRUE(again.ok()) << again.error().message;
    EXPECT_EQ(Read(path), "después");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"agenda de nueve meses.gst"});
    // Longer than any path Windows takes.
    const Status tooLong = SaveFileAtomically(folder + "\\" + std::string(40000, 'a'), "x");
    ASSERT_FALSE(tooLong.ok());
    EXPECT_NE(tooLong.error().message.find("el nombre es demasiado largo"), std::string::npos);
}

TEST(Win32FileTest, ReadOnlyFileIsRefusedAndKept) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    test::WriteAll(path, "vieja");
    ASSERT_TRUE(::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    const Status s = SaveFileAtomically(path, "nueva");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::cannotSave);
    EXPECT_NE(s.error().message.find("protegido contra escritura"), std::string::npos)
        << s.error().message;
    EXPECT_EQ(Read(path), "vieja");
    EXPECT_EQ(Names(dir.path().string()), std::vector<std::string>{"agenda.gst"});
    ::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32FileTest, HiddenAgendaStaysHidden) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    test::WriteAll(path, "vieja");
    ASSERT_TRUE(::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SaveFileAtomically(path, "nueva").ok());
    EXPECT_EQ(Read(path), "nueva");
    EXPECT_NE(::GetFileAttributesW(WidePath(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST(Win32FileTest, ReadingReportsWhatFails) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string huge = dir.File("huge.gst");
    test::WriteAll(huge, "");
    fs::resize_file(huge, kMaxAgendaFileSize + 1);
    struct Case {
        std::string path;
        ErrorKind kind;
        const char* says;
    };
    for (const Case& c : {Case{dir.File("nada.gst"), ErrorKind::cannotOpen, "no existe"},
                          Case{dir.File("no\\nada.gst"), ErrorKind::cannotOpen, "no existe"},
                          Case{dir.path().string(), ErrorKind::notRegularFile, "es una carpeta"},
                          Case{"NUL", ErrorKind::notRegularFile, "dispositivo"},
                          Case{"C:\\" + std::string(40000, 'a'), ErrorKind::cannotOpen,
                               "el nombre es demasiado largo"},
                          Case{huge, ErrorKind::tooBig, "16 MiB"}}) {
        const Result<CFileBytes> r = ReadFileBytes(c.path);
        ASSERT_FALSE(r.ok()) << c.path;
        EXPECT_EQ(r.error().kind, c.kind) << c.path;
        EXPECT_EQ(r.error().message.rfind(c.path + ": ", 0), 0u) << r.error().message;
        EXPECT_NE(r.error().message.find(c.says), std::string::npos) << r.error().message;
    }
}

TEST(Win32FileTest, RemovesOnlyTheTemporaryFilesOfEndedSaves) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    const std::string mine = ".agenda.gst.tmp-" + std::to_string(::GetCurrentProcessId()) + "-1";
    test::WriteAll(dir.File(mine), "en curso");
    test::WriteAll(dir.File(".agenda.gst.tmp-4294967290-1"), "abandonado");
    ASSERT_TRUE(SaveFileAtomically(path, "nueva").ok());
    EXPECT_EQ(Names(dir.path().string()), (std::vector<std::string>{mine, "agenda.gst"}));
}

enum class Step { open, chmod, write, sync, close, rename };

// The real calls, with one step failing for want of disk space.
class CFailingFileOps final : public IFileOps {
  public:
    explicit CFailingFileOps(Step failing) : m_failing(failing) {}
    int Open(const std::string& path, int flags, int mode, int& fd) override {
        return Fails(Step::open) ? ENOSPC : SystemFileOps().Open(path, flags, mode, fd);
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        // A byte reaches the temporary file before the failure.
        if (Fails(Step::write) && m_wrote) {
            return ENOSPC;
        }
        m_wrote = true;
        return SystemFileOps().Write(fd, data, std::min<std::size_t>(size, 1), written);
    }
    int Sync(int fd) override { return Fails(Step::sync) ? ENOSPC : SystemFileOps().Sync(fd); }
    int Close(int fd) override {
        const int real = SystemFileOps().Close(fd);
        return Fails(Step::close) ? ENOSPC : real;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return Fails(Step::rename) ? ENOSPC : SystemFileOps().Rename(from, to);
    }
    int Unlink(const std::string& path) override { return SystemFileOps().Unlink(path); }
    int Chmod(int fd, int mode) override {
        return Fails(Step::chmod) ? ENOSPC : IFileOps::Chmod(fd, mode);
    }

  private:
    bool Fails(Step step) const { return m_failing == step; }
    Step m_failing;
    bool m_wrote = false;
};

class Win32FailedSaveTest : public ::testing::TestWithParam<Step> {};

TEST_P(Win32FailedSaveTest, LeavesTheOldFileAndNoTemporaryFile) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    test::WriteAll(path, "vieja");
    // Hidden, so that the attributes are carried over and that step can fail too.
    ASSERT_TRUE(::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    CFailingFileOps ops(GetParam());
    const Status s = SaveFileAtomically(path, "nueva y más larga", ops);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::cannotSave);
    EXPECT_NE(s.error().message.find("el disco está lleno"), std::string::npos)
        << s.error().message;
    EXPECT_EQ(Read(path), "vieja");
    EXPECT_EQ(Names(dir.path().string()), std::vector<std::string>{"agenda.gst"});
}

INSTANTIATE_TEST_SUITE_P(EveryStep, Win32FailedSaveTest,
                         ::testing::Values(Step::open, Step::chmod, Step::write, Step::sync,
                                           Step::close, Step::rename));

}  // namespace
}  // namespace gestalia
