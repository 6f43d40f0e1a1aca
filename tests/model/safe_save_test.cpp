#include "model/safe_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;
using test::ReadAll;
using test::WriteAll;

enum class Step { none, open, chmod, write, sync, close, rename };

// The real calls, with one chosen step failing. A failing close still releases
// the descriptor, as the kernel does.
class CFaultyFileOps final : public IFileOps {
  public:
    explicit CFaultyFileOps(Step failing, int err = EIO) : m_failing(failing), m_err(err) {}

    int Open(const std::string& path, int flags, int mode, int& fd) override {
        ++m_opens;
        if (m_failing == Step::open) {
            return m_err;
        }
        return SystemFileOps().Open(path, flags, mode, fd);
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        if (m_failing == Step::write) {
            // Some bytes reach the temporary file before the failure.
            if (m_writes++ == 0 && size > 1) {
                return SystemFileOps().Write(fd, data, 1, written);
            }
            return m_err;
        }
        // At most 7 bytes a call, to show that short writes are continued.
        return SystemFileOps().Write(fd, data, std::min<std::size_t>(size, 7), written);
    }
    int Sync(int fd) override { return m_failing == Step::sync ? m_err : SystemFileOps().Sync(fd); }
    int Close(int fd) override {
        ++m_closes;
        const int real = SystemFileOps().Close(fd);
        return m_failing == Step::close ? m_err : real;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return m_failing == Step::rename ? m_err : SystemFileOps().Rename(from, to);
    }
    int Unlink(const std::string& path) override { return SystemFileOps().Unlink(path); }
    int Chmod(int fd, int mode) override {
        return m_failing == Step::chmod ? m_err : IFileOps::Chmod(fd, mode);
    }

    int m_opens = 0;
    int m_closes = 0;

  private:
    Step m_failing;
    int m_err;
    int m_writes = 0;
};

// Sets the process's file-creation mask for one test and puts it back.
class CUmaskGuard {
  public:
    explicit CUmaskGuard(mode_t mask) : m_saved(::umask(mask)) {}
    ~CUmaskGuard() { ::umask(m_saved); }
    CUmaskGuard(const CUmaskGuard&) = delete;
    CUmaskGuard& operator=(const CUmaskGuard&) = delete;

  private:
    mode_t m_saved;
};

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

std::string AllBytes() {
    std::string s;
    for (int i = 0; i < 1000; ++i) {
        s += static_cast<char>(i % 256);
    }
    return s;
}

TEST(SafeSaveTest, CreatesANewFileWithTheUmaskApplied) {
    const CUmaskGuard mask(022);
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("nueva.gst");
    const Status s = SaveFileAtomically(path, AllBytes());
    ASSERT_TRUE(s.ok()) << s.error().message;
    EXPECT_EQ(ReadAll(path), AllBytes());
    EXPECT_EQ(ModeOf(path), 0644u);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"nueva.gst"});
}

TEST(SafeSaveTest, ReplacesAnExistingFileAndKeepsItsPermissions) {
    const CUmaskGuard mask(022);
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    for (const mode_t mode : {0600u, 0640u, 0664u}) {
        WriteAll(path, "old contents that are longer than the new");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const Status s = SaveFileAtomically(path, "new");
        ASSERT_TRUE(s.ok()) << s.error().message;
        EXPECT_EQ(ReadAll(path), "new");
        EXPECT_EQ(ModeOf(path), mode);
    }
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"agenda.gst"});
}

// The id of a process that has ended (and been reaped), so no process has it
// for the moment.
pid_t EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(SafeSaveTest, RemovesTemporaryFilesLeftByKilledSavesOnly) {
    CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    WriteAll(path, "old");
    const std::string ended = ".agenda.gst.tmp-" + std::to_string(EndedProcessId()) + "-7";
    const std::string running = ".agenda.gst.tmp-" + std::to_string(::getpid()) + "-7";
    const std::string otherFile = ".other.gst.tmp-" + std::to_string(EndedProcessId()) + "-7";
    for (const std::string& name : {ended, running, otherFile}) {
        WriteAll(dir.File(name), "half a save");
    }

    ASSERT_TRUE(SaveFileAtomically(path, "new").ok());

    EXPECT_EQ(ReadAll(path), "new");
    std::vector<std::string> expected{running, otherFile, "agenda.gst"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir.path()), expected);
}

