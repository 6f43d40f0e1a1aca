#include "model/agenda_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "model/read_until_end.h"
#include "model/windows1252.h"
#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using test::CTempDir;
using test::F32;
using test::F64;
using test::I32;
using test::ReadAll;
using test::WriteAll;

std::string Fixture(const std::string& name) {
    return ReadAll(std::string(GESTALIA_TEST_DATA_DIR) + "/" + name);
}

// File images built by hand.
std::string Date(double dt, std::int32_t status = 0) {
    return F64(dt) + I32(status);
}
std::string Record(const std::string& text, std::int32_t image = 1, float weight = 0.0f) {
    return I32(static_cast<std::int32_t>(text.size())) + text + Date(46388.5) + Date(46388.75) +
           I32(image) + F32(weight);
}
std::string Header(std::int32_t n, double dt = 46388.0, std::int32_t status = 0) {
    return Date(dt, status) + I32(n);
}

CItemDefaults Defaults() {
    return CItemDefaults{};
}

TEST(AgendaFileTest, EmptyAgendaIsSixteenBytes) {
    CItemStore store;
    const Result<std::string> bytes = SerializeAgenda(CDateValue(2027, 1, 1), store);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes.value().size(), kAgendaHeaderSize);
    EXPECT_EQ(bytes.value(), Header(0));
    EXPECT_EQ(bytes.value(), Fixture("empty.gst"));
}

TEST(AgendaFileTest, RecordSizeIsThirtySixPlusTheText) {
    CItemStore store;
    const CDateValue day(2027, 3, 1);
    (void)store.AddItem(day, day, "abcd", 1, 0.0f, Defaults());
    EXPECT_EQ(SerializeAgenda(day, store).value().size(), kAgendaHeaderSize + 40);
    store.DeleteAllItems();
    (void)store.AddItem(day, day, "", 1, 0.0f, Defaults());
    EXPECT_EQ(SerializeAgenda(day, store).value().size(), kAgendaHeaderSize + 36);
    store.DeleteAllItems();
    (void)store.AddItem(day, day, "añó", 1, 0.0f, Defaults());  // three Windows-1252 bytes
    EXPECT_EQ(SerializeAgenda(day, store).value().size(), kAgendaHeaderSize + 39);
}

TEST(AgendaFileTest, SampleFileReadsAsDocumented) {
    const std::string bytes = Fixture("sample.gst");
    ASSERT_EQ(bytes.size(), 185u);
    const Result<CAgendaData> data = ParseAgenda(bytes);
    ASSERT_TRUE(data.ok()) << data.error().message;
    const CAgendaData& d = data.value();
    EXPECT_TRUE(d.dtLastPeriod == CDateValue(2027, 1, 1));
    ASSERT_EQ(d.items.size(), 3u);
    EXPECT_EQ(d.items[0].strText, "Ecografía de la semana 12");
    EXPECT_TRUE(d.items[0].dtFrom == CDateValue(2027, 3, 26, 10, 30, 0));
    EXPECT_TRUE(d.items[0].dtTo == CDateValue(2027, 3, 26, 11, 0, 0));
    EXPECT_EQ(d.items[0].nImage, 1);
    EXPECT_EQ(d.items[1].strText, "Peso: 62,5 kg\r\nNáuseas por la mañana");
    EXPECT_EQ(d.items[1].nImage, 0);
    EXPECT_EQ(d.items[1].fWeight, 62.5f);
    EXPECT_EQ(d.items[2].strText, "");
    EXPECT_EQ(d.items[2].nImage, -1);
    EXPECT_EQ(d.items[2].dtTo.GetStatus(), DateStatus::null);
}

TEST(AgendaFileTest, WriteReadWriteGivesTheSameBytes) {
    for (const char* name : {"sample.gst", "empty.gst"}) {
        const std::string bytes = Fixture(name);
        const Result<CAgendaData> data = ParseAgenda(bytes);
        ASSERT_TRUE(data.ok()) << name;
        const Result<std::string> again = SerializeAgenda(data.value());
        ASSERT_TRUE(again.ok()) << name;
        EXPECT_EQ(again.value(), bytes) << name;
    }
}

