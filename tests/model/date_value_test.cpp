#include "model/date_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "model/clock.h"

namespace gestalia {
namespace {

struct FieldsCase {
    int year, month, day, hour, minute, second;
    bool valid;
};

class SetDateTimeTest : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(SetDateTimeTest, ValidOnlyWhenFieldsReadBackUnchanged) {
    const FieldsCase c = GetParam();
    CDateValue dt;
    dt.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
    EXPECT_EQ(dt.IsValid(), c.valid);
    if (c.valid) {
        EXPECT_EQ(dt.GetYear(), c.year);
        EXPECT_EQ(dt.GetMonth(), c.month);
        EXPECT_EQ(dt.GetDay(), c.day);
        EXPECT_EQ(dt.GetHour(), c.hour);
        EXPECT_EQ(dt.GetMinute(), c.minute);
        EXPECT_EQ(dt.GetSecond(), c.second);
    } else {
        EXPECT_EQ(dt.GetStatus(), DateStatus::invalid);
        EXPECT_EQ(dt.GetYear(), -1);
        EXPECT_EQ(dt.GetDay(), -1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SetDateTimeTest,
    ::testing::Values(
        FieldsCase{2012, 2, 29, 0, 0, 0, true}, FieldsCase{2012, 12, 31, 23, 59, 59, true},
        FieldsCase{2013, 2, 29, 0, 0, 0, false}, FieldsCase{2012, 4, 31, 0, 0, 0, false},
        FieldsCase{99, 12, 31, 0, 0, 0, false}, FieldsCase{99, 1, 1, 0, 0, 0, false},
        FieldsCase{10000, 1, 1, 0, 0, 0, false}, FieldsCase{10000, 12, 31, 0, 0, 0, false},
        FieldsCase{100, 1, 1, 0, 0, 0, true}, FieldsCase{9999, 12, 31, 23, 59, 59, true},
        FieldsCase{2000, 2, 29, 0, 0, 0, true}, FieldsCase{1900, 2, 29, 0, 0, 0, false},
        FieldsCase{2012, 1, 1, 24, 0, 0, false}, FieldsCase{2012, 1, 1, 0, 60, 0, false},
        FieldsCase{2012, 1, 1, 0, 0, 60, false}, FieldsCase{2012, 0, 1, 0, 0, 0, false},
        FieldsCase{2012, 13, 1, 0, 0, 0, false}, FieldsCase{2012, 1, 0, 0, 0, 0, false},
        FieldsCase{2012, 1, 1, -1, 0, 0, false}, FieldsCase{2012, 1, 1, 0, 0, -1, false},
        FieldsCase{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                   std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                   std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), false},
        FieldsCase{2012, std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                   std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                   std::numeric_limits<int>::min(), false}));

struct OleCase {
    int year, month, day, hour, minute, second;
    double dt;
};

class OleDateTest : public ::testing::TestWithParam<OleCase> {};

TEST_P(OleDateTest, FieldsGiveTheKnownDayCount) {
    const OleCase c = GetParam();
    const CDateValue dt(c.year, c.month, c.day, c.hour, c.minute, c.second);
    ASSERT_TRUE(dt.IsValid());
    EXPECT_EQ(dt.GetRaw(), c.dt);
    const CDateValue back = CDateValue::FromRaw(c.dt, DateStatus::valid);
    EXPECT_EQ(back.GetYear(), c.year);
    EXPECT_EQ(back.GetMonth(), c.month);
    EXPECT_EQ(back.GetDay(), c.day);
    EXPECT_EQ(back.GetHour(), c.hour);
    EXPECT_EQ(back.GetMinute(), c.minute);
    EXPECT_EQ(back.GetSecond(), c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Known, OleDateTest,
    ::testing::Values(OleCase{2012, 1, 1, 0, 0, 0, 40909.0}, OleCase{2012, 1, 1, 6, 0, 0, 40909.25},
                      OleCase{1899, 12, 30, 0, 0, 0, 0.0}, OleCase{1899, 12, 30, 18, 0, 0, 0.75},
                      OleCase{1899, 12, 29, 6, 0, 0, -1.25}, OleCase{1899, 12, 29, 0, 0, 0, -1.0},
                      OleCase{1899, 12, 28, 12, 0, 0, -2.5}, OleCase{1900, 1, 1, 0, 0, 0, 2.0},
                      OleCase{2027, 1, 1, 0, 0, 0, 46388.0}, OleCase{100, 1, 1, 0, 0, 0, -657434.0},
                      OleCase{9999, 12, 31, 0, 0, 0, 2958465.0},
                      OleCase{9999, 12, 31, 12, 0, 0, 2958465.5}));

// Every calendar day of the valid range: fields to day count and back, with a
// time of day that changes from day to day.
TEST(DateValueTest, EveryDayFrom100To9999RoundTrips) {
    const int daysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double expectedDay = -657434.0;
    int expectedDayOfWeek = 5;  // 1 January 100 was a Friday (proleptic Gregorian)
    int failures = 0;
    for (int y = 100; y <= 9999 && failures < 10; ++y) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        int dayOfYear = 1;
        for (int m = 1; m <= 12; ++m) {
            const int last = daysInMonth[m - 1] + (m == 2 && leap ? 1 : 0);
            for (int d = 1; d <= last; ++d, ++dayOfYear) {
                const auto n = static_cast<long long>(expectedDay);
                const int secs = static_cast<int>(((n % 86400) + 86400) * 7919 % 86400);
                const int hh = secs / 3600;
                const int mi = secs / 60 % 60;
                const int ss = secs % 60;
                const CDateValue dt(y, m, d, hh, mi, ss);
                CDateFields f;
                const bool good = dt.IsValid() && std::trunc(dt.GetRaw()) == expectedDay &&
                                  dt.GetFields(f) && f.year == y && f.month == m && f.day == d &&
                                  f.hour == hh && f.minute == mi && f.second == ss &&
                                  f.dayOfWeek == expectedDayOfWeek && f.dayOfYear == dayOfYear;
                if (!good) {
                    ADD_FAILURE() << "round trip failed for " << y << "-" << m << "-" << d << " "
                                  << hh << ":" << mi << ":" << ss;
                    ++failures;
                }
                expectedDay += 1.0;
                expectedDayOfWeek = (expectedDayOfWeek + 1) % 7;
            }
        }
    }
    EXPECT_EQ(expectedDay, 2958466.0);
}

TEST(DateValueTest, DayCountsOutsideTheRangeHaveNoFields) {
    for (const double raw :
         {-657435.0, -657434.5 - 1.0, 2958466.0, 1e300, -1e300,
          std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        const CDateValue dt = CDateValue::FromRaw(raw, DateStatus::valid);
        EXPECT_EQ(dt.GetYear(), -1) << raw;
        EXPECT_EQ(dt.GetDayOfWeek(), -1) << raw;
        EXPECT_EQ(dt.Format("%d/%m/%Y"), "Invalid DateTime") << raw;
    }
}

TEST(DateValueTest, FieldsRoundToTheNearestSecond) {
    const CDateValue dt = CDateValue::FromRaw(40909.0 - 1e-9, DateStatus::valid);
    EXPECT_EQ(dt.GetDay(), 1);
    EXPECT_EQ(dt.GetMonth(), 1);
    EXPECT_EQ(dt.GetYear(), 2012);
    EXPECT_EQ(dt.GetHour(), 0);
}

TEST(DateValueTest, FreshValueIsValidZero) {
    const CDateValue dt;
    EXPECT_TRUE(dt.IsValid());
    EXPECT_EQ(dt.GetRaw(), 0.0);
}

TEST(DateValueTest, AddDaysRunsForwardsThroughNegativeValues) {
    CDateValue dt = CDateValue::FromRaw(-1.25, DateStatus::valid);
    dt.AddDays(1.0);
    EXPECT_EQ(dt.GetRaw(), 0.25);
    dt.AddDays(-1.0);
    EXPECT_EQ(dt.GetRaw(), -1.25);
    dt.AddDays(-0.5);  // 28 December 18:00
    EXPECT_EQ(dt.GetRaw(), -2.75);
    EXPECT_EQ(dt.GetDay(), 28);
    EXPECT_EQ(dt.GetHour(), 18);
}

TEST(DateValueTest, AddDaysKeepsTheStatus) {
    CDateValue bad(2013, 2, 29);
    ASSERT_FALSE(bad.IsValid());
    bad.AddDays(1.0);
    EXPECT_EQ(bad.GetStatus(), DateStatus::invalid);
    CDateValue none = CDateValue::FromRaw(5.0, DateStatus::null);
    none.AddDays(1.0);
    EXPECT_EQ(none.GetStatus(), DateStatus::null);
    EXPECT_EQ(none.GetRaw(), 6.0);
}

TEST(DateValueTest, AddDaysOf280FromLastPeriod) {
    CDateValue dt(2026, 12, 31);
    dt.AddDays(280.0);
    EXPECT_EQ(dt.GetYear(), 2027);
    EXPECT_EQ(dt.GetMonth(), 10);
    EXPECT_EQ(dt.GetDay(), 7);
}

struct SpanCase {
    double a, b, span;
    DateStatus status;
};

class DateSpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(DateSpanTest, DifferenceOfLinearDayNumbers) {
    const SpanCase c = GetParam();
    const CDateSpan s =
        CDateValue::FromRaw(c.a, DateStatus::valid) - CDateValue::FromRaw(c.b, DateStatus::valid);
    EXPECT_EQ(s.m_span, c.span);
    EXPECT_EQ(s.m_status, c.status);
}

INSTANTIATE_TEST_SUITE_P(Spans, DateSpanTest,
                         ::testing::Values(SpanCase{40909.0, 0.0, 40909.0, DateStatus::valid},
                                           SpanCase{0.25, -1.25, 1.0, DateStatus::valid},
                                           SpanCase{-1.25, 0.25, -1.0, DateStatus::valid},
                                           SpanCase{3615897.0, 0.0, 3615897.0, DateStatus::valid},
                                           SpanCase{3615898.0, 0.0, 3615898.0, DateStatus::invalid},
                                           SpanCase{0.0, 3615897.0, -3615897.0, DateStatus::valid},
                                           SpanCase{0.0, 3615898.0, -3615898.0,
                                                    DateStatus::invalid},
                                           SpanCase{40909.75, 40909.0, 0.75, DateStatus::valid}));

TEST(DateValueTest, SpanOfKnownDatesIgnoresStatuses) {
    const CDateSpan s = CDateValue(2012, 1, 1) - CDateValue(1899, 12, 30);
    EXPECT_EQ(s.m_span, 40909.0);
    EXPECT_EQ(s.m_status, DateStatus::valid);
    const CDateSpan t =
        CDateValue::FromRaw(10.0, DateStatus::invalid) - CDateValue::FromRaw(4.0, DateStatus::null);
    EXPECT_EQ(t.m_span, 6.0);
    EXPECT_EQ(t.m_status, DateStatus::valid);
}

TEST(DateValueTest, NanSpanIsInvalid) {
    const CDateSpan s =
        CDateValue::FromRaw(std::numeric_limits<double>::quiet_NaN(), DateStatus::valid) -
        CDateValue(2012, 1, 1);
    EXPECT_EQ(s.m_status, DateStatus::invalid);
    EXPECT_EQ(s.WholeDays(), 0);
}

TEST(DateValueTest, WholeDaysTruncatesTowardsZero) {
    EXPECT_EQ((CDateSpan{1.9, DateStatus::valid}).WholeDays(), 1);
    EXPECT_EQ((CDateSpan{-1.9, DateStatus::valid}).WholeDays(), -1);
    EXPECT_EQ((CDateSpan{1e12, DateStatus::invalid}).WholeDays(),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ((CDateSpan{-1e12, DateStatus::invalid}).WholeDays(),
              std::numeric_limits<std::int32_t>::min());
}

TEST(DateValueTest, Equality) {
    const CDateValue bad1(2013, 2, 29);
    const CDateValue bad2(2013, 2, 29);
    EXPECT_FALSE(bad1 == bad2);
    EXPECT_FALSE(bad1 == bad1);
    EXPECT_TRUE(CDateValue::FromRaw(1.0, DateStatus::null) ==
                CDateValue::FromRaw(2.0, DateStatus::null));
    EXPECT_TRUE(CDateValue(2012, 3, 5) == CDateValue(2012, 3, 5));
    EXPECT_FALSE(CDateValue(2012, 3, 5) == CDateValue(2012, 3, 5, 0, 0, 1));
    EXPECT_FALSE(CDateValue::FromRaw(1.0, DateStatus::valid) ==
                 CDateValue::FromRaw(1.0, DateStatus::null));
}

TEST(DateValueTest, FieldReaders) {
    EXPECT_EQ(CDateValue(2013, 2, 29).GetDay(), -1);
    EXPECT_EQ(CDateValue(2012, 3, 5).GetDayOfWeek(), 1);
    EXPECT_EQ(CDateValue(2012, 3, 4).GetDayOfWeek(), 0);
    EXPECT_EQ(CDateValue(2012, 3, 10).GetDayOfWeek(), 6);
    EXPECT_EQ(CDateValue::FromRaw(40909.0, DateStatus::null).GetYear(), -1);
}

TEST(DateValueTest, DatePartIsMidnightOfTheSameDay) {
    EXPECT_TRUE(CDateValue(2012, 3, 5, 15, 30, 12).GetDatePart() == CDateValue(2012, 3, 5));
    EXPECT_EQ(CDateValue::FromRaw(-1.25, DateStatus::valid).GetDatePart().GetRaw(), -1.0);
    EXPECT_EQ(CDateValue(2013, 2, 29).GetDatePart().GetStatus(), DateStatus::invalid);
    EXPECT_EQ(CDateValue::FromRaw(3.0, DateStatus::null).GetDatePart().GetStatus(),
              DateStatus::invalid);
}

struct FormatCase {
    CDateValue dt;
    const char* pattern;
    const char* text;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, GivesTheText) {
    const FormatCase c = GetParam();
    EXPECT_EQ(c.dt.Format(c.pattern), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatTest,
    ::testing::Values(FormatCase{CDateValue(2012, 3, 5), "%d/%m/%Y", "05/03/2012"},
                      FormatCase{CDateValue(2012, 3, 5), "%m/%d/%Y", "03/05/2012"},
                      FormatCase{CDateValue(2012, 3, 5), "%B, %d", "March, 05"},
                      FormatCase{CDateValue(2012, 9, 1), "%B", "September"},
                      FormatCase{CDateValue(2012, 12, 31), "%d", "31"},
                      FormatCase{CDateValue(2012, 3, 5, 9, 5, 0), "%H%M", "0905"},
                      FormatCase{CDateValue(2012, 3, 5, 23, 59, 59), "%H:%M:%S %j %a",
                                 "23:59:59 065 Mon"},
                      FormatCase{CDateValue(100, 1, 1), "%d/%m/%Y", "01/01/100"},
                      FormatCase{CDateValue::FromRaw(40909.0, DateStatus::null), "%d/%m/%Y", ""},
                      FormatCase{CDateValue(2013, 2, 29), "%d/%m/%Y", "Invalid DateTime"},
                      FormatCase{CDateValue(2012, 3, 5), "", ""}));

TEST(DateValueTest, FormatGivesNothingWhenTheTextOverflowsItsBuffer) {
    const CDateValue dt(2012, 3, 5);
    std::string fits;
    std::string overflows;
    for (int i = 0; i < 63; ++i) {
        fits += "%Y";
    }
    fits += "%dx";
    overflows = fits + "y";
    EXPECT_EQ(dt.Format(fits).size(), 255u);
    EXPECT_EQ(dt.Format(overflows), "");
}

// Puts the process's time locale back when the test ends.
class CTimeLocaleGuard {
  public:
    CTimeLocaleGuard() : m_saved(std::setlocale(LC_TIME, nullptr)) {}
    ~CTimeLocaleGuard() { std::setlocale(LC_TIME, m_saved.c_str()); }
    CTimeLocaleGuard(const CTimeLocaleGuard&) = delete;
    CTimeLocaleGuard& operator=(const CTimeLocaleGuard&) = delete;

  private:
    std::string m_saved;
};

TEST(DateValueTest, MonthNamesStayEnglishUnderAnotherProcessLocale) {
    const CTimeLocaleGuard guard;
    bool set = false;
    for (const char* name : {"es_ES.UTF-8", "es_ES.utf8", "es_ES", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_TIME, name) != nullptr) {
            set = true;
            break;
        }
    }
    if (!set) {
        GTEST_SKIP() << "no non-English locale installed";
    }
    EXPECT_EQ(CDateValue(2012, 3, 5).Format("%B"), "March");
}

TEST(DateValueTest, SetFromTimeUsesTheClocksZone) {
    // 2012-03-05 23:30 UTC is already 6 March 00:30 one hour east.
    const std::int64_t instant = CFixedClock::LocalSeconds(2012, 3, 5, 23, 30, 0);
    const CFixedClock east(instant, 3600);
    CDateValue dt;
    dt.SetFromTime(instant, east);
    EXPECT_TRUE(dt == CDateValue(2012, 3, 6, 0, 30, 0));
    const CFixedClock utc(instant);
    EXPECT_TRUE(CDateValue::Now(utc) == CDateValue(2012, 3, 5, 23, 30, 0));
}

class CFailingClock final : public IClock {
  public:
    std::int64_t NowSeconds() const override { return 0; }
    std::optional<std::tm> ToLocalTime(std::int64_t) const override { return std::nullopt; }
};

TEST(DateValueTest, SetFromTimeFailureKeepsTheDayCount) {
    CDateValue dt(2012, 3, 5);
    dt.SetFromTime(0, CFailingClock());
    EXPECT_EQ(dt.GetStatus(), DateStatus::invalid);
    EXPECT_EQ(dt.GetRaw(), 40973.0);
}

TEST(DateValueTest, SetFromTimeOutsideTheCalendarRangeIsInvalid) {
    const std::int64_t instant = CFixedClock::LocalSeconds(10000, 1, 1);
    CDateValue dt;
    dt.SetFromTime(instant, CFixedClock(instant));
    EXPECT_EQ(dt.GetStatus(), DateStatus::invalid);
}

}  // namespace
}  // namespace gestalia
