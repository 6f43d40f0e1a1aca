// Contrast by the Web Content Accessibility Guidelines' formula, checked on
// published pairs and on the program's own colours.

#include "model/contrast.h"

#include <gtest/gtest.h>

#include "model/palette.h"

namespace gestalia {
namespace {

struct PairCase {
    Colour a;
    Colour b;
    double ratio;
};

class ContrastRatioTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(ContrastRatioTest, IsTheGuidelinesRatio) {
    EXPECT_NEAR(ContrastRatio(GetParam().a, GetParam().b), GetParam().ratio, 0.005);
    EXPECT_NEAR(ContrastRatio(GetParam().b, GetParam().a), GetParam().ratio, 0.005);
}

// Black on white is the largest; #767676 is the lightest grey that passes AA
// on white, #777777 just fails it.
INSTANTIATE_TEST_SUITE_P(Published, ContrastRatioTest,
                         ::testing::Values(PairCase{palette::kBlack, palette::kWhite, 21.0},
                                           PairCase{palette::kWhite, palette::kWhite, 1.0},
                                           PairCase{RGB(0x76, 0x76, 0x76), palette::kWhite, 4.54},
                                           PairCase{RGB(0x77, 0x77, 0x77), palette::kWhite, 4.48}));

class ReadableTextTest : public ::testing::TestWithParam<Colour> {};

// Whatever the background, black or white reaches AA on it.
TEST_P(ReadableTextTest, ReachesTheMinimumOnAnyBackground) {
    EXPECT_GE(ContrastRatio(ReadableTextOn(GetParam()), GetParam()), kMinimumTextContrast);
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, ReadableTextTest,
                         ::testing::Values(palette::kPink, palette::kPalePink, palette::kPaleYellow,
                                           palette::kTodayGreen, palette::kOtherMonthGrey,
                                           RGB(0, 120, 215), RGB(48, 140, 198), RGB(118, 118, 118),
                                           RGB(119, 119, 119), palette::kBlack, palette::kWhite));

// The pink labels of the days were what a chosen day lost on the highlight.
TEST(ContrastTest, PinkOnWindowsBlueIsAboutOneToOne) {
    EXPECT_LT(ContrastRatio(palette::kPink, RGB(0, 120, 215)), 1.5);
}

}  // namespace
}  // namespace gestalia
