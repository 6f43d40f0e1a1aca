// Damaged agenda files against the calendar's LoadAgenda: every truncation and
// every single-byte change of a few sound agendas is either loaded whole or
// refused with an error that names a byte offset in the file, and a refusal
// leaves the notes and the last-period date in memory exactly as they were.

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <iostream>
#include <string>

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "tests/reliability/sample_agendas.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using Clock = std::chrono::steady_clock;
using test::CStoreImage;

struct SampleCase {
    const char* name;
    int notes;
};

// The processor time this thread has used. A load is judged by it, not by the
// wall clock, which also counts the time other processes took the processor.
std::chrono::nanoseconds ThreadTime() {
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

// What one run over all the variants of a sample found.
struct Tally {
    std::size_t inputs = 0;
    std::size_t loaded = 0;
    std::size_t refused = 0;
    std::chrono::nanoseconds slowest{};  // processor time of the slowest load
    Clock::duration slowestWall{};       // wall time of the slowest load, for the record
};

class HostileFileTest : public ::testing::TestWithParam<SampleCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.ok());
        m_path = m_dir.File("agenda.gst");
        m_sample = test::Bytes(test::SmallAgenda(GetParam().notes));
        ASSERT_FALSE(m_sample.empty());
        ResetMemory();
    }

    // The agenda that is open when a damaged file is loaded; it differs from
    // every sample, so a partial load would show.
    void ResetMemory() {
        test::Fill(m_globals, test::LargeAgenda(3, 12, 7));
        m_before = test::Snapshot(m_globals);
    }

    // Loads the file now at m_path, whose bytes are `bytes`, and checks the
    // outcome; `what` names the variant in failure messages.
    void LoadAndCheck(const std::string& bytes, const std::string& what, Tally& tally) {
        const Clock::time_point start = Clock::now();
        const std::chrono::nanoseconds startCpu = ThreadTime();
        const Status status = m_ctrl.LoadAgenda(m_path);
        tally.slowest = std::max(tally.slowest, ThreadTime() - startCpu);
        tally.slowestWall = std::max(tally.slowestWall, Clock::now() - start);
        ++tally.inputs;
        if (status.ok()) {
            ++tally.loaded;
            // What is in memory now writes back to the very bytes that were read.
            Result<std::string> again =
                SerializeAgenda(m_globals.dtLastPeriod, m_globals.listItems);
            ASSERT_TRUE(again.ok()) << what;
            ASSERT_EQ(again.value(), bytes) << what << ": loaded but not what the file holds";
            std::int32_t expectedId = 0;
            m_globals.listItems.ForEach([&](const CWVCellDataItem& item) {
                EXPECT_EQ(item.GetID(), ++expectedId) << what;
            });
            ResetMemory();
            return;
        }
        ++tally.refused;
        const CError& error = status.error();
        ASSERT_FALSE(error.message.empty()) << what;
        ASSERT_TRUE(error.offset.has_value()) << what << ": " << error.message;
        ASSERT_LE(*error.offset, bytes.size()) << what << ": " << error.message;
        ASSERT_TRUE(test::Snapshot(m_globals) == m_before)
            << what << ": a refused file changed what is in memory (" << error.message << ")";
    }

    void Report(const char* kind, const Tally& tally) {
        const auto ms = std::chrono::duration<double, std::milli>(tally.slowest).count();
        const auto wallMs = std::chrono::duration<double, std::milli>(tally.slowestWall).count();
        std::cout << GetParam().name << " (" << m_sample.size() << " bytes), " << kind << ": "
                  << tally.inputs << " inputs, " << tally.loaded << " loaded, " << tally.refused
                  << " refused, slowest " << ms << " ms of processor time (" << wallMs
                  << " ms on the wall clock)\n";
        RecordProperty(std::string(kind) + "_inputs", static_cast<int>(tally.inputs));
        RecordProperty(
            std::string(kind) + "_slowest_us",
            static_cast<int>(
                std::chrono::duration_cast<std::chrono::microseconds>(tally.slowest).count()));
        EXPECT_LT(tally.slowest, std::chrono::milliseconds(100)) << "an input took " << ms << " ms";
    }

    test::CTempDir m_dir;
    std::string m_path;
    std::string m_sample;
    CGlobals m_globals;
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 1, 12)};
    CWMDateCtrl m_ctrl{m_globals, m_clock};
    CStoreImage m_before;
};

TEST_P(HostileFileTest, EveryTruncationIsLoadedOrRefusedWithItsOffset) {
    Tally tally;
    for (std::size_t length = 0; length <= m_sample.size(); ++length) {
        const std::string cut = m_sample.substr(0, length);
        test::WriteAll(m_path, cut);
        LoadAndCheck(cut, "cut to " + std::to_string(length) + " bytes", tally);
        if (HasFatalFailure()) {
            return;
        }
    }
    // Only the whole file is an agenda: every shorter one is refused.
    EXPECT_EQ(tally.loaded, 1u);
    Report("truncations", tally);
}

// All 256 values at every offset (the 255 that differ from the original, and
// the original once per file as a control).
TEST_P(HostileFileTest, EverySingleByteChangeIsLoadedOrRefusedWithItsOffset) {
    test::WriteAll(m_path, m_sample);
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    Tally tally;
    std::string bytes = m_sample;
    LoadAndCheck(bytes, "unchanged", tally);
    for (std::size_t offset = 0; offset < m_sample.size() && !HasFatalFailure(); ++offset) {
        for (int value = 0; value < 256 && !HasFatalFailure(); ++value) {
            const char changed = static_cast<char>(value);
            if (changed == m_sample[offset]) {
                continue;
            }
            bytes[offset] = changed;
            ASSERT_EQ(::pwrite(fd, &changed, 1, static_cast<off_t>(offset)), 1);
            LoadAndCheck(bytes,
                         "byte " + std::to_string(offset) + " set to " + std::to_string(value),
                         tally);
        }
        bytes[offset] = m_sample[offset];
        ASSERT_EQ(::pwrite(fd, &m_sample[offset], 1, static_cast<off_t>(offset)), 1);
    }
    ::close(fd);
    EXPECT_EQ(tally.inputs, 1 + 255 * m_sample.size());
    EXPECT_GT(tally.refused, 0u);
    EXPECT_GT(tally.loaded, 1u);
    Report("byte changes", tally);
}

INSTANTIATE_TEST_SUITE_P(Samples, HostileFileTest,
                         ::testing::Values(SampleCase{"NoNotes", 0}, SampleCase{"OneNote", 1},
                                           SampleCase{"FiveNotesWithAccents", 5}),
                         [](const ::testing::TestParamInfo<SampleCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace gestalia
