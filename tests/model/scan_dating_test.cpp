#include "model/scan_dating.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace gestalia {
namespace {

constexpr int WeeksDays(int weeks, int days) {
    return weeks * 7 + days;
}

struct CrlRow {
    double crlMm;
    std::optional<int> gaDays;
};

class CrlAge : public ::testing::TestWithParam<CrlRow> {};

TEST_P(CrlAge, FollowsTheStandardWithinItsRange) {
    EXPECT_EQ(GestationalAgeFromCrl(GetParam().crlMm), GetParam().gaDays);
}

INSTANTIATE_TEST_SUITE_P(
    Intergrowth, CrlAge,
    ::testing::Values(CrlRow{15.0, WeeksDays(8, 3)}, CrlRow{20.0, WeeksDays(8, 6)},
                      CrlRow{30.0, WeeksDays(9, 6)}, CrlRow{45.0, WeeksDays(11, 1)},
                      CrlRow{95.0, WeeksDays(15, 0)}, CrlRow{14.9, std::nullopt},
                      CrlRow{95.1, std::nullopt}, CrlRow{0.0, std::nullopt},
                      CrlRow{-20.0, std::nullopt}, CrlRow{NAN, std::nullopt},
                      CrlRow{INFINITY, std::nullopt}));

struct MarginRow {
    int gaLastPeriodDays;
    int marginDays;
};

class RedatingMargin : public ::testing::TestWithParam<MarginRow> {};

TEST_P(RedatingMargin, DependsOnTheAgeFromTheLastPeriod) {
    EXPECT_EQ(RedatingMarginDays(GetParam().gaLastPeriodDays), GetParam().marginDays);
}

INSTANTIATE_TEST_SUITE_P(
    CommitteeOpinion700, RedatingMargin,
    ::testing::Values(MarginRow{0, 5}, MarginRow{WeeksDays(8, 6), 5}, MarginRow{WeeksDays(9, 0), 7},
                      MarginRow{WeeksDays(15, 6), 7}, MarginRow{WeeksDays(16, 0), 10},
                      MarginRow{WeeksDays(21, 6), 10}, MarginRow{WeeksDays(22, 0), 14},
                      MarginRow{WeeksDays(27, 6), 14}, MarginRow{WeeksDays(28, 0), 21},
                      MarginRow{WeeksDays(41, 0), 21}));

struct DatingRow {
    CDateValue lastPeriod;
    CDateValue scan;
    double crlMm;
    int gaLastPeriodDays;
    int gaScanDays;
    bool redate;
    CDateValue due;
};

class Dating : public ::testing::TestWithParam<DatingRow> {};

TEST_P(Dating, RecommendsTheScanOnlyBeyondTheMargin) {
    const DatingRow& row = GetParam();
    const Result<CDatingComparison> c =
        CompareDating(row.lastPeriod, row.scan, GestationalAgeFromCrl(row.crlMm).value());
    ASSERT_TRUE(c.ok()) << c.error().message;
    EXPECT_EQ(c.value().nGaLastPeriodDays, row.gaLastPeriodDays);
    EXPECT_EQ(c.value().nGaScanDays, row.gaScanDays);
    EXPECT_EQ(c.value().nDifferenceDays, row.gaScanDays - row.gaLastPeriodDays);
    EXPECT_EQ(c.value().bRedate, row.redate);
    EXPECT_TRUE(c.value().RecommendedDue() == row.due);
    EXPECT_TRUE(c.value().dtDueByLastPeriod == CDateValue(2024, 10, 7));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Dating,
    ::testing::Values(DatingRow{CDateValue(2024, 1, 1), CDateValue(2024, 2, 26), 20.0,
                                WeeksDays(8, 0), WeeksDays(8, 6), true, CDateValue(2024, 10, 1)},
                      DatingRow{CDateValue(2024, 1, 1), CDateValue(2024, 3, 4), 30.0,
                                WeeksDays(9, 0), WeeksDays(9, 6), false, CDateValue(2024, 10, 7)},
                      // Five days behind at 8+0 is within the margin, six beyond it.
                      DatingRow{CDateValue(2024, 1, 1), CDateValue(2024, 2, 26), 15.0,
                                WeeksDays(8, 0), WeeksDays(8, 3), false, CDateValue(2024, 10, 7)}));

TEST(Dating, RefusesAScanBeforeTheLastPeriod) {
    const Result<CDatingComparison> c =
        CompareDating(CDateValue(2024, 3, 1), CDateValue(2024, 2, 29), WeeksDays(9, 0));
    ASSERT_FALSE(c.ok());
    EXPECT_EQ(c.error().kind, ErrorKind::badInput);
    EXPECT_NE(c.error().message.find("anterior"), std::string::npos);
}

TEST(Dating, TheScanStandsForALastPeriodTwoHundredEightyDaysBeforeItsDueDate) {
    CScanDating scan{CDateValue(2024, 2, 26), 20.0, std::nullopt, true};
    EXPECT_TRUE(LastPeriodByScan(scan) == CDateValue(2023, 12, 26));
    scan.fCrlMm.reset();
    scan.nGaDays = WeeksDays(8, 0);
    EXPECT_TRUE(LastPeriodByScan(scan) == CDateValue(2024, 1, 1));
    scan.nGaDays.reset();
    EXPECT_FALSE(LastPeriodByScan(scan).has_value());
}

}  // namespace
}  // namespace gestalia
