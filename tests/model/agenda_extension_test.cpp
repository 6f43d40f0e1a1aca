#include "model/agenda_extension.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/agenda_file.h"
#include "model/crc32.h"
#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using test::I32;
using test::ReadAll;
using test::U32;
using Json = nlohmann::json;

std::string Fixture(const std::string& name) {
    return ReadAll(std::string(GESTALIA_TEST_DATA_DIR) + "/" + name);
}

// The block as the file holds it, built by hand from the layout.
std::string Block(const std::string& payload, std::uint32_t version = 1) {
    return "GSTX" + U32(version) + U32(static_cast<std::uint32_t>(payload.size())) + payload +
           U32(Crc32(payload));
}

struct CrcRow {
    std::string bytes;
    std::uint32_t crc;  // python3: zlib.crc32(bytes)
};

class Crc : public ::testing::TestWithParam<CrcRow> {};

TEST_P(Crc, IsZlibs) {
    EXPECT_EQ(Crc32(GetParam().bytes), GetParam().crc);
}

INSTANTIATE_TEST_SUITE_P(Zlib, Crc,
                         ::testing::Values(CrcRow{"", 0x00000000u}, CrcRow{"a", 0xE8B7BE43u},
                                           CrcRow{"123456789", 0xCBF43926u},
                                           CrcRow{R"({"birth":"2027-09-30"})", 0x920605F3u},
                                           CrcRow{"Ecografía", 0xF72D3814u}));

CAgendaExtension WithBirth(const CDateValue& day) {
    CAgendaExtension e;
    e.SetBirth(day);
    return e;
}

TEST(AgendaExtension, TheBlockFollowsTheLastNoteAndReadsBack) {
    Result<CAgendaData> sample = ParseAgenda(Fixture("sample.gst"));
    ASSERT_TRUE(sample.ok());
    CAgendaData data = sample.value();
    data.extension.SetScan(CScanDating{CDateValue(2027, 2, 26), 20.0, std::nullopt, true});
    data.extension.SetBirth(CDateValue(2027, 9, 30));

    const Result<std::string> bytes = SerializeAgenda(data);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(
        bytes.value(),
        Fixture("sample.gst") + Block(R"({"birth":"2027-09-30","scan":{"chosen":true,"crlMm":20.0,)"
                                      R"("date":"2027-02-26"}})"));

    const Result<CAgendaData> again = ParseAgenda(bytes.value());
    ASSERT_TRUE(again.ok()) << again.error().message;
    EXPECT_TRUE(again.value().extension == data.extension);
    EXPECT_TRUE(again.value().extension.Birth() == CDateValue(2027, 9, 30));
    EXPECT_EQ(again.value().extension.Scan(), data.extension.Scan());
    EXPECT_EQ(SerializeAgenda(again.value()).value(), bytes.value());
    EXPECT_TRUE(CheckAgenda(bytes.value()).ok());
}

TEST(AgendaExtension, WithoutDataTheFileIsAsBefore) {
    const std::string sample = Fixture("sample.gst");
    CAgendaData data = ParseAgenda(sample).value();
    EXPECT_TRUE(data.extension.empty());
    EXPECT_EQ(SerializeAgenda(data).value(), sample);
    // A key set and cleared again leaves nothing to keep.
    data.extension.SetBirth(CDateValue(2027, 9, 30));
    data.extension.SetBirth(std::nullopt);
    EXPECT_EQ(SerializeAgenda(data).value(), sample);
}

TEST(AgendaExtension, UnknownKeysAreKeptAsTheyWere) {
    const std::string payload = R"({ "labour": [1, 2.50, {"x": null}], "birth": "2027-09-30" })";
    const std::string file = Fixture("empty.gst") + Block(payload);
    CItemStore store;
    CAgendaExtension extension;
    ASSERT_TRUE(LoadAgendaItems(CFileBytes(file), store, {}, &extension).ok());
    // Read and not changed: the very bytes.
    EXPECT_EQ(SerializeAgenda(CDateValue(2027, 1, 1), store, extension).value(), file);

    extension.SetBirth(std::nullopt);
    const Result<CAgendaData> saved =
        ParseAgenda(SerializeAgenda(CDateValue(2027, 1, 1), store, extension).value());
    ASSERT_TRUE(saved.ok());
    const Json* later = saved.value().extension.Find("labour");
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(*later, Json::parse(R"([1, 2.5, {"x": null}])"));
    EXPECT_EQ(saved.value().extension.Find("birth"), nullptr);
}