TEST(AgendaFileTest, StoreToFileAndBackKeepsEveryField) {
    CItemStore store;
    const CDateValue from(2027, 2, 15, 9, 0, 0);
    const CDateValue to(2027, 2, 15, 9, 45, 0);
    (void)store.AddItem(from, to, "Peso 62,5 kg – revisión", 0, 62.5f, Defaults());
    (void)store.AddItem(CDateValue::FromRaw(-1.25, DateStatus::valid),
                        CDateValue::FromRaw(12.0, DateStatus::invalid), "antes de 1900", -1, -0.0f,
                        Defaults());
    const CDateValue lastPeriod = CDateValue::FromRaw(7.0, DateStatus::null);
    const Result<std::string> bytes = SerializeAgenda(lastPeriod, store);
    ASSERT_TRUE(bytes.ok()) << bytes.error().message;
    const Result<CAgendaData> data = ParseAgenda(bytes.value());
    ASSERT_TRUE(data.ok()) << data.error().message;
    const CAgendaData& d = data.value();
    EXPECT_EQ(d.dtLastPeriod.GetStatus(), DateStatus::null);
    EXPECT_EQ(d.dtLastPeriod.GetRaw(), 7.0);
    ASSERT_EQ(d.items.size(), 2u);
    EXPECT_EQ(d.items[0].strText, "Peso 62,5 kg – revisión");
    EXPECT_TRUE(d.items[0].dtFrom == from);
    EXPECT_TRUE(d.items[0].dtTo == to);
    EXPECT_EQ(d.items[0].fWeight, 62.5f);
    EXPECT_EQ(d.items[1].dtFrom.GetRaw(), -1.25);
    EXPECT_EQ(d.items[1].dtTo.GetStatus(), DateStatus::invalid);
    EXPECT_EQ(d.items[1].dtTo.GetRaw(), 12.0);
    EXPECT_TRUE(std::signbit(d.items[1].fWeight));
    EXPECT_EQ(SerializeAgenda(d).value(), bytes.value());
}

TEST(AgendaFileTest, EveryByteOfATextSurvives) {
    std::string text;
    for (int b = 0; b < 256; ++b) {
        text += static_cast<char>(b);
    }
    const std::string file = Header(2) + Record(text) + Record(std::string(3, '\0'));
    const Result<CAgendaData> data = ParseAgenda(file);
    ASSERT_TRUE(data.ok()) << data.error().message;
    EXPECT_EQ(data.value().items[1].strText, std::string(3, '\0'));
    EXPECT_EQ(SerializeAgenda(data.value()).value(), file);
}

TEST(AgendaFileTest, EveryByteOfATextSurvivesTheStore) {
    std::string text;
    for (int b = 0; b < 256; ++b) {
        text += static_cast<char>(b);
    }
    const std::string file =
        Header(3) + Record(text) + Record(std::string(3, '\0')) + Record(std::string(5000, '\x80'));
    CItemStore store;
    store.AddItem(CDateValue(2027, 1, 1), CDateValue(2027, 1, 1), "vieja", 0, 0.0f, {});
    const Result<CDateValue> lastPeriod = LoadAgendaItems(CFileBytes(file), store, {});
    ASSERT_TRUE(lastPeriod.ok()) << lastPeriod.error().message;
    ASSERT_EQ(store.size(), 3u);
    EXPECT_EQ(store.at(0).GetID(), 1);
    EXPECT_EQ(store.at(0).Text(), DecodeWindows1252(text));
    EXPECT_EQ(store.at(1).Text(), std::string(3, '\0'));
    EXPECT_EQ(SerializeAgenda(lastPeriod.value(), store).value(), file);
}

// The texts decoded into the store's blocks of a megabyte: one note larger
// than a block on its own (0x80 becomes the three bytes of the euro sign),
// and many accented notes that fill several blocks between them.
TEST(AgendaFileTest, DecodedTextsLargerThanABlockAndAcrossBlocksStayWhole) {
    const std::string huge(1'000'000, '\x80');
    std::vector<std::string> texts = {huge};
    for (int i = 0; i < 12'000; ++i) {
        texts.push_back(std::string("\xE1"
                                    "rbol \xF1"
                                    "and\xFA ") +
                        std::to_string(i) + std::string(40, '\xE9'));
    }
    std::string file = Header(static_cast<std::int32_t>(texts.size()));
    std::size_t decoded = 0;
    for (const std::string& text : texts) {
        file += Record(text);
        decoded += DecodeWindows1252(text).size();
    }
    ASSERT_GT(decoded - DecodeWindows1252(huge).size(), 1024u * 1024u);
    CItemStore store;
    ASSERT_TRUE(LoadAgendaItems(CFileBytes(file), store, {}).ok());
    ASSERT_EQ(store.size(), texts.size());
    // Every text asked for first, then each compared: a later one must not
    // have been written over an earlier one.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        static_cast<void>(store.at(i).Text());
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(store.at(i).Text(), DecodeWindows1252(texts[i])) << "note " << i;
    }
}

