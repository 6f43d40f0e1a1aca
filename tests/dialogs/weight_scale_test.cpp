#include "dialogs/weight_scale.h"

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/globals.h"

namespace gestalia {
namespace {

struct ScaleCase {
    const char* name;
    std::vector<float> weights;  // placed on days 0, 1, 2 ...
    double top;
    double bottom;
};

std::array<float, kChartDays> TableOf(const std::vector<float>& weights) {
    std::array<float, kChartDays> table{};
    for (std::size_t i = 0; i < weights.size(); ++i) {
        table[i * 7] = weights[i];
    }
    return table;
}

class WeightScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(WeightScaleTest, FitsTheRangeToTheWeights) {
    const ScaleCase& c = GetParam();
    const auto table = TableOf(c.weights);
    const CWeightScale s = ComputeWeightScale(table);
    EXPECT_DOUBLE_EQ(s.top, c.top);
    EXPECT_DOUBLE_EQ(s.bottom, c.bottom);
    EXPECT_DOUBLE_EQ(s.range, c.top - c.bottom);
    EXPECT_DOUBLE_EQ(s.lower, c.bottom + (c.top - c.bottom) / 3.0);
    EXPECT_DOUBLE_EQ(s.upper, c.bottom + 2.0 * (c.top - c.bottom) / 3.0);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, WeightScaleTest,
    ::testing::Values(ScaleCase{"NoWeight", {}, 160.0, 50.0},
                      ScaleCase{"OneWeight", {65.5f}, 70.0, 60.0},
                      ScaleCase{"TopStrictlyAboveARoundMaximum", {70.0f}, 80.0, 70.0},
                      ScaleCase{"SeveralWeights", {58.2f, 61.0f, 74.9f}, 80.0, 50.0},
                      ScaleCase{"AllAtLeast200", {200.0f, 251.0f}, 260.0, 50.0},
                      ScaleCase{"JustBelow200", {199.9f, 251.0f}, 260.0, 190.0},
                      ScaleCase{"Small", {0.5f}, 10.0, 0.0},
                      ScaleCase{"Exactly140", {140.0f}, 150.0, 140.0}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

struct LabelCase {
    const char* name;
    std::vector<float> weights;
    const char* top;
    const char* bottom;
    const char* lower;
    const char* upper;
};

class WeightLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(WeightLabelTest, ShowsTheScale) {
    const LabelCase& c = GetParam();
    const CWeightScale s = ComputeWeightScale(TableOf(c.weights));
    EXPECT_EQ(FormatWeightLabel(s.top), c.top);
    EXPECT_EQ(FormatWeightLabel(s.bottom), c.bottom);
    EXPECT_EQ(FormatWeightLabel(s.lower), c.lower);
    EXPECT_EQ(FormatWeightLabel(s.upper), c.upper);
}

INSTANTIATE_TEST_SUITE_P(
    Weights, WeightLabelTest,
    ::testing::Values(LabelCase{"NoWeight", {}, "160,0 kg", "50,0 kg", "86,7 kg", "123,3 kg"},
                      LabelCase{"OneWeight", {65.5f}, "70,0 kg", "60,0 kg", "63,3 kg", "66,7 kg"}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.name); });

TEST(WeightScaleTest, HugeWeightsFromAFileStayDefined) {
    const auto table = TableOf({1.0e30f, 3.0e38f});
    const CWeightScale s = ComputeWeightScale(table);
    EXPECT_GT(s.range, 0.0);
    EXPECT_EQ(s.bottom, 50.0);
}

}  // namespace
}  // namespace gestalia
