#include "dialogs/weight_text.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace gestalia {
namespace {

// A weight, or nothing for a text that is not one.
struct ParseCase {
    std::string text;
    std::optional<float> expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseWeightTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseWeightTextTest, ReadsAWeightFromZeroTo140OrNothing) {
    const ParseCase& c = GetParam();
    const std::optional<float> got = ParseWeightText(c.text);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << "text: \"" << c.text << "\"";
    if (got) {
        EXPECT_FLOAT_EQ(*got, *c.expected) << "text: \"" << c.text << "\"";
        EXPECT_FALSE(std::signbit(*got)) << "text: \"" << c.text << "\"";
    }
}

constexpr std::optional<float> kRefused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Weights, ParseWeightTextTest,
                         ::testing::Values(ParseCase{"62,5", 62.5f}, ParseCase{"62.5", 62.5f},
                                           ParseCase{"150", kRefused}, ParseCase{"-3", kRefused},
                                           ParseCase{"abc", kRefused}, ParseCase{"140", 140.0f},
                                           ParseCase{"140,0", 140.0f}, ParseCase{"140.1", kRefused},
                                           ParseCase{"0", 0.0f}, ParseCase{"", 0.0f},
                                           ParseCase{"  \t ", 0.0f}, ParseCase{"   70", 70.0f},
                                           ParseCase{"\t71,25 ", 71.25f}, ParseCase{"72 kg", 72.0f},
                                           ParseCase{"72KG", 72.0f}, ParseCase{"kg", kRefused},
                                           ParseCase{"+65", kRefused}, ParseCase{",5", 0.5f},
                                           ParseCase{"5.", 5.0f}, ParseCase{"1e2", kRefused},
                                           ParseCase{"1e9", kRefused}, ParseCase{"kg 60", kRefused},
                                           ParseCase{"inf", kRefused}, ParseCase{"nan", kRefused},
                                           ParseCase{"0x40", kRefused}, ParseCase{"-0", kRefused},
                                           ParseCase{".", kRefused}, ParseCase{"62,5,3", kRefused},
                                           ParseCase{"6 2", kRefused}, ParseCase{"0.0", 0.0f}));

struct FormatCase {
    float weight;
    std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.weight;
}

class FormatWeightTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatWeightTextTest, ShowsAsManyDecimalsAsItNeedsWithAComma) {
    EXPECT_EQ(FormatWeightText(GetParam().weight), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Weights, FormatWeightTextTest,
                         ::testing::Values(FormatCase{0.0f, ""}, FormatCase{62.5f, "62,5"},
                                           FormatCase{140.0f, "140"}, FormatCase{5.0f, "5"},
                                           FormatCase{63.25f, "63,25"}, FormatCase{7.96f, "7,96"},
                                           FormatCase{62.37f, "62,37"}, FormatCase{60.0f, "60"}));

TEST(WeightTextTest, WhatIsShownReadsBackTheSame) {
    for (const float w : {0.0f, 0.5f, 49.9f, 62.37f, 62.5f, 99.9f, 139.99f, 140.0f}) {
        EXPECT_EQ(ParseWeightText(FormatWeightText(w)), w) << w;
    }
}

}  // namespace
}  // namespace gestalia