TEST(AgendaFileTest, ANoteDeletedBeforeItIsAskedForLeavesTheOthers) {
    const std::string file = Header(3) + Record("uno") + Record("dos") + Record("tres", 0, 61.5f);
    CItemStore store;
    const Result<CDateValue> lastPeriod = LoadAgendaItems(CFileBytes(file), store, {});
    ASSERT_TRUE(lastPeriod.ok());
    EXPECT_TRUE(store.DeleteItem(2));
    EXPECT_EQ(store.Find(3)->GetWeight(), 61.5f);
    EXPECT_EQ(SerializeAgenda(lastPeriod.value(), store).value(),
              Header(2) + Record("uno") + Record("tres", 0, 61.5f));
}

// A loaded agenda whose notes are touched one way or another, some while
// they still wait in their records: the store gives them on their day, and
// saves them, as they then stand.
struct LoadedNotesCase {
    const char* name;
    std::function<void(CItemStore&)> steps;
    std::int32_t count;                 // of the notes saved
    std::string saved;                  // their records
    std::vector<std::string> onTheDay;  // texts of the notes filed on the records' day
};

CDateValue RecordDay() {
    return CDateValue::FromRaw(46388.5, DateStatus::valid);
}

class LoadedNotes : public ::testing::TestWithParam<LoadedNotesCase> {};

