// Paths that name something other than a readable agenda file: a folder, a
// named pipe with no writer, a file whose reads fail, a missing file. Loading
// any of them ends at once with an error and changes nothing in memory; no
// load may wait for ever (a hang here is as bad as a crash: the window would
// never appear).

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "tests/reliability/sample_agendas.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(3);

enum class Outcome { refused, loaded, changedMemory, hung };

const char* Name(Outcome o) {
    switch (o) {
        case Outcome::refused:
            return "refused";
        case Outcome::loaded:
            return "loaded";
        case Outcome::changedMemory:
            return "refused but memory changed";
        case Outcome::hung:
            return "still waiting after the deadline";
    }
    return "?";
}

// Loads `path` in a child process, so that a load that blocks can be killed
// and reported instead of stopping the whole test run.
Outcome LoadWithDeadline(const std::string& path) {
    const pid_t child = ::fork();
    if (child < 0) {
        return Outcome::hung;
    }
    if (child == 0) {
        CGlobals globals;
        test::Fill(globals, test::SmallAgenda(5));
        const test::CStoreImage before = test::Snapshot(globals);
        CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 1));
        CWMDateCtrl ctrl(globals, clock);
        const Status status = ctrl.LoadAgenda(path);
        if (status.ok()) {
            ::_exit(static_cast<int>(Outcome::loaded));
        }
        const bool same = test::Snapshot(globals) == before && !status.error().message.empty();
        ::_exit(static_cast<int>(same ? Outcome::refused : Outcome::changedMemory));
    }
    const Clock::time_point end = Clock::now() + kDeadline;
    int status = 0;
    while (Clock::now() < end) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            return WIFEXITED(status) ? static_cast<Outcome>(WEXITSTATUS(status)) : Outcome::hung;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return Outcome::hung;
}

class SpecialFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.ok()); }
    test::CTempDir m_dir;
};

TEST_F(SpecialFileTest, FolderIsRefused) {
    EXPECT_STREQ(Name(LoadWithDeadline(m_dir.path().string())), Name(Outcome::refused));
}

TEST_F(SpecialFileTest, MissingFileIsRefused) {
    EXPECT_STREQ(Name(LoadWithDeadline(m_dir.File("missing.gst"))), Name(Outcome::refused));
}

TEST_F(SpecialFileTest, NamedPipeWithoutWriterIsRefusedAtOnce) {
    const std::string pipe = m_dir.File("pipe.gst");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0) << errno;
    EXPECT_STREQ(Name(LoadWithDeadline(pipe)), Name(Outcome::refused));
}

// A pipe that someone holds open for writing but never writes to: the read
// would wait for data that never comes.
TEST_F(SpecialFileTest, NamedPipeWithSilentWriterIsRefusedAtOnce) {
    const std::string pipe = m_dir.File("pipe.gst");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0) << errno;
    const int writer = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(writer, 0) << errno;
    EXPECT_STREQ(Name(LoadWithDeadline(pipe)), Name(Outcome::refused));
    ::close(writer);
}

// A file that opens but cannot be read: the kernel refuses to read a process's
// memory at address 0.
TEST_F(SpecialFileTest, FileWhoseReadFailsIsRefused) {
    if (::access("/proc/self/mem", R_OK) != 0) {
        GTEST_SKIP() << "no /proc/self/mem here";
    }
    EXPECT_STREQ(Name(LoadWithDeadline("/proc/self/mem")), Name(Outcome::refused));
}

TEST_F(SpecialFileTest, FileWithoutReadPermissionIsRefused) {
    std::string path = m_dir.File("locked.gst");
    test::WriteAll(path, test::Bytes(test::SmallAgenda(1)));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    if (::access(path.c_str(), R_OK) == 0) {
        // Root reads anything; a write-only kernel setting refuses even root.
        path = "/proc/sys/vm/compact_memory";
        if (::access(path.c_str(), F_OK) != 0 || ::access(path.c_str(), R_OK) == 0) {
            GTEST_SKIP() << "every file here is readable to this user";
        }
    }
    EXPECT_STREQ(Name(LoadWithDeadline(path)), Name(Outcome::refused));
}

}  // namespace
}  // namespace gestalia