TEST(SafeSaveTest, EmptyContentGivesAnEmptyFile) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("vacia.gst");
    WriteAll(path, "something");
    ASSERT_TRUE(SaveFileAtomically(path, "").ok());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(SafeSaveTest, SavingThroughASymlinkReplacesItsTarget) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    fs::create_directory(dir.path() / "real");
    const std::string target = dir.File("real/agenda.gst");
    WriteAll(target, "old");
    const std::string link = dir.File("enlace.gst");
    fs::create_symlink("real/agenda.gst", link);  // relative, as users make them
    const Status s = SaveFileAtomically(link, "new");
    ASSERT_TRUE(s.ok()) << s.error().message;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), fs::path("real/agenda.gst"));
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(Names(dir.path() / "real"), std::vector<std::string>{"agenda.gst"});
}

TEST(SafeSaveTest, ChainedAndDanglingLinksAreFollowed) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string target = dir.File("destino.gst");
    fs::create_symlink(target, dir.File("b.gst"));  // target does not exist yet
    fs::create_symlink("b.gst", dir.File("a.gst"));
    ASSERT_TRUE(SaveFileAtomically(dir.File("a.gst"), "data").ok());
    EXPECT_TRUE(fs::is_symlink(dir.File("a.gst")));
    EXPECT_TRUE(fs::is_symlink(dir.File("b.gst")));
    EXPECT_EQ(ReadAll(target), "data");
}

TEST(SafeSaveTest, LinkLoopIsReported) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    fs::create_symlink("b.gst", dir.File("a.gst"));
    fs::create_symlink("a.gst", dir.File("b.gst"));
    const Status s = SaveFileAtomically(dir.File("a.gst"), "data");
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.error().message.find("enlaces"), std::string::npos);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"a.gst", "b.gst"}));
}

TEST(SafeSaveTest, MissingFolderIsReported) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const Status s = SaveFileAtomically(dir.File("no/agenda.gst"), "x");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::cannotSave);
    EXPECT_NE(s.error().message.find("no existe"), std::string::npos) << s.error().message;
    EXPECT_TRUE(Names(dir.path()).empty());
}

// A file marked read-only is not replaced, though the folder would allow the
// rename; it keeps its bytes and its mode. (For root, any write bit is the mark.)
TEST(SafeSaveTest, AFileThatMayNotBeWrittenIsNotReplaced) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    WriteAll(path, AllBytes());
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const Status s = SaveFileAtomically(path, "new contents");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::cannotSave);
    EXPECT_NE(s.error().message.find("protegido contra escritura"), std::string::npos)
        << s.error().message;
    EXPECT_EQ(ReadAll(path), AllBytes());
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"agenda.gst"});
}

// A flush that fails for any reason is a failed save, not only a full disk.
TEST(SafeSaveTest, AFlushThatFailsWithAnInputOutputErrorIsAFailedSave) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    WriteAll(path, AllBytes());
    CFaultyFileOps ops(Step::sync, EIO);
    const Status s = SaveFileAtomically(path, "new contents", ops);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::cannotSave);
    EXPECT_EQ(ReadAll(path), AllBytes());
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"agenda.gst"});
}

// Every permission bit is kept, the set-group-id and sticky bits too.
TEST(SafeSaveTest, KeepsTheSetGroupIdAndStickyBits) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    for (const mode_t mode : {02640u, 01640u, 03664u}) {
        WriteAll(path, AllBytes());
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        if (ModeOf(path) != mode) {
            GTEST_SKIP() << "this file system does not keep mode " << std::oct << mode;
        }
        const Status s = SaveFileAtomically(path, "new");
        ASSERT_TRUE(s.ok()) << s.error().message;
        EXPECT_EQ(ModeOf(path), mode);
    }
}

