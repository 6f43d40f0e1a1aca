// Saves that the system refuses, through the calendar's SaveAgenda: a folder
// that cannot be written, a file that cannot be replaced, a full disk, a path
// that names a folder. (A failure at each single step of the save is injected
// by the model's own tests of SaveFileAtomically.) Each is reported as a
// failure, the old file stays byte for byte, no temporary file is left behind,
// and the notes in memory are untouched.
//
// The tests run as root in CI, where permission bits stop nothing; there they
// use what does stop root: a read-only or full tmpfs mounted for the test (in a
// mount namespace of its own when the kernel allows) and the immutable flag.

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "tests/reliability/sample_agendas.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;

// Everything in a folder, by name.
std::set<std::string> Listing(const fs::path& dir) {
    std::set<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
        names.insert(e.path().filename().string());
    }
    return names;
}

// Sets or clears the immutable flag of a file or folder; an errno value.
int SetImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int flags = 0;
    int err = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 ? 0 : errno;
    if (err == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        err = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0 ? 0 : errno;
    }
    ::close(fd);
    return err;
}

// Mounts of this test go into a mount namespace of its own when possible, so
// that not even a crash of the test can leave them behind on the machine.
void PrivateMounts() {
    if (::unshare(CLONE_NEWNS) == 0) {
        (void)::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    }
}

// Where a save is attempted, and how that place refuses it.
struct Place {
    std::string folder;  // the folder listed before and after
    std::string path;    // the agenda path handed to SaveAgenda
    std::string skip;    // non-empty: this machine cannot build the place
};

class FailedSaveTest;
using PlaceBuilder = std::function<Place(FailedSaveTest&)>;

struct FailureCase {
    const char* name;
    PlaceBuilder build;
};

class FailedSaveTest : public ::testing::TestWithParam<FailureCase> {
  public:
    void SetUp() override {
        ASSERT_TRUE(m_dir.ok());
        m_old = test::Bytes(test::SmallAgenda(1));
        // What memory holds: much larger than the old file, so that a full disk
        // fills up in the middle of writing it.
        test::Fill(m_globals, test::LargeAgenda(2000, 40, 1));
        m_before = test::Snapshot(m_globals);
    }

    void TearDown() override {
        for (const std::string& path : m_immutable) {
            (void)SetImmutable(path, false);
        }
        for (const std::string& dir : m_mounts) {
            (void)::umount2(dir.c_str(), MNT_DETACH);
        }
        for (const std::string& dir : m_readOnly) {
            (void)::chmod(dir.c_str(), 0755);
        }
    }

    static bool IsRoot() { return ::geteuid() == 0; }

    // A tmpfs of its own at a fresh folder; empty when mounting is not allowed.
    std::string MountTmpfs(const std::string& options, std::string& why) {
        if (!m_privateMounts) {
            PrivateMounts();
            m_privateMounts = true;
        }
        const std::string dir = m_dir.File("mnt" + std::to_string(m_mounts.size()));
        fs::create_directory(dir);
        if (::mount("tmpfs", dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
            why = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return {};
        }
        m_mounts.push_back(dir);
        return dir;
    }

    std::string WriteOld(const std::string& path) {
        test::WriteAll(path, m_old);
        return path;
    }

    void MarkImmutable(const std::string& path) { m_immutable.push_back(path); }
    void MarkReadOnly(const std::string& dir) { m_readOnly.push_back(dir); }
    const test::CTempDir& Dir() const { return m_dir; }

  protected:
    test::CTempDir m_dir;
    std::string m_old;
    CGlobals m_globals;
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 1, 12)};
    CWMDateCtrl m_ctrl{m_globals, m_clock};
    test::CStoreImage m_before;

  private:
    bool m_privateMounts = false;
    std::vector<std::string> m_mounts;
    std::vector<std::string> m_immutable;
    std::vector<std::string> m_readOnly;
};