TEST_P(LoadedNotes, AreGivenAndSavedAsTheyStand) {
    const std::string file =
        Header(3) + Record("uno") + Record("dos", 0, 60.5f) + Record("tres", -1);
    CItemStore store;
    const Result<CDateValue> lastPeriod = LoadAgendaItems(CFileBytes(file), store, {});
    ASSERT_TRUE(lastPeriod.ok()) << lastPeriod.error().message;
    GetParam().steps(store);
    std::vector<std::string> onTheDay;
    for (const CWVCellDataItem* item : store.ItemsOfDay(RecordDay())) {
        onTheDay.emplace_back(item->Text());
    }
    EXPECT_EQ(onTheDay, GetParam().onTheDay);
    EXPECT_EQ(SerializeAgenda(lastPeriod.value(), store).value(),
              Header(GetParam().count) + GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    AgendaFileTest, LoadedNotes,
    ::testing::Values(
        LoadedNotesCase{"NoneAskedFor",
                        [](CItemStore&) {},
                        3,
                        Record("uno") + Record("dos", 0, 60.5f) + Record("tres", -1),
                        {"uno", "dos", "tres"}},
        LoadedNotesCase{"AWaitingNoteGivenAnotherText",
                        [](CItemStore& s) { s.Find(2)->SetText("dós"); },
                        3,
                        Record("uno") + Record("d\xF3s", 0, 60.5f) + Record("tres", -1),
                        {"uno", "dós", "tres"}},
        LoadedNotesCase{"AWaitingNoteGivenAnImageAndAWeight",
                        [](CItemStore& s) {
                            s.Find(3)->SetImage(1);
                            s.Find(3)->SetWeight(61.0f);
                        },
                        3,
                        Record("uno") + Record("dos", 0, 60.5f) + Record("tres", 1, 61.0f),
                        {"uno", "dos", "tres"}},
        LoadedNotesCase{"AWaitingNoteMovedToTheNextDay",
                        [](CItemStore& s) { s.Find(1)->SetFrom(CDateValue(2027, 1, 2, 12, 0, 0)); },
                        3,
                        I32(3) + "uno" + Date(46389.5) + Date(46388.75) + I32(1) + F32(0.0f) +
                            Record("dos", 0, 60.5f) + Record("tres", -1),
                        {"dos", "tres"}},
        LoadedNotesCase{"AWaitingNoteDeletedAndANewOneAdded",
                        [](CItemStore& s) {
                            ASSERT_TRUE(s.DeleteItem(1));
                            const CDateValue to = CDateValue::FromRaw(46388.75, DateStatus::valid);
                            EXPECT_EQ(s.AddItem(RecordDay(), to, "cuatro", 1, 0.0f, {}), 4);
                        },
                        3,
                        Record("dos", 0, 60.5f) + Record("tres", -1) + Record("cuatro"),
                        {"dos", "tres", "cuatro"}},
        LoadedNotesCase{"ReadAgainOverAnEditedStore",
                        [](CItemStore& s) {
                            s.Find(2)->SetText("editada");
                            const std::string again = Header(1) + Record("otra");
                            ASSERT_TRUE(LoadAgendaItems(CFileBytes(again), s, {}).ok());
                            EXPECT_EQ(s.Find(1)->Text(), "otra");
                        },
                        1,
                        Record("otra"),
                        {"otra"}}),
    [](const ::testing::TestParamInfo<LoadedNotesCase>& info) { return info.param.name; });

TEST(AgendaFileTest, ATextEditedAfterALoadIsItsOwn) {
    const std::string file = Header(2) + Record("Anal\xEDtica") + Record("peso");
    CItemStore store;
    const Result<CDateValue> lastPeriod = LoadAgendaItems(CFileBytes(file), store, {});
    ASSERT_TRUE(lastPeriod.ok());
    store.at(0).SetText("Ecografía");
    EXPECT_EQ(store.at(0).Text(), "Ecografía");
    EXPECT_EQ(store.at(1).Text(), "peso");
    EXPECT_EQ(SerializeAgenda(lastPeriod.value(), store).value(), Header(2) +
                                                                      Record("Ecograf\xED"
                                                                             "a") +
                                                                      Record("peso"));
    // Loading again lets the edited text go with the rest (the leak checker sees it).
    ASSERT_TRUE(LoadAgendaItems(CFileBytes(file), store, {}).ok());
    EXPECT_EQ(store.at(0).Text(), "Analítica");
}

TEST(AgendaFileTest, LongTextsComeBackWhole) {
    std::string text(5000, 'x');
    text[999] = '\xE9';
    text[4999] = 'z';
    const std::string file = Header(1) + Record(text);
    const Result<CAgendaData> data = ParseAgenda(file);
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(data.value().items[0].strText.size(), 5001u);  // é takes two UTF-8 bytes
    EXPECT_EQ(SerializeAgenda(data.value()).value(), file);
}

TEST(AgendaFileTest, EveryValueOfImageAndWeightIsKept) {
    const std::string weightBits = I32(0x7FC01234);  // a NaN with a payload
    const std::string file = Header(1) + I32(0) + Date(1.5) + Date(2.5, 2) + I32(-77) + weightBits;
    const Result<CAgendaData> data = ParseAgenda(file);
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(data.value().items[0].nImage, -77);
    EXPECT_EQ(SerializeAgenda(data.value()).value(), file);
}

TEST(AgendaFileTest, TextThatCannotBeStoredIsRefused) {
    CItemStore store;
    const CDateValue day(2027, 3, 1);
    (void)store.AddItem(day, day, "bien", 1, 0.0f, Defaults());
    (void)store.AddItem(day, day, "ok 日本", 1, 0.0f, Defaults());
    const Result<std::string> bytes = SerializeAgenda(day, store);
    ASSERT_FALSE(bytes.ok());
    EXPECT_NE(bytes.error().message.find("anotación 2"), std::string::npos);
    EXPECT_EQ(bytes.error().offset, 3u);
}

TEST(AgendaFileTest, EveryTruncationOfTheSampleIsRefused) {
    const std::string bytes = Fixture("sample.gst");
    ASSERT_FALSE(bytes.empty());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const Result<CAgendaData> data = ParseAgenda(std::string_view(bytes).substr(0, n));
        ASSERT_FALSE(data.ok()) << "length " << n;
        ASSERT_TRUE(data.error().offset.has_value()) << "length " << n;
        EXPECT_LE(*data.error().offset, n) << "length " << n;
        EXPECT_EQ(data.error().kind, ErrorKind::damaged) << n;
    }
}

struct DamageCase {
    const char* name;
    std::string bytes;
    std::size_t offset;
    const char* says;
};

class DamagedFileTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFileTest, IsRefusedAtTheOffset) {
    const Result<CAgendaData> data = ParseAgenda(GetParam().bytes);
    ASSERT_FALSE(data.ok());
    EXPECT_EQ(data.error().kind, ErrorKind::damaged);
    EXPECT_EQ(data.error().offset, GetParam().offset);
    EXPECT_NE(data.error().message.find(GetParam().says), std::string::npos)
        << data.error().message;
    const std::string sentence = DamageSentence(data.error());
    EXPECT_NE(sentence.find("a partir del byte " + std::to_string(GetParam().offset) + ": "),
              std::string::npos)
        << sentence;
}

// What she reads: one sentence, the byte kept for whoever helps her.
TEST(AgendaFileTest, ADamagedFileIsToldAsASentence) {
    const Result<CAgendaData> data = ParseAgenda(Header(3));
    ASSERT_FALSE(data.ok());
    EXPECT_EQ(DamageSentence(data.error()),
              "La agenda está dañada a partir del byte 12: dice tener 3 anotaciones y el fichero "
              "se acaba antes.");
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedFileTest,
    ::testing::Values(
        DamageCase{"Empty", "", 0, "cabecera"},
        DamageCase{"ShortHeader", Header(0).substr(0, 15), 15, "cabecera"},
        DamageCase{"NegativeCount", Header(-1), 12, "dice tener -1 anotaciones"},
        DamageCase{"HugeCount", Header(0x7FFFFFFF), 12, "anotaciones y el fichero se acaba antes"},
        DamageCase{"CountBeyondData", Header(2) + Record("a"), 12,
                   "anotaciones y el fichero se acaba antes"},
        DamageCase{"CountOfOneOnNothing", Header(1), 12, "anotaciones y el fichero se acaba antes"},
        DamageCase{"NegativeLength", Header(1) + I32(-5) + std::string(32, '\0'), 16,
                   "dice medir -5 bytes"},
        DamageCase{
            "HugeLength", Header(1) + I32(0x7FFFFFFF) + std::string(32, '\0'), 20,
            "el texto de la anotación 1 dice medir 2147483647 bytes y el fichero se acaba antes"},
        DamageCase{"LengthPastFixedPart", Header(1) + I32(1) + std::string(32, '\0'), 20,
                   "se acaba antes"},
        DamageCase{"SecondRecordShort", Header(2) + Record("a") + Record("bb").substr(0, 37),
                   16 + 37 + 4, "anotación 2"},
        DamageCase{"TrailingGarbage", Header(1) + Record("a") + "zz", 16 + 37, "2 bytes de más"},
        DamageCase{"TrailingGarbageNoItems", Header(0) + "z", 16, "bytes de más"},
        DamageCase{"BadLastPeriodStatus", Header(0, 1.0, 3), 8, "estado desconocido (3)"},
        DamageCase{"NegativeStatus", Header(0, 1.0, -1), 8, "estado desconocido (-1)"},
        DamageCase{"BadFromStatus", Header(1) + I32(0) + Date(1.0, 7) + Date(1.0) + I32(0) + F32(0),
                   28, "fecha de inicio de la anotación 1"},
        DamageCase{"BadToStatus", Header(1) + I32(0) + Date(1.0) + Date(1.0, 9) + I32(0) + F32(0),
                   40, "fecha de fin de la anotación 1"},
        // A date marked valid is a moment from the year 100 to 9999.
        DamageCase{"NaNLastPeriod", Header(0, std::nan("")), 0, "no es una fecha"},
        DamageCase{"InfiniteLastPeriod", Header(0, HUGE_VAL), 0, "no es una fecha"},
        DamageCase{"LastPeriodBeforeYear100", Header(0, -657435.0), 0, "no es una fecha"},
        DamageCase{"LastPeriodAfterYear9999", Header(0, 2958466.0), 0, "no es una fecha"},
        DamageCase{"MinusInfiniteFrom",
                   Header(1) + I32(0) + Date(-HUGE_VAL) + Date(1.0) + I32(0) + F32(0), 20,
                   "fecha de inicio de la anotación 1"},
        DamageCase{"NaNTo", Header(1) + I32(0) + Date(1.0) + Date(std::nan("")) + I32(0) + F32(0),
                   32, "fecha de fin de la anotación 1"}),
    [](const auto& info) { return std::string(info.param.name); });