struct DamageRow {
    const char* name;
    std::function<std::string()> file;
    std::size_t offset;
};

// The header and one note: the block starts at 16 + 40.
const std::size_t kBlockAt = 56;
std::string Notes() {
    return Fixture("empty.gst").substr(0, 12) + I32(1) + I32(4) + "abcd" +
           Fixture("sample.gst").substr(16 + 4 + 25, 32);
}

class ExtensionDamage : public ::testing::TestWithParam<DamageRow> {};

TEST_P(ExtensionDamage, RefusesTheFileAtTheDamageAndChangesNothing) {
    const std::string file = GetParam().file();
    const Result<CAgendaData> parsed = ParseAgenda(file);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().kind, ErrorKind::damaged);
    EXPECT_EQ(parsed.error().offset, GetParam().offset) << parsed.error().message;
    EXPECT_TRUE(CheckAgenda(file).error() == parsed.error());

    CItemStore store;
    (void)store.AddItem(CDateValue(2027, 3, 1), CDateValue(2027, 3, 1), "antes", 0, 0.0f, {});
    CAgendaExtension extension = WithBirth(CDateValue(2027, 9, 30));
    EXPECT_FALSE(LoadAgendaItems(CFileBytes(file), store, {}, &extension).ok());
    EXPECT_EQ(store.size(), 1u);
    EXPECT_TRUE(extension == WithBirth(CDateValue(2027, 9, 30)));
}

const std::string kPayload = R"({"birth":"2027-09-30"})";

INSTANTIATE_TEST_SUITE_P(
    EachKind, ExtensionDamage,
    ::testing::Values(
        DamageRow{"WrongMagic", [] { return Notes() + "GSTY" + Block(kPayload).substr(4); },
                  kBlockAt},
        DamageRow{"TooShortForTheHead", [] { return Notes() + "GSTX" + U32(1); }, kBlockAt + 8},
        DamageRow{"WrongVersion", [] { return Notes() + Block(kPayload, 2); }, kBlockAt + 4},
        DamageRow{"LengthPastTheEnd",
                  [] {
                      std::string f = Notes() + Block(kPayload);
                      f[kBlockAt + 8] = static_cast<char>(kPayload.size() + 1);
                      return f;
                  },
                  kBlockAt + 8},
        DamageRow{"WrongCrc",
                  [] {
                      std::string f = Notes() + Block(kPayload);
                      f.back() = static_cast<char>(f.back() ^ 1);
                      return f;
                  },
                  kBlockAt + 12 + kPayload.size()},
        DamageRow{"ChangedPayload",
                  [] {
                      std::string f = Notes() + Block(kPayload);
                      f[kBlockAt + 12 + 12] = '8';
                      return f;
                  },
                  kBlockAt + 12 + kPayload.size()},
        DamageRow{"InvalidJson", [] { return Notes() + Block(R"({"birth": })"); },
                  kBlockAt + 12 + 10},
        // The lead byte 0xE9 wants two more; the quote after it is the damage.
        DamageRow{"NotUtf8", [] { return Notes() + Block("{\"b\":\"\xE9\"}"); }, kBlockAt + 12 + 7},
        DamageRow{"NotAnObject", [] { return Notes() + Block("[1,2]"); }, kBlockAt + 12},
        DamageRow{"EmptyObject", [] { return Notes() + Block("{}"); }, kBlockAt + 12},
        DamageRow{"TooDeep",
                  [] {
                      return Notes() +
                             Block("{\"a\":" + std::string(100, '[') + std::string(100, ']') + "}");
                  },
                  kBlockAt + 12},
        DamageRow{"BytesAfterTheBlock", [] { return Notes() + Block(kPayload) + "x"; },
                  kBlockAt + 16 + kPayload.size()},
        DamageRow{"TwoBlocks", [] { return Notes() + Block(kPayload) + Block(kPayload); },
                  kBlockAt + 16 + kPayload.size()},
        DamageRow{"OtherTrailingBytes", [] { return Notes() + "abc"; }, kBlockAt}),
    [](const ::testing::TestParamInfo<DamageRow>& info) { return std::string(info.param.name); });