// A folder no one may write in. Root: a tmpfs remounted read-only, else the
// immutable flag on the folder; others: the permission bits.
Place ReadOnlyFolder(FailedSaveTest& t) {
    if (!FailedSaveTest::IsRoot()) {
        const std::string dir = t.Dir().File("locked");
        fs::create_directory(dir);
        const std::string path = t.WriteOld(dir + "/agenda.gst");
        ::chmod(dir.c_str(), 0555);
        t.MarkReadOnly(dir);
        return {dir, path, {}};
    }
    std::string why;
    const std::string dir = t.MountTmpfs("size=64k,mode=0755", why);
    if (!dir.empty()) {
        const std::string path = t.WriteOld(dir + "/agenda.gst");
        if (::mount("tmpfs", dir.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                    "size=64k") == 0) {
            return {dir, path, {}};
        }
        why = std::string("cannot remount read-only: ") + std::strerror(errno);
    }
    const std::string locked = t.Dir().File("immutable-folder");
    fs::create_directory(locked);
    const std::string path = t.WriteOld(locked + "/agenda.gst");
    const int err = SetImmutable(locked, true);
    if (err != 0) {
        return {locked, path, why + "; no immutable flag either: " + std::strerror(err)};
    }
    t.MarkImmutable(locked);
    return {locked, path, {}};
}

// A folder that can be written, but the agenda file in it cannot be replaced.
Place ImmutableFile(FailedSaveTest& t) {
    const std::string dir = t.Dir().File("plain");
    fs::create_directory(dir);
    const std::string path = t.WriteOld(dir + "/agenda.gst");
    const int err = SetImmutable(path, true);
    if (err != 0) {
        return {dir, path, std::string("no immutable flag here: ") + std::strerror(err)};
    }
    t.MarkImmutable(path);
    return {dir, path, {}};
}

// A disk with room for the old agenda and not for the new one.
Place FullDisk(FailedSaveTest& t) {
    std::string why;
    const std::string dir = t.MountTmpfs("size=16k,mode=0755", why);
    if (dir.empty()) {
        return {t.Dir().path().string(), t.Dir().File("agenda.gst"), why};
    }
    return {dir, t.WriteOld(dir + "/agenda.gst"), {}};
}

// The path names a folder (which holds a file of its own).
Place PathIsFolder(FailedSaveTest& t) {
    const std::string dir = t.Dir().File("parent");
    fs::create_directories(dir + "/agenda.gst");
    t.WriteOld(dir + "/agenda.gst/inside.gst");
    return {dir, dir + "/agenda.gst", {}};
}

TEST_P(FailedSaveTest, IsReportedAndLeavesOldFileAndMemoryAsTheyWere) {
    const Place place = GetParam().build(*this);
    if (!place.skip.empty()) {
        GTEST_SKIP() << place.skip;
    }
    const std::set<std::string> namesBefore = Listing(place.folder);
    std::error_code ec;
    const bool oldIsFile = fs::is_regular_file(place.path, ec);
    const std::string oldBytes = oldIsFile ? test::ReadAll(place.path) : std::string();

    const Status status = m_ctrl.SaveAgenda(place.path);

    ASSERT_FALSE(status.ok()) << "the save went through";
    std::cout << GetParam().name << ": " << status.error().message << "\n";
    EXPECT_NE(status.error().message.find(place.path), std::string::npos) << status.error().message;
    if (oldIsFile) {
        EXPECT_EQ(test::ReadAll(place.path), oldBytes) << "the old file changed";
    } else {
        EXPECT_TRUE(fs::is_directory(place.path, ec));
        EXPECT_EQ(Listing(place.path), std::set<std::string>{"inside.gst"});
        EXPECT_EQ(test::ReadAll(place.path + "/inside.gst"), m_old);
    }
    EXPECT_EQ(Listing(place.folder), namesBefore) << "a temporary file was left behind";
    EXPECT_TRUE(test::Snapshot(m_globals) == m_before) << "the notes in memory changed";
    // The failure was not a lasting one: the same notes save fine elsewhere.
    const std::string elsewhere = Dir().File("elsewhere.gst");
    ASSERT_TRUE(m_ctrl.SaveAgenda(elsewhere).ok());
    Result<std::string> expected = SerializeAgenda(m_globals.dtLastPeriod, m_globals.listItems);
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(test::ReadAll(elsewhere), expected.value());
}

INSTANTIATE_TEST_SUITE_P(Places, FailedSaveTest,
                         ::testing::Values(FailureCase{"ReadOnlyFolder", ReadOnlyFolder},
                                           FailureCase{"ImmutableFile", ImmutableFile},
                                           FailureCase{"FullDisk", FullDisk},
                                           FailureCase{"PathIsFolder", PathIsFolder}),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace gestalia
