#include "content/week_tips.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "model/windows1252.h"

namespace gestalia {
namespace {

class EverySlot : public ::testing::TestWithParam<int> {};

TEST_P(EverySlot, HasText) {
    const auto tip = GetWeekTip(GetParam());
    ASSERT_TRUE(tip.has_value());
    EXPECT_FALSE(tip->empty());
}

TEST_P(EverySlot, FitsItsSlotOnceEncoded) {
    const auto tip = GetWeekTip(GetParam());
    ASSERT_TRUE(tip.has_value());
    const Result<std::string> encoded = EncodeWindows1252(*tip);
    ASSERT_TRUE(encoded.ok()) << encoded.error().message;
    // The terminating NUL has to fit as well, and a NUL inside would cut the text short.
    EXPECT_LE(encoded.value().size() + 1, kWeekTipSlotBytes);
    EXPECT_EQ(encoded.value().find('\0'), std::string::npos);
}

TEST_P(EverySlot, BreaksLinesWithCrLfOnly) {
    const auto tip = GetWeekTip(GetParam());
    ASSERT_TRUE(tip.has_value());
    const std::string_view text = *tip;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            ASSERT_LT(i + 1, text.size()) << "CR at the end";
            EXPECT_EQ(text[i + 1], '\n') << "lone CR at " << i;
        } else if (text[i] == '\n') {
            ASSERT_GT(i, 0u) << "LF at the start";
            EXPECT_EQ(text[i - 1], '\r') << "lone LF at " << i;
        }
    }
    EXPECT_NE(text.back(), '\n');
}

TEST_P(EverySlot, EndsAsAWholeSentence) {
    const auto tip = GetWeekTip(GetParam());
    ASSERT_TRUE(tip.has_value());
    EXPECT_EQ(tip->back(), '.');
}

INSTANTIATE_TEST_SUITE_P(WeekTips, EverySlot, ::testing::Range(0, kWeekTipSlots));

TEST(WeekTips, NoTextOutsideTheSlots) {
    for (const int slot : {-1, kWeekTipSlots, -2147483647 - 1, 2147483647, 100}) {
        EXPECT_FALSE(GetWeekTip(slot).has_value()) << slot;
    }
}

struct Opening {
    int slot;
    std::string_view words;
};

class TipOpening : public ::testing::TestWithParam<Opening> {};

TEST_P(TipOpening, BeginsWithItsWords) {
    const auto tip = GetWeekTip(GetParam().slot);
    ASSERT_TRUE(tip.has_value());
    EXPECT_TRUE(tip->starts_with(GetParam().words)) << *tip;
}

INSTANTIATE_TEST_SUITE_P(
    WeekTips, TipOpening,
    ::testing::Values(
        Opening{0, "La primera semana corresponde al período menstrual de la madre."},
        Opening{1, "En la segunda semana se produce la ovulación."},
        Opening{6, "Los dientes se forman en las semanas 6 y 7."},
        Opening{7, "Los dientes se forman en las semanas 6 y 7."},
        Opening{39, "Después de la semana 39 el bebé dedica estas últimas semanas a fortalecerse"},
        Opening{40, "Después de la semana 39 el bebé dedica estas últimas semanas a fortalecerse"},
        Opening{41,
                "Después de la semana 39 el bebé dedica estas últimas semanas a fortalecerse"}));

// Consecutive weeks that share one text, first and last slot of each group.
struct SlotGroup {
    int first;
    int last;
};

constexpr SlotGroup kGroups[] = {
    {0, 0},   {1, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},   {6, 7},   {8, 9},
    {10, 11}, {12, 13}, {14, 14}, {15, 16}, {17, 19}, {20, 21}, {22, 24}, {25, 26},
    {27, 28}, {29, 30}, {31, 32}, {33, 34}, {35, 36}, {37, 38}, {39, 41},
};

class TipGroup : public ::testing::TestWithParam<SlotGroup> {};

TEST_P(TipGroup, SlotsOfTheGroupShareOneText) {
    const auto first = GetWeekTip(GetParam().first);
    ASSERT_TRUE(first.has_value());
    for (int slot = GetParam().first + 1; slot <= GetParam().last; ++slot) {
        const auto tip = GetWeekTip(slot);
        ASSERT_TRUE(tip.has_value());
        EXPECT_EQ(*tip, *first) << "slot " << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(WeekTips, TipGroup, ::testing::ValuesIn(kGroups));

// Every group but the last, which has no next one.
class TipGroupBoundary : public ::testing::TestWithParam<SlotGroup> {};

TEST_P(TipGroupBoundary, DiffersFromTheNextGroup) {
    const int next = GetParam().last + 1;
    const auto tip = GetWeekTip(GetParam().last);
    const auto following = GetWeekTip(next);
    ASSERT_TRUE(tip.has_value());
    ASSERT_TRUE(following.has_value());
    EXPECT_NE(*tip, *following) << "slots " << GetParam().last << " and " << next;
}

INSTANTIATE_TEST_SUITE_P(WeekTips, TipGroupBoundary,
                         ::testing::ValuesIn(std::begin(kGroups), std::end(kGroups) - 1));

TEST(WeekTips, HoldTwentyThreeDifferentTexts) {
    std::set<std::string_view> texts;
    for (int slot = 0; slot < kWeekTipSlots; ++slot) {
        const auto tip = GetWeekTip(slot);
        ASSERT_TRUE(tip.has_value());
        texts.insert(*tip);
    }
    EXPECT_EQ(texts.size(), std::size(kGroups));
}

}  // namespace
}  // namespace gestalia