TEST(AgendaExtension, AValueOfTheWrongShapeReadsAsNoneAndIsKept) {
    const std::string file =
        Fixture("empty.gst") + Block(R"({"birth":"30/09/2027","scan":{"date":"2027-02-26"}})");
    const Result<CAgendaData> data = ParseAgenda(file);
    ASSERT_TRUE(data.ok());
    EXPECT_FALSE(data.value().extension.Birth().has_value());
    EXPECT_FALSE(data.value().extension.Scan().has_value());
    EXPECT_EQ(SerializeAgenda(data.value()).value(), file);
}

struct MergeRow {
    const char* name;
    const char* base;
    const char* theirs;
    const char* ours;
    const char* merged;
    std::vector<std::string> conflicts;
};

CAgendaExtension FromJson(const char* text) {
    CAgendaExtension e;
    const Json object = Json::parse(text);
    for (const auto& [key, value] : object.items()) {
        e.Set(key, value);
    }
    return e;
}

class ExtensionMerge : public ::testing::TestWithParam<MergeRow> {};

TEST_P(ExtensionMerge, TakesEachKeyFromTheSideThatChangedIt) {
    const MergeRow& row = GetParam();
    const CExtensionMerge m =
        MergeExtension(FromJson(row.base), FromJson(row.theirs), FromJson(row.ours));
    EXPECT_EQ(m.merged.Object(), Json::parse(row.merged));
    EXPECT_EQ(m.conflicts, row.conflicts);
}

INSTANTIATE_TEST_SUITE_P(
    KeyByKey, ExtensionMerge,
    ::testing::Values(
        MergeRow{"NothingChanged", R"({"a":1})", R"({"a":1})", R"({"a":1})", R"({"a":1})", {}},
        MergeRow{"TheirsChanged", R"({"a":1})", R"({"a":2})", R"({"a":1})", R"({"a":2})", {}},
        MergeRow{"OursChanged", R"({"a":1})", R"({"a":1})", R"({"a":3})", R"({"a":3})", {}},
        MergeRow{"BothTheSame", R"({"a":1})", R"({"a":4})", R"({"a":4})", R"({"a":4})", {}},
        MergeRow{"TheyAdded", R"({})", R"({"b":[1]})", R"({})", R"({"b":[1]})", {}},
        MergeRow{
            "TheyRemoved", R"({"a":1,"b":2})", R"({"b":2})", R"({"a":1,"b":2})", R"({"b":2})", {}},
        MergeRow{"EachChangedAnother",
                 R"({"a":1,"b":1})",
                 R"({"a":2,"b":1})",
                 R"({"a":1,"b":3})",
                 R"({"a":2,"b":3})",
                 {}},
        MergeRow{"BothChangedDifferently",
                 R"({"a":1,"b":1})",
                 R"({"a":2,"b":1})",
                 R"({"a":3,"b":1})",
                 R"({"a":3,"b":1})",
                 {"a"}},
        MergeRow{
            "TheyRemovedWhatWeChanged", R"({"a":1})", R"({})", R"({"a":5})", R"({"a":5})", {"a"}},
        MergeRow{"BothAddedDifferently",
                 R"({})",
                 R"({"a":1,"z":1})",
                 R"({"a":2,"z":1})",
                 R"({"a":2,"z":1})",
                 {"a"}}),
    [](const ::testing::TestParamInfo<MergeRow>& info) { return std::string(info.param.name); });

TEST(AgendaExtension, TheProfileReadsBackAndAWrongShapeIsNone) {
    CAgendaExtension e;
    e.SetProfile(CProfile{165.5, 60.25, true});
    EXPECT_EQ(e.Payload(), R"({"profile":{"heightCm":165.5,"twins":true,"weightBeforeKg":60.25}})");
    EXPECT_EQ(e.Profile(), (CProfile{165.5, 60.25, true}));
    e.Set("profile", Json::parse(R"({"heightCm": "165", "weightBeforeKg": 60})"));
    EXPECT_FALSE(e.Profile());
    e.SetProfile(std::nullopt);
    EXPECT_TRUE(e.empty());
}

}  // namespace
}  // namespace gestalia
