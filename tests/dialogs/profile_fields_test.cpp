#include "dialogs/profile_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace gestalia {
namespace {

struct FieldsRow {
    const char* name;
    CProfileFields fields;
    std::optional<CProfile> profile;  // what the boxes give when read
    const char* message;              // part of the refusal; empty when read
};

class ProfileFields : public ::testing::TestWithParam<FieldsRow> {};

TEST_P(ProfileFields, GiveTheProfileOrSayTheRange) {
    const FieldsRow& row = GetParam();
    const Result<std::optional<CProfile>> profile = ReadProfileFields(row.fields);
    if (std::string(row.message).empty()) {
        ASSERT_TRUE(profile.ok()) << profile.error().message;
        EXPECT_EQ(profile.value(), row.profile);
        return;
    }
    ASSERT_FALSE(profile.ok());
    EXPECT_NE(profile.error().message.find(row.message), std::string::npos)
        << profile.error().message;
}

constexpr const char* kHeightRange = "de 100 a 230";
constexpr const char* kWeightRange = "de 30 a 250";

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileFields,
    ::testing::Values(
        FieldsRow{"BothBlankIsNoProfile", {" ", "", true}, std::nullopt, ""},
        FieldsRow{"Whole", {"163", "58", false}, CProfile{163, 58, false}, ""},
        FieldsRow{"DecimalComma", {" 163,5 ", "58,5", true}, CProfile{163.5, 58.5, true}, ""},
        FieldsRow{"LowestEnds", {"100", "30", false}, CProfile{100, 30, false}, ""},
        FieldsRow{"HighestEnds", {"230", "250", false}, CProfile{230, 250, false}, ""},
        FieldsRow{"HeightTooLow", {"99,9", "58", false}, std::nullopt, kHeightRange},
        FieldsRow{"HeightTooHigh", {"231", "58", false}, std::nullopt, kHeightRange},
        FieldsRow{"HeightInMetres", {"1,63", "58", false}, std::nullopt, kHeightRange},
        FieldsRow{"HeightBlankAlone", {"", "58", false}, std::nullopt, kHeightRange},
        FieldsRow{"HeightAWord", {"alta", "58", false}, std::nullopt, kHeightRange},
        FieldsRow{"WeightTooLow", {"163", "29,9", false}, std::nullopt, kWeightRange},
        FieldsRow{"WeightTooHigh", {"163", "250,5", false}, std::nullopt, kWeightRange},
        FieldsRow{"WeightBlankAlone", {"163", " ", false}, std::nullopt, kWeightRange},
        FieldsRow{"WeightNegative", {"163", "-58", false}, std::nullopt, kWeightRange}),
    [](const ::testing::TestParamInfo<FieldsRow>& info) { return std::string(info.param.name); });

TEST(ProfileFieldsOf, ShowAStoredProfileSoThatItReadsBackTheSame) {
    const CProfile profile{163.5, 58.25, true};
    const CProfileFields fields = ProfileFieldsOf(profile);
    EXPECT_EQ(fields.strHeightCm, "163,5");
    EXPECT_EQ(fields.strWeightBeforeKg, "58,25");
    EXPECT_TRUE(fields.bTwins);
    EXPECT_EQ(ReadProfileFields(fields).value(), profile);
    EXPECT_EQ(ProfileFieldsOf(std::nullopt).strHeightCm, "");
}

}  // namespace
}  // namespace gestalia