// The first and last moments of the range, and any value at all in a date
// marked invalid or null, are read and written back byte for byte.
TEST(AgendaFileTest, DatesAtTheEdgesAndUnmarkedDatesKeepTheirBytes) {
    for (const std::string& bytes :
         {Header(0, -657434.999), Header(0, 2958465.99999), Header(0, std::nan(""), 1),
          Header(0, HUGE_VAL, 2),
          Header(1) + I32(0) + Date(-1e300, 1) + Date(1e300, 2) + I32(0) + F32(0)}) {
        const Result<CAgendaData> data = ParseAgenda(bytes);
        ASSERT_TRUE(data.ok()) << data.error().message;
        const Result<std::string> again = SerializeAgenda(data.value());
        ASSERT_TRUE(again.ok());
        EXPECT_EQ(again.value(), bytes);
    }
}

TEST(AgendaFileTest, CountOfZeroIsAnEmptyAgenda) {
    const Result<CAgendaData> data = ParseAgenda(Header(0, 5.0, 1));
    ASSERT_TRUE(data.ok());
    EXPECT_TRUE(data.value().items.empty());
    EXPECT_EQ(data.value().dtLastPeriod.GetStatus(), DateStatus::invalid);
}

TEST(AgendaFileTest, SinkTakesEveryRecordInFileOrderAndNothingIsKept) {
    const std::string bytes = Header(3) + Record("uno") +
                              Record(
                                  "Ecograf\xED"
                                  "a",
                                  0) +
                              Record("");
    std::vector<std::string> texts;
    const Result<CAgendaData> data =
        ParseAgenda(bytes, [&texts](CAgendaRecord& r) { texts.push_back(r.strText); });
    ASSERT_TRUE(data.ok());
    EXPECT_TRUE(data.value().items.empty());
    EXPECT_TRUE(data.value().dtLastPeriod == CDateValue::FromRaw(46388.0, DateStatus::valid));
    EXPECT_EQ(texts, (std::vector<std::string>{"uno", "Ecografía", ""}));

    texts.clear();
    const std::string cut = bytes.substr(0, bytes.size() - 1);
    const Result<CAgendaData> damaged =
        ParseAgenda(cut, [&texts](CAgendaRecord& r) { texts.push_back(r.strText); });
    ASSERT_FALSE(damaged.ok());
    EXPECT_EQ(damaged.error(), ParseAgenda(cut).error());
    EXPECT_EQ(texts.size(), 2u) << "the records before the damage were handed over";
}

TEST(AgendaFileTest, ReadFileBytesReadsTheWholeFile) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>(i * 31);
    }
    WriteAll(dir.File("big.gst"), bytes);
    const Result<CFileBytes> r = ReadFileBytes(dir.File("big.gst"));
    ASSERT_TRUE(r.ok()) << r.error().message;
    EXPECT_EQ(r.value().View(), bytes);
}

TEST(AgendaFileTest, ReadFileBytesReadsPastTheSizeTheSystemGives) {
    // The system's own files give a size of 0 and have more to read: the
    // room grows as the read goes.
    for (const char* path : {"/proc/self/cmdline", "/proc/version"}) {
        if (!std::filesystem::exists(path)) {
            continue;
        }
        const Result<CFileBytes> r = ReadFileBytes(path);
        ASSERT_TRUE(r.ok()) << r.error().message;
        EXPECT_EQ(r.value().View(), ReadAll(path)) << path;
        EXPECT_GT(r.value().size(), 1u) << path;
    }
}

TEST(AgendaFileTest, FileBytesStayInPlaceWhenMovedAndKeepTheirContentsWhenGrown) {
    CFileBytes bytes = CFileBytes::WithRoom(4);
    std::memcpy(bytes.data(), "abcd", 4);
    bytes.SetSize(4);
    const char* const place = bytes.data();
    CFileBytes moved = std::move(bytes);
    EXPECT_EQ(moved.data(), place) << "views into the bytes stay valid";
    moved.Grow(1 << 20);
    EXPECT_EQ(moved.View(), "abcd");
    EXPECT_EQ(moved.room(), 1u << 20);
    moved.SetSize(2u << 20);
    EXPECT_EQ(moved.size(), 1u << 20) << "never past the room";
}

