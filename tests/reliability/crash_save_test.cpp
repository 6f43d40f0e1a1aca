// A save killed at any moment leaves the agenda file byte for byte either the
// old agenda or the new one. The agenda is saved through a symbolic link and
// has its own permission bits; both outlive every save, killed or not.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/safe_save.h"
#include "tests/reliability/sample_agendas.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTrials = 200;
constexpr int kNotes = 20000;
constexpr int kTextBytes = 100;
constexpr mode_t kMode = 0640;
constexpr const char* kFile = "agenda.gst";
constexpr const char* kLink = "link.gst";

// Files in the folder other than the agenda and its link.
std::vector<std::string> Others(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (name != kFile && name != kLink) {
            names.push_back(name);
        }
    }
    return names;
}

// The whole file in one read (the agenda is a few megabytes, read 200 times).
std::string ReadFile(const std::string& path) {
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return bytes;
    }
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

class CrashMidSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.ok());
        m_real = m_dir.File(kFile);
        m_path = m_dir.File(kLink);
        fs::create_symlink(kFile, m_path);
    }

    // Puts the old agenda into the file the link names, with its permission bits.
    void WriteOld(const std::string& bytes) {
        test::WriteAll(m_real, bytes);
        ASSERT_EQ(::chmod(m_real.c_str(), kMode), 0);
    }

    test::CTempDir m_dir;
    std::string m_real;  // the file
    std::string m_path;  // the link the agenda is saved through
    CGlobals m_globals;
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 1, 12)};
    CWMDateCtrl m_ctrl{m_globals, m_clock};
};

TEST_F(CrashMidSaveTest, KilledSaveLeavesOldOrNewAgendaByteExact) {
    const CAgendaData fresh = test::LargeAgenda(kNotes, kTextBytes, 1);
    const std::string oldBytes = test::Bytes(test::LargeAgenda(kNotes, kTextBytes, 0));
    const std::string newBytes = test::Bytes(fresh);
    ASSERT_NE(oldBytes, newBytes);
    ASSERT_EQ(oldBytes.size(), newBytes.size());  // a cut file cannot pass for either

    // The bytes the children write are the calendar's own save of the new agenda.
    test::Fill(m_globals, fresh);
    WriteOld(oldBytes);
    ASSERT_TRUE(m_ctrl.SaveAgenda(m_path).ok());
    ASSERT_EQ(ReadFile(m_real), newBytes);
    m_globals.listItems.DeleteAllItems();

    // The kills fall on the file steps of the save (temporary file, write, flush,
    // rename), the part where a crash could do harm; turning the notes into bytes
    // comes before them and touches no file. So the children hand the bytes to
    // the save directly, and the kills are spread over the time of the file steps.
    Clock::duration saveTime{};
    for (int i = 0; i < 3; ++i) {
        WriteOld(oldBytes);
        const Clock::time_point start = Clock::now();
        ASSERT_TRUE(SaveFileAtomically(m_path, newBytes).ok());
        saveTime = std::max(saveTime, Clock::now() - start);
    }
    std::cout << "one save of " << newBytes.size() << " bytes takes "
              << std::chrono::duration<double, std::milli>(saveTime).count() << " ms\n";

    int oldSeen = 0;
    int newSeen = 0;
    int leftovers = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        WriteOld(oldBytes);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the new agenda and the old one by turns until it is killed.
            ::close(ready[0]);
            const char go = 1;
            (void)!::write(ready[1], &go, 1);
            for (;;) {
                (void)SaveFileAtomically(m_path, newBytes);
                (void)SaveFileAtomically(m_path, oldBytes);
            }
        }
        ::close(ready[1]);
        char go = 0;
        ASSERT_EQ(::read(ready[0], &go, 1), 1);
        ::close(ready[0]);
        // From the start of the first save to the end of the third, evenly.
        std::this_thread::sleep_for(saveTime * 3 * trial / (kTrials - 1));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

        const std::string now = ReadFile(m_real);
        if (now == oldBytes) {
            ++oldSeen;
        } else if (now == newBytes) {
            ++newSeen;
        } else {
            FAIL() << "trial " << trial << ": the agenda is neither the old nor the new one ("
                   << now.size() << " bytes)";
        }
        ASSERT_TRUE(fs::is_symlink(m_path)) << "trial " << trial << ": the link was replaced";
        ASSERT_EQ(fs::read_symlink(m_path), fs::path(kFile));
        struct stat st {};
        ASSERT_EQ(::lstat(m_real.c_str(), &st), 0);
        ASSERT_TRUE(S_ISREG(st.st_mode));
        ASSERT_EQ(st.st_mode & 07777, kMode) << "trial " << trial;

        // A killed save may leave its temporary file: a hidden file next to the
        // agenda, never the agenda itself. Nothing removes it later, so the test does.
        for (const std::string& name : Others(m_dir.path())) {
            ASSERT_EQ(name.rfind(std::string(".") + kFile + ".tmp-", 0), 0u)
                << "unexpected file " << name;
            fs::remove(m_dir.path() / name);
            ++leftovers;
        }
    }
    std::cout << kTrials << " kills: " << oldSeen << " left the old agenda, " << newSeen
              << " the new one; " << leftovers << " temporary files left behind\n";
    RecordProperty("old", oldSeen);
    RecordProperty("new", newSeen);
    RecordProperty("leftovers", leftovers);
    EXPECT_EQ(oldSeen + newSeen, kTrials);
    // The kills did fall on both sides of a rename.
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
}

// A stale temporary file of a killed save does no harm: the next save and load
// work, and it is never taken for the agenda.
TEST_F(CrashMidSaveTest, LeftoverTemporaryFileIsHarmless) {
    const CAgendaData agenda = test::SmallAgenda(5);
    const std::string bytes = test::Bytes(agenda);
    WriteOld(test::Bytes(test::SmallAgenda(1)));
    const std::string stale = m_dir.File(std::string(".") + kFile + ".tmp-1-1");
    test::WriteAll(stale, bytes.substr(0, bytes.size() / 2));

    test::Fill(m_globals, agenda);
    ASSERT_TRUE(m_ctrl.SaveAgenda(m_path).ok());
    EXPECT_EQ(test::ReadAll(m_real), bytes);
    EXPECT_TRUE(fs::exists(stale));
    CGlobals other;
    CWMDateCtrl reader(other, m_clock);
    ASSERT_TRUE(reader.LoadAgenda(m_path).ok());
    EXPECT_TRUE(test::Snapshot(other) == test::Snapshot(m_globals));
}

}  // namespace
}  // namespace gestalia
