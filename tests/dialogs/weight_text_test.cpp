#include "dialogs/weight_text.h"

#include <cmath>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace gestalia {
namespace {

struct ParseCase {
    std::string text;
    float expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseWeightTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseWeightTextTest, ReadsTheLeadingNumberWithinRange) {
    const ParseCase& c = GetParam();
    const float got = ParseWeightText(c.text);
    EXPECT_FLOAT_EQ(got, c.expected) << "text: \"" << c.text << "\"";
    EXPECT_FALSE(std::signbit(got)) << "text: \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Weights, ParseWeightTextTest,
    ::testing::Values(ParseCase{"62,5", 62.5f}, ParseCase{"62.5", 62.5f}, ParseCase{"150", 0.0f},
                      ParseCase{"-3", 0.0f}, ParseCase{"abc", 0.0f}, ParseCase{"140", 140.0f},
                      ParseCase{"140,0", 140.0f}, ParseCase{"140.1", 0.0f}, ParseCase{"0", 0.0f},
                      ParseCase{"", 0.0f}, ParseCase{"   70", 70.0f}, ParseCase{"\t71,25", 71.25f},
                      ParseCase{"72 kg", 72.0f}, ParseCase{"72kg", 72.0f}, ParseCase{"+65", 65.0f},
                      ParseCase{",5", 0.5f}, ParseCase{"5.", 5.0f}, ParseCase{"1e2", 100.0f},
                      ParseCase{"1e3", 0.0f}, ParseCase{"1e", 1.0f}, ParseCase{"kg 60", 0.0f},
                      ParseCase{"inf", 0.0f}, ParseCase{"nan", 0.0f}, ParseCase{"0x40", 0.0f},
                      ParseCase{"-0", 0.0f}, ParseCase{"+-5", 0.0f}, ParseCase{"1e999", 0.0f},
                      ParseCase{"62,5,3", 62.5f}, ParseCase{"0.0", 0.0f}));

struct FormatCase {
    float weight;
    std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.weight;
}

class FormatWeightTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatWeightTextTest, ShowsOneDecimalWithAPoint) {
    EXPECT_EQ(FormatWeightText(GetParam().weight), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Weights, FormatWeightTextTest,
                         ::testing::Values(FormatCase{0.0f, "0.0"}, FormatCase{62.5f, "62.5"},
                                           FormatCase{140.0f, "140.0"}, FormatCase{5.0f, "5.0"},
                                           FormatCase{63.25f, "63.2"}, FormatCase{7.96f, "8.0"}));

TEST(WeightTextTest, WhatIsShownReadsBackTheSame) {
    for (const float w : {0.0f, 0.5f, 49.9f, 62.5f, 99.9f, 140.0f}) {
        EXPECT_FLOAT_EQ(ParseWeightText(FormatWeightText(w)), w) << w;
    }
}

}  // namespace
}  // namespace gestalia
