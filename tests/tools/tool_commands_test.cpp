#include "tools/tool_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/agenda_file.h"
#include "model/clock.h"
#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"
#include "tools/manual_page.h"
#include "tools/manual_pages.h"

namespace gestalia {
namespace {

namespace fs = std::filesystem;

using test::CTempDir;

struct ToolRun {
    int code = -1;
    std::string out;
    std::string err;
};

ToolRun RunToolWith(const std::vector<std::string>& args, const IClock& clock) {
    std::vector<const char*> argv{"gestalia-tool"};
    for (const std::string& a : args) {
        argv.push_back(a.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.code = RunTool(static_cast<int>(argv.size()), argv.data(), clock, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

ToolRun RunToolWith(const std::vector<std::string>& args) {
    const CFixedClock clock(CFixedClock::LocalSeconds(2027, 1, 1, 15, 0, 0));
    return RunToolWith(args, clock);
}

std::size_t CountLines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Three notes: an appointment with a weight and awkward text, a weightless task
// with a null end date, and a note whose start date is invalid.
CAgendaData SampleAgenda() {
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2027, 1, 1);
    CAgendaRecord visit;
    visit.strText = "Visita a la matrona, \"control\"\r\nañadir análisis";
    visit.dtFrom = CDateValue(2027, 2, 15, 9, 30, 0);
    visit.dtTo = CDateValue(2027, 2, 15, 10, 0, 0);
    visit.nImage = 1;
    visit.fWeight = 62.5f;
    CAgendaRecord task;
    task.strText = "Comprar ácido fólico";
    task.dtFrom = CDateValue(2027, 1, 20);
    task.dtTo = CDateValue::FromRaw(3.5, DateStatus::null);
    task.nImage = 0;
    CAgendaRecord broken;
    broken.strText = "";
    broken.dtFrom = CDateValue::FromRaw(-7.0, DateStatus::invalid);
    broken.dtTo = CDateValue(2027, 3, 1);
    broken.nImage = -1;
    broken.fWeight = 70.04f;
    data.items = {visit, task, broken};
    return data;
}

std::string SampleBytes() {
    Result<std::string> bytes = SerializeAgenda(SampleAgenda());
    if (!bytes) {
        throw std::runtime_error(bytes.error().message);
    }
    return bytes.value();
}

TEST(ToolDump, GivesTheAgendaAsJson) {
    const CTempDir dir;
    const ToolRun run = RunToolWith({"dump", dir.Write("agenda.gst", SampleBytes())});
    ASSERT_EQ(run.code, kToolOk) << run.err;
    EXPECT_EQ(run.err, "");
    const nlohmann::ordered_json j = nlohmann::ordered_json::parse(run.out);

    // Keys in the documented order, as a person reading the dump expects them.
    EXPECT_EQ(j.begin().key(), "lastPeriod");
    const std::vector<std::string> itemKeys{"id", "text", "from", "to", "image", "weight"};
    std::vector<std::string> firstItemKeys;
    for (const auto& [key, value] : j["items"][0].items()) {
        firstItemKeys.push_back(key);
    }
    EXPECT_EQ(firstItemKeys, itemKeys);

    EXPECT_EQ(j["lastPeriod"]["oadate"], CDateValue(2027, 1, 1).GetRaw());
    EXPECT_EQ(j["lastPeriod"]["status"], "valid");
    EXPECT_EQ(j["lastPeriod"]["iso"], "2027-01-01T00:00:00");

    const nlohmann::ordered_json& items = j["items"];
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]["id"], 1);
    EXPECT_EQ(items[1]["id"], 2);
    EXPECT_EQ(items[2]["id"], 3);

    EXPECT_EQ(items[0]["text"], "Visita a la matrona, \"control\"\r\nañadir análisis");
    EXPECT_EQ(items[0]["from"]["iso"], "2027-02-15T09:30:00");
    EXPECT_EQ(items[0]["to"]["iso"], "2027-02-15T10:00:00");
    EXPECT_EQ(items[0]["image"], 1);
    EXPECT_EQ(items[0]["weight"], 62.5);

    EXPECT_EQ(items[1]["text"], "Comprar ácido fólico");
    EXPECT_EQ(items[1]["to"]["status"], "null");
    EXPECT_EQ(items[1]["to"]["oadate"], 3.5);
    EXPECT_TRUE(items[1]["to"]["iso"].is_null());
    EXPECT_EQ(items[1]["image"], 0);
    EXPECT_EQ(items[1]["weight"], 0.0);

    EXPECT_EQ(items[2]["text"], "");
    EXPECT_EQ(items[2]["from"]["status"], "invalid");
    EXPECT_EQ(items[2]["from"]["oadate"], -7.0);
    EXPECT_TRUE(items[2]["from"]["iso"].is_null());
    EXPECT_EQ(items[2]["image"], -1);
    EXPECT_EQ(items[2]["weight"], 70.04);
}

TEST(ToolExportCsv, QuotesTextsAndEndsLinesWithCrLf) {
    const CTempDir dir;
    const ToolRun run = RunToolWith({"export-csv", dir.Write("agenda.gst", SampleBytes())});
    ASSERT_EQ(run.code, kToolOk) << run.err;
    EXPECT_EQ(run.out,
              "fecha,texto,peso_kg\r\n"
              "2027-02-15,\"Visita a la matrona, \"\"control\"\"\r\nañadir análisis\",62.5\r\n"
              "2027-01-20,Comprar ácido fólico,\r\n"
              ",,70.0\r\n");
}

TEST(ToolCheck, SaysOkForASoundAgenda) {
    const CTempDir dir;
    const ToolRun run = RunToolWith({"check", dir.Write("agenda.gst", SampleBytes())});
    EXPECT_EQ(run.code, kToolOk);
    EXPECT_EQ(run.out, "OK\n");
    EXPECT_EQ(run.err, "");
}

struct Damage {
    const char* name;
    std::size_t keepBytes;  // the file is cut to this many bytes (npos: whole)
    std::size_t patchAt;    // where four bytes are overwritten (npos: nowhere)
    std::uint32_t patch;
    std::size_t expectedOffset;  // what the report must name
};

constexpr std::size_t kWhole = std::string::npos;
// Offsets in the sample: the header takes bytes 0 to 15; each record takes 36
// bytes plus its text (47, 20 and 0 bytes in Windows-1252).
constexpr std::size_t kFirstText = 47;
constexpr std::size_t kSecondText = 20;
constexpr std::size_t kFirstRecord = 16;
constexpr std::size_t kSecondRecord = kFirstRecord + 36 + kFirstText;
constexpr std::size_t kThirdRecord = kSecondRecord + 36 + kSecondText;

class ToolCheckDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(ToolCheckDamage, ReportsTheByteOffsetOnOneLine) {
    std::string bytes = SampleBytes();
    ASSERT_EQ(bytes.size(), kThirdRecord + 36) << "sample layout changed";
    const Damage& d = GetParam();
    if (d.patchAt != kWhole) {
        bytes.replace(d.patchAt, 4, test::U32(d.patch));
    }
    if (d.keepBytes != kWhole) {
        bytes.resize(d.keepBytes);
    }
    const CTempDir dir;
    const std::string path = dir.Write("damaged.gst", bytes);
    const ToolRun run = RunToolWith({"check", path});
    EXPECT_EQ(run.code, kToolFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(CountLines(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("byte " + std::to_string(d.expectedOffset) + ":"), std::string::npos)
        << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolCheckDamage,
    ::testing::Values(Damage{"ShortHeader", 10, kWhole, 0, 10},
                      Damage{"NegativeCount", kWhole, 12, 0xFFFFFFFFu, 12},
                      Damage{"NegativeTextLength", kWhole, kSecondRecord, 0xFFFFFFFEu,
                             kSecondRecord},
                      Damage{"CountBeyondTheFile", kSecondRecord + 20, kWhole, 0, 12},
                      Damage{"CutInsideTheLastRecord", kThirdRecord + 20, kWhole, 0, kThirdRecord},
                      Damage{"TextLongerThanTheFile", kWhole, kThirdRecord, 30u, kThirdRecord + 4},
                      Damage{"UnknownStatus", kWhole, kFirstRecord + 4 + kFirstText + 8, 7u,
                             kFirstRecord + 4 + kFirstText + 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToolCheck, ReportsExtraBytesAfterTheLastNote) {
    const std::string bytes = SampleBytes();
    const CTempDir dir;
    const ToolRun run = RunToolWith({"check", dir.Write("long.gst", bytes + "xyz")});
    EXPECT_EQ(run.code, kToolFailed);
    EXPECT_NE(run.err.find("byte " + std::to_string(bytes.size()) + ":"), std::string::npos)
        << run.err;
}

TEST(ToolDump, GivesTheExtensionWhole) {
    CAgendaData data = SampleAgenda();
    data.extension.SetBirth(CDateValue(2027, 9, 30));
    data.extension.Set("labour", nlohmann::json::parse(R"([{"date":"2027-03-01"}])"));
    const CTempDir dir;
    const ToolRun run =
        RunToolWith({"dump", dir.Write("agenda.gst", SerializeAgenda(data).value())});
    ASSERT_EQ(run.code, kToolOk) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["items"].size(), 3u);
    EXPECT_EQ(j["extension"],
              nlohmann::json::parse(R"({"birth":"2027-09-30","labour":[{"date":"2027-03-01"}]})"));
    // Without extension data there is no key at all.
    EXPECT_FALSE(
        nlohmann::json::parse(RunToolWith({"dump", dir.Write("plain.gst", SampleBytes())}).out)
            .contains("extension"));
}

TEST(ToolCheck, ReportsADamagedExtensionBlockAtItsByte) {
    CAgendaData data = SampleAgenda();
    data.extension.SetBirth(CDateValue(2027, 9, 30));
    std::string bytes = SerializeAgenda(data).value();
    const CTempDir dir;
    EXPECT_EQ(RunToolWith({"check", dir.Write("sound.gst", bytes)}).out, "OK\n");
    bytes[bytes.size() - 6] = 'x';  // inside the payload: the CRC no longer matches
    const ToolRun run = RunToolWith({"check", dir.Write("damaged.gst", bytes)});
    EXPECT_EQ(run.code, kToolFailed);
    EXPECT_NE(run.err.find("byte " + std::to_string(bytes.size() - 4) + ":"), std::string::npos)
        << run.err;
}

struct DatingCase {
    std::vector<std::string> args;
    const char* json;
};

class ToolDating : public ::testing::TestWithParam<DatingCase> {};

TEST_P(ToolDating, PrintsBothDatingsAndTheRecommendedDueDate) {
    std::vector<std::string> args{"datacion"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const ToolRun run = RunToolWith(args);
    ASSERT_EQ(run.code, kToolOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(nlohmann::json::parse(run.out), nlohmann::json::parse(GetParam().json));
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolDating,
    ::testing::Values(DatingCase{{"2024-01-01", "2024-02-26", "20"},
                                 R"({"gaLastPeriodDays":56,"gaScanDays":62,"differenceDays":6,)"
                                 R"("thresholdDays":5,"redated":true,"dueDate":"2024-10-01"})"},
                      DatingCase{{"2024-01-01", "2024-03-04", "30"},
                                 R"({"gaLastPeriodDays":63,"gaScanDays":69,"differenceDays":6,)"
                                 R"("thresholdDays":7,"redated":false,"dueDate":"2024-10-07"})"},
                      DatingCase{{"2024-01-01", "2024-03-04", "30,0"},
                                 R"({"gaLastPeriodDays":63,"gaScanDays":69,"differenceDays":6,)"
                                 R"("thresholdDays":7,"redated":false,"dueDate":"2024-10-07"})"}));

struct BadDatingCase {
    std::vector<std::string> args;
    const char* message;
};

class ToolDatingBadInput : public ::testing::TestWithParam<BadDatingCase> {};

TEST_P(ToolDatingBadInput, ExitsWithTwoAndASpanishMessage) {
    std::vector<std::string> args{"datacion"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const ToolRun run = RunToolWith(args);
    EXPECT_EQ(run.code, kToolBadUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolDatingBadInput,
    ::testing::Values(BadDatingCase{{"2024-01-01", "2024-02-26", "14.9"}, "Longitud"},
                      BadDatingCase{{"2024-01-01", "2024-02-26", "96"}, "de 15 a 95"},
                      BadDatingCase{{"2024-01-01", "2024-02-26", "veinte"}, "Longitud"},
                      BadDatingCase{{"2024-01-01", "2024-02-26", ""}, "Longitud"},
                      BadDatingCase{{"2024-01-01", "2024-02-26", "nan"}, "Longitud"},
                      BadDatingCase{{"2024-02-30", "2024-02-26", "20"}, "Fecha no válida"},
                      BadDatingCase{{"2024-01-01", "26/02/2024", "20"}, "Fecha no válida"},
                      BadDatingCase{{"2024-03-01", "2024-02-26", "20"}, "anterior"}));

class ToolMissingFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ToolMissingFile, FailsWithOneLineOnStderr) {
    const CTempDir dir;
    const ToolRun run = RunToolWith({GetParam(), dir.File("no-such.gst")});
    EXPECT_EQ(run.code, kToolFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(CountLines(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("no-such.gst"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Tool, ToolMissingFile,
                         ::testing::Values("dump", "check", "export-csv", "informe", "export-ics"));

class ToolDamagedFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ToolDamagedFile, WritesNothingAndNamesTheByte) {
    const CTempDir dir;
    const std::string path = dir.Write("damaged.gst", SampleBytes().substr(0, kSecondRecord + 20));
    const ToolRun run = RunToolWith({GetParam(), path});
    EXPECT_EQ(run.code, kToolFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, path + ": byte 12: " + run.err.substr(path.size() + 11));
    EXPECT_EQ(CountLines(run.err), 1u) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Tool, ToolDamagedFile,
                         ::testing::Values("dump", "export-csv", "informe", "export-ics"));

constexpr const char* kDay45 =
    "Fecha probable de parto: 08/10/2027\n"
    "Quedan 235 días para ver a tu bebé\n"
    "Estás de 6 semanas y 3 días\n";

TEST(ToolTimeline, ForAChosenDay) {
    const ToolRun run = RunToolWith({"timeline", "2027-01-01", "2027-02-15"});
    EXPECT_EQ(run.code, kToolOk) << run.err;
    EXPECT_EQ(run.out, kDay45);
}

TEST(ToolTimeline, AsOfNowTakesTheClock) {
    const CFixedClock firstDay(CFixedClock::LocalSeconds(2027, 1, 1, 15, 0, 0));
    ToolRun run = RunToolWith({"timeline", "2027-01-01"}, firstDay);
    EXPECT_EQ(run.code, kToolOk) << run.err;
    EXPECT_EQ(run.out,
              "Fecha probable de parto: 08/10/2027\n"
              "Quedan 280 días para ver a tu bebé\n"
              "Estás de 0 semanas y 0 días\n");

    const CFixedClock later(CFixedClock::LocalSeconds(2027, 2, 15, 9, 30, 0));
    run = RunToolWith({"timeline", "2027-01-01"}, later);
    EXPECT_EQ(run.out, kDay45);
}

TEST(ToolTimeline, BeforeTheLastPeriodAndPastTheDueDate) {
    EXPECT_EQ(RunToolWith({"timeline", "2027-01-11", "2027-01-01"}).out,
              "Fecha probable de parto: 18/10/2027\n"
              "Quedan 290 días para ver a tu bebé\n"
              "Estás de -1 semanas y -3 días\n");
    EXPECT_EQ(RunToolWith({"timeline", "2026-12-31", "2027-10-10"}).out,
              "Fecha probable de parto: 07/10/2027\n"
              "Quedan -3 días para ver a tu bebé\n"
              "Estás de 40 semanas y 3 días\n");
    // One day before the due date, one week and one day in: singular.
    EXPECT_EQ(RunToolWith({"timeline", "2027-01-01", "2027-10-07"}).out,
              "Fecha probable de parto: 08/10/2027\n"
              "Queda 1 día para ver a tu bebé\n"
              "Estás de 39 semanas y 6 días\n");
    EXPECT_EQ(RunToolWith({"timeline", "2027-01-01", "2027-01-09"}).out,
              "Fecha probable de parto: 08/10/2027\n"
              "Quedan 272 días para ver a tu bebé\n"
              "Estás de 1 semana y 1 día\n");
}

class ToolTimelineBadDate : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ToolTimelineBadDate, ExitsWithTwoAndASpanishMessage) {
    const ToolRun run = RunToolWith(GetParam());
    EXPECT_EQ(run.code, kToolBadUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Fecha no válida"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolTimelineBadDate,
    ::testing::Values(std::vector<std::string>{"timeline", "2027-02-30"},
                      std::vector<std::string>{"timeline", "2027-1-01"},
                      std::vector<std::string>{"timeline", "01/01/2027"},
                      std::vector<std::string>{"timeline", "2027-01-01x"},
                      std::vector<std::string>{"timeline", ""},
                      std::vector<std::string>{"timeline", "0099-12-31"},
                      std::vector<std::string>{"timeline", "2027-13-01"},
                      std::vector<std::string>{"timeline", "2027-01-01", "2027-02-29"},
                      std::vector<std::string>{"timeline", "2027-01-01", "mañana"}));

struct IsoDayCase {
    const char* text;
    int year;  // 0: no day
    int month;
    int day;
};

class ParsesIsoDay : public ::testing::TestWithParam<IsoDayCase> {};

TEST_P(ParsesIsoDay, AcceptsOnlyRealDaysInTheFixedForm) {
    const IsoDayCase& c = GetParam();
    const std::optional<CDateValue> day = ParseIsoDay(c.text);
    if (c.year == 0) {
        EXPECT_FALSE(day.has_value()) << c.text;
        return;
    }
    ASSERT_TRUE(day.has_value()) << c.text;
    EXPECT_EQ(*day, CDateValue(c.year, c.month, c.day));
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ParsesIsoDay,
    ::testing::Values(IsoDayCase{"2027-01-01", 2027, 1, 1}, IsoDayCase{"2012-02-29", 2012, 2, 29},
                      IsoDayCase{"0100-01-01", 100, 1, 1}, IsoDayCase{"9999-12-31", 9999, 12, 31},
                      IsoDayCase{"2013-02-29", 0, 0, 0}, IsoDayCase{"2012-04-31", 0, 0, 0},
                      IsoDayCase{"2012-00-10", 0, 0, 0}, IsoDayCase{"2012-01-00", 0, 0, 0},
                      IsoDayCase{"+012-01-01", 0, 0, 0}, IsoDayCase{"2012-01-1 ", 0, 0, 0},
                      IsoDayCase{" 2012-01-1", 0, 0, 0}, IsoDayCase{"2012/01/01", 0, 0, 0},
                      IsoDayCase{"2012-01-010", 0, 0, 0}));

struct UsageCase {
    std::vector<std::string> args;
    const char* message;  // what the one-line Spanish error must say
};

class ToolUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ToolUsage, BadArgumentsExitWithTwoAndSaySoInSpanish) {
    const ToolRun run = RunToolWith(GetParam().args);
    EXPECT_EQ(run.code, kToolBadUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("gestalia-tool: ") + GetParam().message +
                           "\nMás información: gestalia-tool --help\n");
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolUsage,
    ::testing::Values(
        UsageCase{
            {},
            "falta la orden (dump, check, export-csv, export-ics, informe, timeline, datacion)"},
        UsageCase{{"print", "a.gst"}, "orden desconocida: print"},
        UsageCase{{"--colour"}, "opción desconocida: --colour"},
        UsageCase{{"-x"}, "opción desconocida: -x"},
        UsageCase{{"dump"}, "dump: falta el argumento FICHERO"},
        UsageCase{{"timeline"}, "timeline: falta el argumento REGLA"},
        UsageCase{{"dump", "a.gst", "b.gst"}, "dump: sobra el argumento: b.gst"},
        UsageCase{{"check", "--deep", "a.gst"}, "check: opción desconocida: --deep"}));

TEST(ToolUsage, HelpIsTheManualPage) {
    const ToolRun run = RunToolWith({"--help"});
    EXPECT_EQ(run.code, kToolOk);
    EXPECT_EQ(run.out, RenderHelpText(ToolManual()));
    EXPECT_EQ(run.err, "");
}

TEST(ToolUsage, EveryDocumentedCommandHasItsOwnHelp) {
    for (const ToolCommandDoc& command : kToolCommands) {
        const ToolRun run = RunToolWith({std::string(command.name), "--help"});
        EXPECT_EQ(run.code, kToolOk) << command.name;
        EXPECT_EQ(run.out, CommandHelpText(command)) << command.name;
    }
}

TEST(ToolUsage, VersionNamesTheTool) {
    const ToolRun run = RunToolWith({"--version"});
    EXPECT_EQ(run.code, kToolOk);
    EXPECT_THAT(run.out, ::testing::MatchesRegex("gestalia-tool [0-9]+\\.[0-9.]+\n"));
}

}  // namespace
}  // namespace gestalia
