// A count or a length that the file cannot hold is refused before anything is
// allocated for it. This executable replaces the global operator new to see the
// largest single request made while the reader works; nothing else in it may
// rely on the standard operator new.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "tests/reliability/sample_agendas.h"
#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

namespace {

// The largest request seen since the last reset. Plain globals: the tests run
// on one thread, and these exist only to watch the allocator.
std::size_t g_largestRequest = 0;
std::size_t g_requests = 0;

void* Allocate(std::size_t size) {
    g_largestRequest = size > g_largestRequest ? size : g_largestRequest;
    ++g_requests;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace gestalia {
namespace {

constexpr std::size_t kSmall = 4096;  // messages and bookkeeping, nothing sized by the file

using test::PutI32;

std::string Header(std::int32_t count) {
    std::string out = test::Bytes(test::SmallAgenda(0)).substr(0, 12);
    PutI32(out, count);
    return out;
}

struct HugeCase {
    const char* name;
    std::string bytes;
    std::size_t offset;  // where the refusal must point
};

std::string WithRecordLength(std::int32_t length, std::size_t textBytes) {
    std::string out = Header(1);
    PutI32(out, length);
    out += std::string(textBytes, 'x');
    return out;
}

class HugeValueTest : public ::testing::TestWithParam<HugeCase> {};

TEST_P(HugeValueTest, IsRefusedBeforeAnythingSizedByItIsAllocated) {
    const HugeCase& c = GetParam();
    g_largestRequest = 0;
    g_requests = 0;
    const Result<CAgendaData> parsed = ParseAgenda(c.bytes);
    const std::size_t largest = g_largestRequest;
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().offset, c.offset) << parsed.error().message;
    EXPECT_LE(largest, kSmall) << "the reader asked for " << largest << " bytes in one piece";
    EXPECT_GT(g_requests, 0u);  // the counter does see the reader's own requests
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HugeValueTest,
    ::testing::Values(HugeCase{"LargestCountIn16Bytes",
                               Header(std::numeric_limits<std::int32_t>::max()), 12},
                      HugeCase{"MillionNotesIn16Bytes", Header(1'000'000), 12},
                      HugeCase{"CountOneAboveWhatFits", Header(2) + std::string(36 + 35, '\0'), 12},
                      HugeCase{"LargestTextLength",
                               WithRecordLength(std::numeric_limits<std::int32_t>::max(), 32), 20},
                      HugeCase{"TextLengthOneAboveWhatFits", WithRecordLength(33, 32 + 32), 20}),
    [](const ::testing::TestParamInfo<HugeCase>& info) { return std::string(info.param.name); });

// A file far larger than any agenda (sparse, so it costs no disk) is refused
// without reading it in.
TEST(HugeFileTest, IsRefusedWithoutReadingIt) {
    test::CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.File("huge.gst");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    const std::string header = Header(std::numeric_limits<std::int32_t>::max());
    ASSERT_EQ(::write(fd, header.data(), header.size()), static_cast<ssize_t>(header.size()));
    ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);  // 2 GiB
    ::close(fd);

    CGlobals globals;
    test::Fill(globals, test::SmallAgenda(5));
    const test::CStoreImage before = test::Snapshot(globals);
    CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 1));
    CWMDateCtrl ctrl(globals, clock);
    g_largestRequest = 0;
    const Status status = ctrl.LoadAgenda(path);
    EXPECT_FALSE(status.ok());
    EXPECT_LE(g_largestRequest, kSmall);
    EXPECT_TRUE(test::Snapshot(globals) == before);
}

// A file with no end (a character device that always has more) stops at the
// size limit; the reader's buffer never grows far beyond it.
TEST(HugeFileTest, EndlessFileStopsAtTheSizeLimit) {
    if (::access("/dev/zero", R_OK) != 0) {
        GTEST_SKIP() << "no /dev/zero to read";
    }
    CGlobals globals;
    test::Fill(globals, test::SmallAgenda(2));
    const test::CStoreImage before = test::Snapshot(globals);
    CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 1));
    CWMDateCtrl ctrl(globals, clock);
    g_largestRequest = 0;
    const Status status = ctrl.LoadAgenda("/dev/zero");
    EXPECT_FALSE(status.ok());
    EXPECT_LE(g_largestRequest, 2 * kMaxAgendaFileSize + kSmall);
    EXPECT_TRUE(test::Snapshot(globals) == before);
}

}  // namespace
}  // namespace gestalia