// A file may give more or less than the size the system said as the read
// began: it grows while it is read, or it is one of the system's own files.
struct GrowingRead {
    const char* name;
    std::uintmax_t said;  // the size the system gives before the read
    std::size_t holds;    // what the reads then give, in pieces of at most `piece`
    std::size_t piece;
    bool bRefused;
};

class ReadUntilEndTest : public ::testing::TestWithParam<GrowingRead> {};

char ByteAt(std::size_t offset) {
    return static_cast<char>(offset * 31 + offset / 4096);
}

TEST_P(ReadUntilEndTest, ReadsAllOrRefusesWhatPassesTheLimit) {
    const GrowingRead& c = GetParam();
    std::size_t given = 0;
    int reads = 0;
    const auto read = [&](char* into, std::size_t room) -> Result<std::size_t> {
        ++reads;
        const std::size_t n = std::min({room, c.piece, c.holds - given});
        for (std::size_t i = 0; i < n; ++i) {
            into[i] = ByteAt(given + i);
        }
        given += n;
        return n;
    };
    const Result<CFileBytes> r = ReadUntilEnd("/d/ana.gst", c.said, read);
    if (c.bRefused) {
        ASSERT_FALSE(r.ok()) << "cut at " << r.value().size() << " bytes";
        EXPECT_EQ(r.error().kind, ErrorKind::tooBig);
        EXPECT_EQ(r.error().message,
                  "/d/ana.gst: pasa de 16 MiB, y una agenda ocupa unos pocos kilobytes");
        if (c.said > kMaxAgendaFileSize) {
            EXPECT_EQ(reads, 0) << "refused before anything was read";
        }
        return;
    }
    ASSERT_TRUE(r.ok()) << r.error().message;
    ASSERT_EQ(r.value().size(), c.holds);
    const std::string_view bytes = r.value().View();
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        wrong += bytes[i] != ByteAt(i) ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0u);
}

constexpr std::size_t kMax = kMaxAgendaFileSize;
constexpr std::size_t kWhole = ~std::size_t{0};  // as much as there is room for

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReadUntilEndTest,
    ::testing::Values(GrowingRead{"AsSaid", 1000, 1000, kWhole, false},
                      GrowingRead{"SaidNothing", 0, 5000, kWhole, false},
                      GrowingRead{"GrewInSmallPieces", 10, 100000, 7, false},
                      GrowingRead{"ShrankMeanwhile", 1000, 10, kWhole, false},
                      GrowingRead{"GrewToTheLimit", 10, kMax, kWhole, false},
                      GrowingRead{"GrewPastTheLimit", 10, kMax + 1, kWhole, true},
                      GrowingRead{"GrewPastTheLimitInPieces", kMax - 100, kMax + 1, 64, true},
                      GrowingRead{"GrewFarPastTheLimit", kMax, 2 * kMax, kWhole, true},
                      GrowingRead{"SaidTooMuch", kMax + 1, 0, kWhole, true},
                      GrowingRead{"SaidFarTooMuch", std::uintmax_t{1} << 40, 0, kWhole, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AgendaFileTest, ReadFileBytesReportsWhatFails) {
    const CTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string huge = dir.File("huge.gst");
    WriteAll(huge, "");
    std::filesystem::resize_file(huge, kMaxAgendaFileSize + 1);
    const std::string pipe = dir.File("tubo.gst");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::string path;
        ErrorKind kind;
        const char* says;  // in Spanish whatever the system's language
    };
    for (const Case& c : {Case{dir.File("nada.gst"), ErrorKind::cannotOpen, "no existe"},
                          Case{dir.File("no/nada.gst"), ErrorKind::cannotOpen, "no existe"},
                          Case{dir.path().string(), ErrorKind::notRegularFile, "es una carpeta"},
                          Case{pipe, ErrorKind::notRegularFile, "tubería con nombre"},
                          Case{huge, ErrorKind::tooBig, "16 MiB"}}) {
        const Result<CFileBytes> r = ReadFileBytes(c.path);
        ASSERT_FALSE(r.ok()) << c.path;
        EXPECT_EQ(r.error().kind, c.kind) << c.path;
        EXPECT_EQ(r.error().message, c.path + ": " + r.error().message.substr(c.path.size() + 2));
        EXPECT_NE(r.error().message.find(c.says), std::string::npos) << r.error().message;
        EXPECT_FALSE(r.error().offset.has_value());
    }
}

}  // namespace
}  // namespace gestalia
