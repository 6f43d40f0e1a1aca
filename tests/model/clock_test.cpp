#include "model/clock.h"

#include <gtest/gtest.h>

namespace gestalia {
namespace {

TEST(FixedClockTest, LocalTimeAppliesTheOffset) {
    const std::int64_t instant = CFixedClock::LocalSeconds(2027, 1, 1, 0, 30, 0);
    const CFixedClock west(instant, -3600);
    const std::optional<std::tm> tm = west.ToLocalTime(instant);
    ASSERT_TRUE(tm.has_value());
    EXPECT_EQ(tm->tm_year, 126);
    EXPECT_EQ(tm->tm_mon, 11);
    EXPECT_EQ(tm->tm_mday, 31);
    EXPECT_EQ(tm->tm_hour, 23);
    EXPECT_EQ(tm->tm_min, 30);
    EXPECT_EQ(tm->tm_wday, 4);  // Thursday
    EXPECT_EQ(tm->tm_yday, 364);
}

TEST(FixedClockTest, LocalSecondsIsTheInverseOfLocalTime) {
    const std::int64_t instant = CFixedClock::LocalSeconds(1969, 12, 31, 23, 59, 59, 7200);
    EXPECT_EQ(instant, -1 - 7200);
    const std::optional<std::tm> tm = CFixedClock(0, 7200).ToLocalTime(instant);
    ASSERT_TRUE(tm.has_value());
    EXPECT_EQ(tm->tm_year, 69);
    EXPECT_EQ(tm->tm_mday, 31);
    EXPECT_EQ(tm->tm_sec, 59);
}

TEST(FixedClockTest, StandsStillUntilSet) {
    CFixedClock clock(100);
    EXPECT_EQ(clock.NowSeconds(), 100);
    clock.Set(200);
    EXPECT_EQ(clock.NowSeconds(), 200);
}

TEST(SystemClockTest, ConvertsTheCurrentTime) {
    const CSystemClock clock;
    const std::optional<std::tm> tm = clock.ToLocalTime(clock.NowSeconds());
    ASSERT_TRUE(tm.has_value());
    EXPECT_GE(tm->tm_year, 120);
}

}  // namespace
}  // namespace gestalia
