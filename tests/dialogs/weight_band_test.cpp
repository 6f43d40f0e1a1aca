// The recommended band on the weight chart: its weights at the table's
// weeks, where its columns lie, how the dating moves it, and the caption.

#include "dialogs/weight_band.h"

#include <gtest/gtest.h>

#include "model/dating.h"
#include "model/palette.h"

namespace gestalia {
namespace {

// A plot one pixel per chart day: chart day d is column left + d.
const Rect kPlot{10, 20, 10 + kChartDays, 220};

struct BandRow {
    const char* name;
    BmiClass bmiClass;
    double week;
    double lowKg;  // above the weight before pregnancy
    double highKg;
};

class BandGeometry : public ::testing::TestWithParam<BandRow> {};

TEST_P(BandGeometry, ColumnOfAWeekSpansTheRecommendedBand) {
    const BandRow& row = GetParam();
    constexpr double kBefore = 60.0;
    const CChartBand band{kBefore, row.bmiClass, 0};
    const auto day = static_cast<int>(row.week * 7);

    const CWeightBand kg = RecommendedBand(kBefore, row.bmiClass, row.week);
    EXPECT_NEAR(kg.fLowKg, kBefore + row.lowKg, 1e-9);
    EXPECT_NEAR(kg.fHighKg, kBefore + row.highKg, 1e-9);
    EXPECT_EQ(BandOnChartDay(band, day).fLowKg, kg.fLowKg);
    EXPECT_EQ(BandOnChartDay(band, day).fHighKg, kg.fHighKg);

    const CWeightScale scale =
        ComputeWeightScale({}, BandExtent(band).fLowKg, BandExtent(band).fHighKg);
    const std::vector<Rect> columns = BandColumns(kPlot, scale, band);
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(kPlot.Width()));
    const Rect& column = columns[static_cast<std::size_t>(day)];
    EXPECT_EQ(column.left, kPlot.left + day);
    EXPECT_EQ(column.Width(), 1);
    EXPECT_EQ(column.top, static_cast<int>(WeightY(kPlot, scale, kg.fHighKg)));
    EXPECT_EQ(column.bottom - 1, static_cast<int>(WeightY(kPlot, scale, kg.fLowKg)));
    // The scale takes the whole band in.
    EXPECT_GE(column.top, kPlot.top);
    EXPECT_LE(column.bottom, kPlot.bottom);
}

// IOM 2009: 0.5 to 2 kg in the first 13 weeks, then the weekly rates.
INSTANTIATE_TEST_SUITE_P(
    TableEdges, BandGeometry,
    ::testing::Values(
        BandRow{"Week0", BmiClass::normal, 0, 0, 0},
        BandRow{"Week13", BmiClass::normal, 13, 0.5, 2},
        BandRow{"Week40Underweight", BmiClass::underweight, 40, 0.5 + 0.44 * 27, 2 + 0.58 * 27},
        BandRow{"Week40Normal", BmiClass::normal, 40, 0.5 + 0.35 * 27, 2 + 0.5 * 27},
        BandRow{"Week40Overweight", BmiClass::overweight, 40, 0.5 + 0.23 * 27, 2 + 0.33 * 27},
        BandRow{"Week40Obese", BmiClass::obese, 40, 0.5 + 0.17 * 27, 2 + 0.27 * 27}),
    [](const ::testing::TestParamInfo<BandRow>& info) { return std::string(info.param.name); });

TEST(BandColumns, DayAtXUndoesDayX) {
    const Rect plot{3, 0, 250, 100};
    for (const int day : {0, 1, 100, 146, kChartDays - 1}) {
        const auto x = static_cast<int>(DayX(plot, day));
        EXPECT_LE(DayAtX(plot, x), day);
        EXPECT_GT(DayAtX(plot, x + 1), day);
    }
}

TEST(ChartBandOf, FollowsTheScanAndLeavesOutTwinsAndNoProfile) {
    const CDateValue lastPeriod(2027, 1, 1);
    CDating dating;
    dating.dtLastPeriod = CDateValue(2026, 12, 26);  // by the scan, 6 days earlier
    const CProfile profile{163, 58, false};
    const std::optional<CChartBand> band = ChartBandOf(profile, lastPeriod, dating);
    ASSERT_TRUE(band.has_value());
    EXPECT_EQ(band->nDayShift, 6);
    EXPECT_EQ(band->bmiClass, BmiClass::normal);
    EXPECT_DOUBLE_EQ(WeekOfChartDay(*band, 85), 13.0);

    EXPECT_FALSE(ChartBandOf(CProfile{163, 58, true}, lastPeriod, dating).has_value());
    EXPECT_FALSE(ChartBandOf(std::nullopt, lastPeriod, dating).has_value());
}

TEST(ChartCaption, SaysTheIndexTheGainWhyNoBandOrHowToSeeIt) {
    EXPECT_EQ(ChartCaption(CProfile{163, 58, false}),
              "IMC 21,8 (normal): ganancia recomendada 11,5–16 kg. La banda es la ganancia "
              "recomendada por semana (IOM 2009).");
    EXPECT_EQ(ChartCaption(CProfile{163, 58, true}),
              "IMC 21,8 (normal). Con embarazo gemelar no se dibuja la banda: la referencia (IOM "
              "2009) solo da rangos provisionales.");
    EXPECT_EQ(ChartCaption(std::nullopt),
              "Pon tu altura y tu peso de antes en «Perfil» para ver la ganancia recomendada.");
}

}  // namespace
}  // namespace gestalia