// Root may write anything: for root, a single write bit, whichever, is
// enough to replace the file, and none refuses it.
TEST(SafeSaveTest, ForRootAnyOneWriteBitAllowsTheSave) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root replaces a file by its write bits";
    }
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    for (const mode_t mode : {0644u, 0464u, 0446u, 0444u}) {
        WriteAll(path, AllBytes());
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const Status s = SaveFileAtomically(path, "new");
        EXPECT_EQ(s.ok(), mode != 0444u) << std::oct << mode;
        EXPECT_EQ(ReadAll(path), mode != 0444u ? std::string("new") : AllBytes())
            << std::oct << mode;
    }
}

TEST(SafeSaveTest, ADirectoryAtThePathIsLeftAlone) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    fs::create_directory(dir.path() / "carpeta.gst");
    ASSERT_FALSE(SaveFileAtomically(dir.File("carpeta.gst"), "x").ok());
    EXPECT_TRUE(fs::is_directory(dir.path() / "carpeta.gst"));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"carpeta.gst"});
}

struct FailureCase {
    const char* name;
    Step step;
    const char* says;
};

class SafeSaveFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SafeSaveFailureTest, KeepsTheOldFileAndRemovesTheTemporary) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    const std::string old = AllBytes();
    WriteAll(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    CFaultyFileOps ops(GetParam().step, ENOSPC);
    const Status s = SaveFileAtomically(path, "new contents", ops);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::cannotSave);
    EXPECT_NE(s.error().message.find("el disco está lleno"), std::string::npos);
    EXPECT_NE(s.error().message.find(GetParam().says), std::string::npos) << s.error().message;
    EXPECT_NE(s.error().message.find(path), std::string::npos);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"agenda.gst"});
    // Every descriptor that was opened was closed again.
    EXPECT_EQ(ops.m_closes, GetParam().step == Step::open ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SafeSaveFailureTest,
    ::testing::Values(FailureCase{"Open", Step::open, "no se puede crear un fichero temporal"},
                      FailureCase{"Chmod", Step::chmod, "permisos"},
                      FailureCase{"Write", Step::write, "no se pueden escribir"},
                      FailureCase{"Sync", Step::sync, "disco"},
                      FailureCase{"Close", Step::close, "no se puede cerrar"},
                      FailureCase{"Rename", Step::rename, "no se puede poner el fichero nuevo"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SafeSaveTest, ShortWritesAreContinued) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    CFaultyFileOps ops(Step::none);
    ASSERT_TRUE(SaveFileAtomically(path, AllBytes(), ops).ok());
    EXPECT_EQ(ReadAll(path), AllBytes());
}

// A disk that accepts nothing and reports no error.
class CStuckFileOps final : public IFileOps {
  public:
    int Open(const std::string& path, int flags, int mode, int& fd) override {
        return SystemFileOps().Open(path, flags, mode, fd);
    }
    int Write(int, const char*, std::size_t, std::size_t& written) override {
        written = 0;
        return 0;
    }
    int Sync(int fd) override { return SystemFileOps().Sync(fd); }
    int Close(int fd) override { return SystemFileOps().Close(fd); }
    int Rename(const std::string& from, const std::string& to) override {
        return SystemFileOps().Rename(from, to);
    }
    int Unlink(const std::string& path) override { return SystemFileOps().Unlink(path); }
};

TEST(SafeSaveTest, WriteWithoutProgressFailsInsteadOfLooping) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    WriteAll(path, "old");
    CStuckFileOps ops;
    ASSERT_FALSE(SaveFileAtomically(path, "new", ops).ok());
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"agenda.gst"});
}

TEST(SafeSaveTest, TakenTemporaryNamesAreRetriedThenGivenUp) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("agenda.gst");
    CFaultyFileOps ops(Step::open, EEXIST);
    ASSERT_FALSE(SaveFileAtomically(path, "x", ops).ok());
    EXPECT_GT(ops.m_opens, 1);
    EXPECT_LE(ops.m_opens, 100);
    EXPECT_TRUE(Names(dir.path()).empty());
}

}  // namespace
}  // namespace gestalia
