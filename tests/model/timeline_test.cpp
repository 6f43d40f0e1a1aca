#include "model/timeline.h"

#include <gtest/gtest.h>

namespace gestalia {
namespace {

TEST(TimelineTest, OnTheDayOfTheLastPeriod) {
    const CDateValue lastPeriod(2027, 1, 1);
    const TimelineFigures f = TimelineAsOfNow(lastPeriod, CDateValue(2027, 1, 1, 15, 0, 0));
    EXPECT_EQ(f.nElapsedDays, 0);
    EXPECT_EQ(f.nDaysLeft, 280);
    EXPECT_EQ(FormatDueDateText(f), "Fecha probable de parto: 08/10/2027");
    EXPECT_EQ(FormatDaysLeftText(f), "Quedan 280 días para ver a tu bebé");
    EXPECT_EQ(FormatWeeksText(f), "Estás de 0 semanas y 0 días");
}

TEST(TimelineTest, FortyFiveDaysLater) {
    const TimelineFigures f =
        TimelineAsOfNow(CDateValue(2027, 1, 1), CDateValue(2027, 2, 15, 9, 30, 0));
    EXPECT_EQ(f.nElapsedDays, 45);
    EXPECT_EQ(f.nDaysLeft, 235);
    EXPECT_EQ(f.nWeeks, 6);
    EXPECT_EQ(f.nDaysInWeek, 3);
    EXPECT_EQ(FormatWeeksText(f), "Estás de 6 semanas y 3 días");
}

TEST(TimelineTest, PastTheDueDate) {
    CDateValue now(2027, 1, 1, 12, 0, 0);
    now.AddDays(283.0);
    const TimelineFigures f = TimelineAsOfNow(CDateValue(2027, 1, 1), now);
    EXPECT_EQ(f.nElapsedDays, 283);
    EXPECT_EQ(f.nDaysLeft, -3);
    EXPECT_EQ(FormatDaysLeftText(f), "Quedan -3 días para ver a tu bebé");
    EXPECT_EQ(FormatWeeksText(f), "Estás de 40 semanas y 3 días");
}

TEST(TimelineTest, LastPeriodInTheFuture) {
    const TimelineFigures f = TimelineAsOfNow(CDateValue(2027, 1, 11), CDateValue(2027, 1, 1));
    EXPECT_EQ(f.nElapsedDays, -10);
    EXPECT_EQ(f.nWeeks, -1);
    EXPECT_EQ(f.nDaysInWeek, -3);
    EXPECT_EQ(f.nDaysLeft, 290);
    EXPECT_EQ(FormatWeeksText(f), "Estás de -1 semanas y -3 días");
}

TEST(TimelineTest, DueDateIsZeroPadded) {
    const TimelineFigures f = TimelineAsOfNow(CDateValue(2026, 12, 31), CDateValue(2026, 12, 31));
    EXPECT_EQ(FormatDueDateText(f), "Fecha probable de parto: 07/10/2027");
}

TEST(TimelineTest, DueDateKeepsTheTimeOfDay) {
    const TimelineFigures f =
        TimelineAsOfNow(CDateValue(2027, 1, 1, 18, 0, 0), CDateValue(2027, 1, 1));
    EXPECT_TRUE(f.dtDue == CDateValue(2027, 10, 8, 18, 0, 0));
}

// With a last period that carries a time of day, the day form truncates the
// real difference while the form as of now subtracts day numbers.
TEST(TimelineTest, BothFormsDifferOnlyByTheTimeOfDay) {
    const CDateValue lastPeriod(2027, 1, 1, 18, 0, 0);
    const CDateValue day(2027, 1, 8);
    const TimelineFigures asOfNow = TimelineAsOfNow(lastPeriod, day);
    const TimelineFigures forDay = TimelineForDay(lastPeriod, day);
    EXPECT_EQ(asOfNow.nElapsedDays, 7);
    EXPECT_EQ(forDay.nElapsedDays, 6);  // 6.25 days
    EXPECT_EQ(asOfNow.nDaysLeft, 273);  // 273.75 from today's midnight, truncated
    EXPECT_EQ(forDay.nDaysLeft, 273);

    const CDateValue midnight(2027, 1, 1);
    const TimelineFigures a = TimelineAsOfNow(midnight, day);
    const TimelineFigures b = TimelineForDay(midnight, day);
    EXPECT_EQ(a.nElapsedDays, b.nElapsedDays);
    EXPECT_EQ(a.nDaysLeft, b.nDaysLeft);
    EXPECT_EQ(a.nWeeks, b.nWeeks);
    EXPECT_EQ(a.nDaysInWeek, b.nDaysInWeek);
}

TEST(TimelineTest, ForDayBeforeTheLastPeriod) {
    const TimelineFigures f = TimelineForDay(CDateValue(2027, 1, 11), CDateValue(2027, 1, 1));
    EXPECT_EQ(f.nElapsedDays, -10);
    EXPECT_EQ(f.nWeeks, -1);
    EXPECT_EQ(f.nDaysInWeek, -3);
    EXPECT_EQ(f.nDaysLeft, 290);
}

TEST(TimelineTest, BeforeEighteenHundredNinetyNine) {
    // Negative day counts: the arithmetic runs on linear day numbers.
    const CDateValue lastPeriod(1899, 6, 1, 6, 0, 0);
    const CDateValue day(1899, 6, 8);
    EXPECT_EQ(TimelineForDay(lastPeriod, day).nElapsedDays, 6);
    EXPECT_EQ(TimelineAsOfNow(lastPeriod, day).nElapsedDays, 7);
    EXPECT_TRUE(TimelineForDay(lastPeriod, day).dtDue == CDateValue(1900, 3, 8, 6, 0, 0));
}

TEST(TimelineTest, InvalidLastPeriodShowsInvalidDueDate) {
    const TimelineFigures f = TimelineAsOfNow(CDateValue(2027, 2, 30), CDateValue(2027, 1, 1));
    EXPECT_EQ(FormatDueDateText(f), "Fecha probable de parto: Invalid DateTime");
}

struct WeekCase {
    std::int32_t elapsed;
    std::optional<int> week;
};

class TipWeekIndexTest : public ::testing::TestWithParam<WeekCase> {};

TEST_P(TipWeekIndexTest, GivesTheWeek) {
    EXPECT_EQ(TipWeekIndex(GetParam().elapsed), GetParam().week);
}

INSTANTIATE_TEST_SUITE_P(Weeks, TipWeekIndexTest,
                         ::testing::Values(WeekCase{0, 0}, WeekCase{6, 0}, WeekCase{7, 1},
                                           WeekCase{293, 41}, WeekCase{294, std::nullopt},
                                           WeekCase{-1, 0}, WeekCase{-6, 0},
                                           WeekCase{-7, std::nullopt}));

class PregnancyWeekAtTest : public ::testing::TestWithParam<WeekCase> {};

TEST_P(PregnancyWeekAtTest, LabelsWeekStarts) {
    const CDateValue lastPeriod(2027, 1, 1);
    CDateValue day = lastPeriod;
    day.AddDays(GetParam().elapsed);
    EXPECT_EQ(PregnancyWeekAt(day, lastPeriod), GetParam().week);
}

INSTANTIATE_TEST_SUITE_P(Weeks, PregnancyWeekAtTest,
                         ::testing::Values(WeekCase{0, 0}, WeekCase{7, 1}, WeekCase{294, 42},
                                           WeekCase{301, std::nullopt}, WeekCase{8, std::nullopt},
                                           WeekCase{-7, std::nullopt}, WeekCase{-1, std::nullopt}));

TEST(TimelineTest, ElapsedDaysTruncatesTheSpan) {
    EXPECT_EQ(ElapsedDays(CDateValue(2027, 1, 2, 23, 0, 0), CDateValue(2027, 1, 1)), 1);
    EXPECT_EQ(ElapsedDays(CDateValue(2027, 1, 1), CDateValue(2027, 1, 2, 23, 0, 0)), -1);
}

// Exactly one is singular; every other count, zero and negatives included,
// keeps the plural.
struct CountTextCase {
    std::int32_t nDaysLeft;
    std::int32_t nWeeks;
    std::int32_t nDaysInWeek;
    const char* daysLeft;
    const char* weeks;
};

class CountTextTest : public ::testing::TestWithParam<CountTextCase> {};

TEST_P(CountTextTest, OneIsSingular) {
    TimelineFigures f;
    f.nDaysLeft = GetParam().nDaysLeft;
    f.nWeeks = GetParam().nWeeks;
    f.nDaysInWeek = GetParam().nDaysInWeek;
    EXPECT_EQ(FormatDaysLeftText(f), GetParam().daysLeft);
    EXPECT_EQ(FormatWeeksText(f), GetParam().weeks);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, CountTextTest,
    ::testing::Values(
        CountTextCase{1, 1, 1, "Queda 1 día para ver a tu bebé", "Estás de 1 semana y 1 día"},
        CountTextCase{2, 1, 3, "Quedan 2 días para ver a tu bebé", "Estás de 1 semana y 3 días"},
        CountTextCase{0, 2, 1, "Quedan 0 días para ver a tu bebé", "Estás de 2 semanas y 1 día"},
        CountTextCase{-1, -1, -1, "Quedan -1 días para ver a tu bebé",
                      "Estás de -1 semanas y -1 días"}));

}  // namespace
}  // namespace gestalia
