#include "tools/agenda_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>

namespace gestalia {
namespace {

struct CsvFieldCase {
    std::string_view text;
    std::string_view field;
};

class CsvFieldQuoting : public ::testing::TestWithParam<CsvFieldCase> {};

TEST_P(CsvFieldQuoting, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvField(GetParam().text), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    AgendaExport, CsvFieldQuoting,
    ::testing::Values(CsvFieldCase{"", ""}, CsvFieldCase{"Control", "Control"},
                      CsvFieldCase{"Ecografía 20 semanas", "Ecografía 20 semanas"},
                      CsvFieldCase{"uno, dos", "\"uno, dos\""},
                      CsvFieldCase{"dijo \"hola\"", "\"dijo \"\"hola\"\"\""},
                      CsvFieldCase{"\"", "\"\"\"\""},
                      CsvFieldCase{"línea 1\r\nlínea 2", "\"línea 1\r\nlínea 2\""},
                      CsvFieldCase{"solo\nLF", "\"solo\nLF\""},
                      CsvFieldCase{"solo\rCR", "\"solo\rCR\""}));

struct WeightCase {
    float kilograms;
    std::string_view text;
};

class CsvWeightText : public ::testing::TestWithParam<WeightCase> {};

TEST_P(CsvWeightText, HasOneDecimalOrNothing) {
    EXPECT_EQ(CsvWeight(GetParam().kilograms), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(AgendaExport, CsvWeightText,
                         ::testing::Values(WeightCase{62.5f, "62.5"}, WeightCase{70.04f, "70.0"},
                                           WeightCase{58.96f, "59.0"}, WeightCase{100.0f, "100.0"},
                                           WeightCase{0.0f, ""}, WeightCase{-0.0f, ""},
                                           WeightCase{std::numeric_limits<float>::quiet_NaN(), ""},
                                           WeightCase{std::numeric_limits<float>::infinity(), ""}));

TEST(AgendaExport, CsvDateIsTheDayOfAValidDateOnly) {
    EXPECT_EQ(CsvDate(CDateValue(2027, 2, 15, 9, 30, 0)), "2027-02-15");
    EXPECT_EQ(CsvDate(CDateValue(987, 12, 1)), "0987-12-01");
    EXPECT_EQ(CsvDate(CDateValue::FromRaw(46433.0, DateStatus::invalid)), "");
    EXPECT_EQ(CsvDate(CDateValue::FromRaw(46433.0, DateStatus::null)), "");
    // Valid in name but beyond the calendar.
    EXPECT_EQ(CsvDate(CDateValue::FromRaw(1e12, DateStatus::valid)), "");
}

TEST(AgendaExport, DateJsonGivesRawValueStatusAndIsoText) {
    const nlohmann::ordered_json valid = DateToJson(CDateValue(2012, 1, 1, 6, 0, 0));
    EXPECT_EQ(valid["oadate"], 40909.25);
    EXPECT_EQ(valid["status"], "valid");
    EXPECT_EQ(valid["iso"], "2012-01-01T06:00:00");

    const nlohmann::ordered_json invalid =
        DateToJson(CDateValue::FromRaw(12.5, DateStatus::invalid));
    EXPECT_EQ(invalid["oadate"], 12.5);
    EXPECT_EQ(invalid["status"], "invalid");
    EXPECT_TRUE(invalid["iso"].is_null());

    const nlohmann::ordered_json null = DateToJson(CDateValue::FromRaw(0.0, DateStatus::null));
    EXPECT_EQ(null["status"], "null");
    EXPECT_TRUE(null["iso"].is_null());

    const nlohmann::ordered_json nan = DateToJson(
        CDateValue::FromRaw(std::numeric_limits<double>::quiet_NaN(), DateStatus::valid));
    EXPECT_TRUE(nan["oadate"].is_null());
    EXPECT_TRUE(nan["iso"].is_null());
}

TEST(AgendaExport, CsvHasHeaderAndOneCrLfRowPerItem) {
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2027, 1, 1);
    CAgendaRecord weighed;
    weighed.strText = "Peso, por fin";
    weighed.dtFrom = CDateValue(2027, 2, 15, 10, 0, 0);
    weighed.fWeight = 62.5f;
    CAgendaRecord broken;
    broken.strText = "Sin fecha";
    broken.dtFrom = CDateValue::FromRaw(0.0, DateStatus::invalid);
    data.items = {weighed, broken};

    EXPECT_EQ(AgendaToCsv(data),
              "fecha,texto,peso_kg\r\n"
              "2027-02-15,\"Peso, por fin\",62.5\r\n"
              ",Sin fecha,\r\n");
}

TEST(AgendaExport, EmptyAgendaGivesTheHeaderOnly) {
    EXPECT_EQ(AgendaToCsv(CAgendaData{}), "fecha,texto,peso_kg\r\n");
    const nlohmann::ordered_json j = AgendaToJson(CAgendaData{});
    EXPECT_TRUE(j["items"].is_array());
    EXPECT_TRUE(j["items"].empty());
}

TEST(AgendaExport, JsonWeightIsTheShortestDecimalOfTheFloat) {
    CAgendaData data;
    CAgendaRecord r;
    r.fWeight = 62.3f;
    data.items = {r};
    EXPECT_EQ(AgendaToJson(data)["items"][0]["weight"].dump(), "62.3");
}

// The streaming forms write what the whole-agenda forms give, for every kind of
// sound agenda in the fixtures; a damaged one writes nothing.
std::string Fixture(const char* name) {
    std::ifstream in(std::string(GESTALIA_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StreamedExport : public ::testing::TestWithParam<const char*> {};

TEST_P(StreamedExport, WritesWhatTheWholeAgendaGives) {
    const std::string bytes = Fixture(GetParam());
    Result<CAgendaData> whole = ParseAgenda(bytes);
    ASSERT_TRUE(whole.ok()) << GetParam();
    std::ostringstream json;
    std::ostringstream csv;
    ASSERT_TRUE(WriteAgendaJson(bytes, json).ok());
    ASSERT_TRUE(WriteAgendaCsv(bytes, csv).ok());
    EXPECT_EQ(json.str(),
              AgendaToJson(whole.value())
                  .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
    EXPECT_EQ(csv.str(), AgendaToCsv(whole.value()));
}

INSTANTIATE_TEST_SUITE_P(AgendaExport, StreamedExport,
                         ::testing::Values("sample.gst", "empty.gst", "fuzz-corpus/accented.gst",
                                           "fuzz-corpus/all-bytes.gst",
                                           "fuzz-corpus/five-items.gst",
                                           "fuzz-corpus/null-invalid-dates.gst",
                                           "fuzz-corpus/long-text.gst"));

TEST(AgendaExport, DamagedAgendaStreamsNothing) {
    const std::string bytes = Fixture("fuzz-corpus/truncated-record.gst");
    std::ostringstream json;
    std::ostringstream csv;
    EXPECT_FALSE(WriteAgendaJson(bytes, json).ok());
    EXPECT_FALSE(WriteAgendaCsv(bytes, csv).ok());
    EXPECT_EQ(json.str(), "");
    EXPECT_EQ(csv.str(), "");
}

}  // namespace
}  // namespace gestalia
