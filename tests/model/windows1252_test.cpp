#include "model/windows1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace gestalia {
namespace {

TEST(Windows1252Test, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = DecodeWindows1252(all);
    const Result<std::string> back = EncodeWindows1252(utf8);
    ASSERT_TRUE(back.ok()) << back.error().message;
    EXPECT_EQ(back.value(), all);
}

// Decoding into the caller's memory stays inside the room it asks for (the
// sanitizer sees any byte past it) and gives what decoding into a string gives.
TEST(Windows1252Test, DecodingIntoMemoryStaysInItsRoom) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (const std::string& text : {all, std::string(17, '\x80'), std::string("ab\xE9"),
                                    std::string(9, 'x'), std::string()}) {
        std::vector<char> room(Windows1252DecodeRoom(text.size()));
        const std::size_t length = DecodeWindows1252(text, room.data());
        EXPECT_EQ(std::string(room.data(), length), DecodeWindows1252(text));
    }
}

TEST(Windows1252Test, EveryByteDecodesToADifferentCharacter) {
    std::set<std::string> seen;
    for (int b = 0; b < 256; ++b) {
        seen.insert(DecodeWindows1252(std::string(1, static_cast<char>(b))));
    }
    EXPECT_EQ(seen.size(), 256u);
}

struct DecodeCase {
    unsigned char byte;
    const char* utf8;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, MapsTheByte) {
    const std::string in(1, static_cast<char>(GetParam().byte));
    EXPECT_EQ(DecodeWindows1252(in), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodeTest,
    ::testing::Values(DecodeCase{'A', "A"}, DecodeCase{0x7F, "\x7F"}, DecodeCase{0xE9, "é"},
                      DecodeCase{0xE1, "á"}, DecodeCase{0xF1, "ñ"}, DecodeCase{0x80, "€"},
                      DecodeCase{0x9F, "Ÿ"}, DecodeCase{0x8A, "Š"}, DecodeCase{0x81, "\xC2\x81"},
                      DecodeCase{0x8D, "\xC2\x8D"}, DecodeCase{0x8F, "\xC2\x8F"},
                      DecodeCase{0x90, "\xC2\x90"}, DecodeCase{0x9D, "\xC2\x9D"},
                      DecodeCase{0xA0, "\xC2\xA0"}, DecodeCase{0xFF, "ÿ"}));

TEST(Windows1252Test, NulBytesAreKept) {
    const std::string in("a\0b", 3);
    EXPECT_EQ(DecodeWindows1252(in), in);
    EXPECT_EQ(EncodeWindows1252(in).value(), in);
}

struct EncodeErrorCase {
    const char* name;
    std::string utf8;
    std::size_t offset;
};

class EncodeErrorTest : public ::testing::TestWithParam<EncodeErrorCase> {};

TEST_P(EncodeErrorTest, NamesTheOffset) {
    const Result<std::string> r = EncodeWindows1252(GetParam().utf8);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().offset, GetParam().offset);
    EXPECT_NE(r.error().message.find(std::to_string(GetParam().offset)), std::string::npos);
    EXPECT_FALSE(CanEncodeWindows1252(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(Bad, EncodeErrorTest,
                         ::testing::Values(EncodeErrorCase{"Cjk", "añ日", 3},
                                           EncodeErrorCase{"Emoji", "ab\xF0\x9F\x98\x80", 2},
                                           EncodeErrorCase{"UnmappedC1", "x\xC2\x80", 1},
                                           EncodeErrorCase{"Truncated", "ab\xC3", 2},
                                           EncodeErrorCase{"LoneContinuation", "\x80", 0},
                                           EncodeErrorCase{"Overlong", "a\xC0\xAF", 1},
                                           EncodeErrorCase{"OverlongThree", "\xE0\x80\xAF", 0},
                                           EncodeErrorCase{"Surrogate", "ok\xED\xA0\x80", 2},
                                           EncodeErrorCase{"AboveUnicode", "\xF4\x90\x80\x80", 0},
                                           EncodeErrorCase{"BadByte", "abc\xFF", 3},
                                           EncodeErrorCase{"BadContinuation", "\xC3\x28", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Windows1252Test, SpanishTextEncodesToSingleBytes) {
    const Result<std::string> r = EncodeWindows1252("Sáb/Dom Miércoles señal €");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(),
              "S\xE1"
              "b/Dom Mi\xE9rcoles se\xF1"
              "al \x80");
    EXPECT_TRUE(CanEncodeWindows1252("Sábado"));
}

// Decoding into a buffer that held another text gives what a fresh decode
// gives, for ASCII runs longer and shorter than a machine word around the
// other bytes.
class DecodeIntoTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DecodeIntoTest, ReusedBufferGivesTheFreshResult) {
    const std::string bytes = GetParam();
    for (const char* before : {"", "x", "una nota anterior bastante más larga que esta"}) {
        std::string out = before;
        DecodeWindows1252(bytes, out);
        EXPECT_EQ(out, DecodeWindows1252(bytes)) << before;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows1252Test, DecodeIntoTest,
                         ::testing::Values("", "Consulta",
                                           "Ecograf\xED"
                                           "a",
                                           "\x80", "An\xE1lisis de sangre y orina \x96 en ayunas",
                                           "\xE1\xE9\xED\xF3\xFA\x80\x81\x9F\xFF",
                                           "Nota n\xFAmero 12345 \xB7 an\xE1lisis y peso"));

TEST(Windows1252Test, AppendLeavesTheBufferAsItWasOnFailure) {
    std::string out = "antes";
    EXPECT_TRUE(AppendWindows1252(out, " y despu\xC3\xA9s").ok());
    EXPECT_EQ(out, "antes y despu\xE9s");
    EXPECT_FALSE(AppendWindows1252(out, "caf\xC3\xA9 \xF0\x9F\x98\x80").ok());
    EXPECT_FALSE(AppendWindows1252(out, "mal \xC3").ok());
    EXPECT_EQ(out, "antes y despu\xE9s");
}

}  // namespace
}  // namespace gestalia
