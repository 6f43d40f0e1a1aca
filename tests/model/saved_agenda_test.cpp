#include "model/saved_agenda.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "model/safe_save.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;
using test::ReadAll;
using test::WriteAll;

std::string AgendaBytes(const std::vector<std::string>& texts) {
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2026, 7, 1, 0, 0, 0);
    for (const std::string& text : texts) {
        data.items.push_back({text,
                              CDateValue(2027, 3, 15, 9, 0, 0),
                              CDateValue(2027, 3, 15, 10, 0, 0),
                              1,
                              61.5f,
                              {}});
    }
    Result<std::string> bytes = SerializeAgenda(data);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? bytes.value() : std::string();
}

// Puts other bytes at the path as a sync tool does: a new file renamed over it.
void ReplaceFile(const std::string& path, const std::string& bytes) {
    WriteAll(path + ".nuevo", bytes);
    fs::rename(path + ".nuevo", path);
}

class SavedAgendaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.ok());
        ASSERT_TRUE(disk.SaveIfUnchanged(path, before).ok());
    }
    CTempDir tmp;
    const std::string path = tmp.File("agenda.gst");
    const std::string before = AgendaBytes({"uno"});
    CSavedAgenda disk;
};

TEST_F(SavedAgendaTest, RemembersWhatItSaved) {
    EXPECT_EQ(disk.Base(), before);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(disk.Look(path).change, DiskChange::none);
    const std::string after = AgendaBytes({"uno", "dos"});
    ASSERT_TRUE(disk.SaveIfUnchanged(path, after).ok());
    EXPECT_EQ(ReadAll(path), after);
    EXPECT_EQ(disk.Look(path).change, DiskChange::none);
}

struct LookCase {
    const char* name;
    std::function<void(const std::string& path, const std::string& before)> change;
    DiskChange seen;
};

class SavedAgendaLookTest : public SavedAgendaTest,
                            public ::testing::WithParamInterface<LookCase> {};

TEST_P(SavedAgendaLookTest, SeesWhatOthersDidAndNeverSavesOverIt) {
    GetParam().change(path, before);
    const std::string others = fs::exists(path) ? ReadAll(path) : std::string();
    const CDiskLook look = disk.Look(path);
    EXPECT_EQ(look.change, GetParam().seen);
    if (look.change == DiskChange::changed) {
        EXPECT_EQ(look.bytes.View(), others);
    }
    if (look.change == DiskChange::none) {
        // A file with the same bytes is remembered as it is now.
        EXPECT_TRUE(disk.SaveIfUnchanged(path, AgendaBytes({"tres"})).ok());
        return;
    }
    const Status saved = disk.SaveIfUnchanged(path, AgendaBytes({"tres"}));
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().kind, ErrorKind::changedOnDisk);
    EXPECT_EQ(fs::exists(path) ? ReadAll(path) : std::string(), others);
    EXPECT_EQ(disk.Base(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SavedAgendaLookTest,
    ::testing::Values(
        LookCase{"Untouched", [](const std::string&, const std::string&) {}, DiskChange::none},
        LookCase{"SameBytesInAnotherFile",
                 [](const std::string& p, const std::string& b) { ReplaceFile(p, b); },
                 DiskChange::none},
        LookCase{"NoteAppended",
                 [](const std::string& p, const std::string&) {
                     ReplaceFile(p, AgendaBytes({"uno", "de fuera"}));
                 },
                 DiskChange::changed},
        LookCase{
            "SameSizeOtherBytes",
            [](const std::string& p, const std::string&) { ReplaceFile(p, AgendaBytes({"otr"})); },
            DiskChange::changed},
        LookCase{"Damaged",
                 [](const std::string& p, const std::string& b) {
                     ReplaceFile(p, b.substr(0, b.size() - 3));
                 },
                 DiskChange::unreadable},
        LookCase{"Removed", [](const std::string& p, const std::string&) { fs::remove(p); },
                 DiskChange::missing}),
    [](const auto& info) { return std::string(info.param.name); });

// The real calls; once the new file is flushed and closed, another program
// puts its own file at the target, between the save's first look and its rename.
class CRacingFileOps final : public IFileOps {
  public:
    explicit CRacingFileOps(std::function<void()> race) : m_race(std::move(race)) {}
    int Open(const std::string& path, int flags, int mode, int& fd) override {
        return SystemFileOps().Open(path, flags, mode, fd);
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        return SystemFileOps().Write(fd, data, size, written);
    }
    int Sync(int fd) override { return SystemFileOps().Sync(fd); }
    int Close(int fd) override {
        const int err = SystemFileOps().Close(fd);
        m_race();
        return err;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return SystemFileOps().Rename(from, to);
    }
    int Unlink(const std::string& path) override { return SystemFileOps().Unlink(path); }

  private:
    std::function<void()> m_race;
};

TEST_F(SavedAgendaTest, AFileReplacedBetweenTheLookAndTheRenameIsKept) {
    const std::string others = AgendaBytes({"uno", "de fuera"});
    CRacingFileOps ops([&] { ReplaceFile(path, others); });
    const Result<CDiskState> saved =
        SaveFileIfUnchanged(path, AgendaBytes({"mía"}), disk.State(), ops);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().kind, ErrorKind::changedOnDisk);
    EXPECT_EQ(ReadAll(path), others);
    // The temporary file went too.
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST_F(SavedAgendaTest, ANewFileIsWrittenOnlyWhereNothingIs) {
    const std::string copy = tmp.File("copia.gst");
    ASSERT_TRUE(SaveFileIfUnchanged(copy, before, CDiskState{}).ok());
    const Result<CDiskState> again = SaveFileIfUnchanged(copy, AgendaBytes({}), CDiskState{});
    ASSERT_FALSE(again.ok());
    EXPECT_EQ(again.error().kind, ErrorKind::changedOnDisk);
    EXPECT_EQ(ReadAll(copy), before);
}

}  // namespace
}  // namespace gestalia
