#include "dialogs/daily_weights.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/date_value.h"
#include "model/globals.h"
#include "model/item_store.h"

namespace gestalia {
namespace {

// The last period: 1 January 2027 at 10:00.
const CDateValue kLastPeriod(2027, 1, 1, 10, 0, 0);

CDateValue DaysAfterLastPeriod(double days) {
    CDateValue d = kLastPeriod;
    d.AddDays(days);
    return d;
}

void Add(CItemStore& store, const CDateValue& from, float weight) {
    static_cast<void>(store.AddItem(from, from, "nota", 1, weight, CItemDefaults{}));
}

struct DayCase {
    const char* name;
    double offsetDays;  // from the last period, fraction included
    int expectedDay;    // -1: not charted
};

class DailyWeightsDayTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(DailyWeightsDayTest, PutsANoteOnItsDayOfPregnancy) {
    const DayCase& c = GetParam();
    CItemStore store;
    Add(store, DaysAfterLastPeriod(c.offsetDays), 64.0f);
    const DailyWeightTable table = ComputeDailyWeights(store, kLastPeriod);
    for (int d = 0; d < kChartDays; ++d) {
        const float expected = d == c.expectedDay ? 64.0f : 0.0f;
        EXPECT_EQ(table[static_cast<std::size_t>(d)], expected) << "day " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Days, DailyWeightsDayTest,
    ::testing::Values(DayCase{"OnTheLastPeriod", 0.0, 0}, DayCase{"LessThanADayBefore", -0.5, 0},
                      DayCase{"OneDayBefore", -1.0, -1}, DayCase{"FarBefore", -40.0, -1},
                      DayCase{"NextDayEarlierInTheDay", 0.9, 0}, DayCase{"OneDayAfter", 1.0, 1},
                      DayCase{"Day100", 100.25, 100}, DayCase{"LastDay", 293.5, 293},
                      DayCase{"Day294", 294.0, -1}, DayCase{"FarAfter", 4000.0, -1}),
    [](const ::testing::TestParamInfo<DayCase>& info) { return std::string(info.param.name); });

TEST(DailyWeightsTest, KeepsTheLargestWeightOfADayInEitherOrder) {
    for (const bool bHeavierFirst : {false, true}) {
        CItemStore store;
        Add(store, DaysAfterLastPeriod(30.0), bHeavierFirst ? 63.0f : 62.0f);
        Add(store, DaysAfterLastPeriod(30.2), bHeavierFirst ? 62.0f : 63.0f);
        const DailyWeightTable table = ComputeDailyWeights(store, kLastPeriod);
        EXPECT_EQ(table[30], 63.0f);
        EXPECT_EQ(table[29], 0.0f);
        EXPECT_EQ(table[31], 0.0f);
    }
}

TEST(DailyWeightsTest, NotesWithoutAWeightLeaveTheDayEmpty) {
    CItemStore store;
    Add(store, DaysAfterLastPeriod(5.0), 0.0f);
    Add(store, DaysAfterLastPeriod(6.0), -4.0f);
    Add(store, DaysAfterLastPeriod(7.0), std::numeric_limits<float>::quiet_NaN());
    Add(store, DaysAfterLastPeriod(8.0), std::numeric_limits<float>::infinity());
    const DailyWeightTable table = ComputeDailyWeights(store, kLastPeriod);
    for (const float v : table) {
        EXPECT_EQ(v, 0.0f);
    }
}

TEST(DailyWeightsTest, FillReplacesTheWholeTable) {
    CGlobals globals;
    globals.dtLastPeriod = kLastPeriod;
    globals.afDailyWeights.fill(99.0f);
    Add(globals.listItems, DaysAfterLastPeriod(10.0), 61.5f);
    FillDailyWeights(globals);
    for (int d = 0; d < kChartDays; ++d) {
        EXPECT_EQ(globals.afDailyWeights[static_cast<std::size_t>(d)], d == 10 ? 61.5f : 0.0f)
            << "day " << d;
    }
}

TEST(DailyWeightsTest, AnInvalidLastPeriodChartsNothingOutOfRange) {
    CItemStore store;
    Add(store, DaysAfterLastPeriod(3.0), 60.0f);
    CDateValue far(9999, 12, 31, 0, 0, 0);
    const DailyWeightTable table = ComputeDailyWeights(store, far);
    for (const float v : table) {
        EXPECT_EQ(v, 0.0f);
    }
}

}  // namespace
}  // namespace gestalia
