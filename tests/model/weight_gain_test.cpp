#include "model/weight_gain.h"

#include <gtest/gtest.h>

#include <string>

namespace gestalia {
namespace {

// The rows of the Institute of Medicine's 2009 table, each at both edges of
// its body mass index.
struct BandRow {
    double bmi;
    const char* caption;
    double weeklyLow;
    double weeklyHigh;
};

class WeightBandTest : public ::testing::TestWithParam<BandRow> {};

TEST_P(WeightBandTest, FollowsTheTableAtItsEdges) {
    const BandRow& row = GetParam();
    const BmiClass bmiClass = ClassOfBmi(row.bmi);
    EXPECT_EQ(GainCaption(row.bmi), row.caption);
    const double w0 = 60;
    const CWeightBand start = RecommendedBand(w0, bmiClass, 0);
    EXPECT_DOUBLE_EQ(start.fLowKg, w0);
    EXPECT_DOUBLE_EQ(start.fHighKg, w0);
    const CWeightBand halfway = RecommendedBand(w0, bmiClass, 6.5);
    EXPECT_DOUBLE_EQ(halfway.fLowKg, w0 + 0.25);
    EXPECT_DOUBLE_EQ(halfway.fHighKg, w0 + 1);
    const CWeightBand week13 = RecommendedBand(w0, bmiClass, 13);
    EXPECT_DOUBLE_EQ(week13.fLowKg, w0 + 0.5);
    EXPECT_DOUBLE_EQ(week13.fHighKg, w0 + 2);
    const CWeightBand week40 = RecommendedBand(w0, bmiClass, 40);
    EXPECT_NEAR(week40.fLowKg, w0 + 0.5 + row.weeklyLow * 27, 1e-9);
    EXPECT_NEAR(week40.fHighKg, w0 + 2 + row.weeklyHigh * 27, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Iom2009, WeightBandTest,
    ::testing::Values(
        BandRow{16.0, "IMC 16,0 (bajo peso): ganancia recomendada 12,5–18 kg", 0.44, 0.58},
        BandRow{18.44, "IMC 18,4 (bajo peso): ganancia recomendada 12,5–18 kg", 0.44, 0.58},
        BandRow{18.46, "IMC 18,5 (normal): ganancia recomendada 11,5–16 kg", 0.35, 0.50},
        BandRow{24.94, "IMC 24,9 (normal): ganancia recomendada 11,5–16 kg", 0.35, 0.50},
        BandRow{24.96, "IMC 25,0 (sobrepeso): ganancia recomendada 7–11,5 kg", 0.23, 0.33},
        BandRow{29.9, "IMC 29,9 (sobrepeso): ganancia recomendada 7–11,5 kg", 0.23, 0.33},
        BandRow{30.0, "IMC 30,0 (obesidad): ganancia recomendada 5–9 kg", 0.17, 0.27},
        BandRow{45.0, "IMC 45,0 (obesidad): ganancia recomendada 5–9 kg", 0.17, 0.27}));

TEST(BodyMassIndex, IsTheWeightOverTheHeightSquared) {
    EXPECT_NEAR(*BodyMassIndex(165, 60), 22.038, 1e-3);
    EXPECT_FALSE(BodyMassIndex(0, 60));
    EXPECT_FALSE(BodyMassIndex(165, -1));
}

}  // namespace
}  // namespace gestalia
