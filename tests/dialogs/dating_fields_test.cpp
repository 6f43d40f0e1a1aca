#include "dialogs/dating_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace gestalia {
namespace {

const CDateValue kLastPeriod(2024, 1, 1);
const CDateValue kToday(2024, 3, 10, 12, 0, 0);

struct FieldsRow {
    const char* name;
    CScanFields fields;
    std::optional<double> crlMm;  // of the scan read
    std::optional<int> gaDays;
    const char* message;  // part of the refusal; empty when read
};

class ScanFields : public ::testing::TestWithParam<FieldsRow> {};

TEST_P(ScanFields, GiveTheScanOrSayWhatIsWrong) {
    const FieldsRow& row = GetParam();
    const Result<std::optional<CScanDating>> scan = ReadScanFields(row.fields, kLastPeriod, kToday);
    if (std::string(row.message).empty()) {
        ASSERT_TRUE(scan.ok()) << scan.error().message;
        ASSERT_EQ(scan.value().has_value(), row.crlMm || row.gaDays);
        if (scan.value()) {
            EXPECT_EQ(scan.value()->fCrlMm, row.crlMm);
            EXPECT_EQ(scan.value()->nGaDays, row.gaDays);
            EXPECT_TRUE(scan.value()->dtScan == row.fields.dtScan);
            EXPECT_FALSE(scan.value()->bChosen);
        }
        return;
    }
    ASSERT_FALSE(scan.ok());
    EXPECT_NE(scan.error().message.find(row.message), std::string::npos) << scan.error().message;
}

const CDateValue kScan(2024, 2, 26);

INSTANTIATE_TEST_SUITE_P(
    Rows, ScanFields,
    ::testing::Values(
        FieldsRow{"AllBlank", {kScan, " ", "", ""}, std::nullopt, std::nullopt, ""},
        FieldsRow{"Length", {kScan, "20", "", ""}, 20.0, std::nullopt, ""},
        FieldsRow{"LengthWithComma", {kScan, " 45,5 ", "", ""}, 45.5, std::nullopt, ""},
        FieldsRow{"Age", {kScan, "", "8", "6"}, std::nullopt, 62, ""},
        FieldsRow{"AgeInWholeWeeks", {kScan, "", "9", ""}, std::nullopt, 63, ""},
        FieldsRow{"ScanToday", {CDateValue(2024, 3, 10), "30", "", ""}, 30.0, std::nullopt, ""},
        FieldsRow{"LengthTooShort", {kScan, "14", "", ""}, std::nullopt, std::nullopt, "15 a 95"},
        FieldsRow{"LengthTooLong", {kScan, "95,5", "", ""}, std::nullopt, std::nullopt, "15 a 95"},
        FieldsRow{
            "LengthNotANumber", {kScan, "veinte", "", ""}, std::nullopt, std::nullopt, "15 a 95"},
        FieldsRow{"NegativeLength", {kScan, "-20", "", ""}, std::nullopt, std::nullopt, "15 a 95"},
        FieldsRow{"Both", {kScan, "20", "8", "6"}, std::nullopt, std::nullopt, "no las dos"},
        FieldsRow{"DaysAlone", {kScan, "", "", "3"}, std::nullopt, std::nullopt, "0 a 6 días"},
        FieldsRow{"SevenDays", {kScan, "", "8", "7"}, std::nullopt, std::nullopt, "0 a 6 días"},
        FieldsRow{
            "TooManyWeeks", {kScan, "", "43", "0"}, std::nullopt, std::nullopt, "0 a 42 semanas"},
        FieldsRow{"WeeksNotANumber",
                  {kScan, "", "ocho", "0"},
                  std::nullopt,
                  std::nullopt,
                  "0 a 42 semanas"},
        FieldsRow{"Tomorrow",
                  {CDateValue(2024, 3, 11), "20", "", ""},
                  std::nullopt,
                  std::nullopt,
                  "posterior a hoy"},
        FieldsRow{"BeforeTheLastPeriod",
                  {CDateValue(2023, 12, 31), "20", "", ""},
                  std::nullopt,
                  std::nullopt,
                  "anterior a la de la última regla"}),
    [](const ::testing::TestParamInfo<FieldsRow>& info) { return std::string(info.param.name); });

TEST(ScanFields, AStoredScanFillsTheFieldsItCameFrom) {
    for (const CScanDating& scan : {CScanDating{kScan, 45.5, std::nullopt, true},
                                    CScanDating{kScan, 20.0, std::nullopt, false},
                                    CScanDating{kScan, std::nullopt, 62, true}}) {
        const Result<std::optional<CScanDating>> read =
            ReadScanFields(ScanFieldsOf(scan, kToday), kLastPeriod, kToday);
        ASSERT_TRUE(read.ok()) << read.error().message;
        CScanDating expected = scan;
        expected.bChosen = false;
        EXPECT_EQ(read.value(), expected);
    }
    EXPECT_TRUE(ScanFieldsOf(std::nullopt, kToday).dtScan == CDateValue(2024, 3, 10));
}

struct BirthRow {
    CDateValue birth;
    const char* message;
};

class BirthDate : public ::testing::TestWithParam<BirthRow> {};

TEST_P(BirthDate, LiesBetweenTheLastPeriodAndToday) {
    const Status status = CheckBirthDate(GetParam().birth, kLastPeriod, kToday);
    if (std::string(GetParam().message).empty()) {
        EXPECT_TRUE(status.ok()) << status.error().message;
    } else {
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.error().message.find(GetParam().message), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BirthDate,
    ::testing::Values(BirthRow{CDateValue(2024, 1, 1), ""}, BirthRow{CDateValue(2024, 3, 10), ""},
                      BirthRow{CDateValue(2023, 12, 31), "anterior"},
                      BirthRow{CDateValue(2024, 3, 11), "posterior a hoy"},
                      BirthRow{CDateValue::FromRaw(0.0, DateStatus::invalid), "no es válida"}));

TEST(Comparison, TellsBothDatingsTheMarginAndTheRecommendation) {
    const Result<CDatingComparison> c = CompareDating(kLastPeriod, kScan, 62);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(ComparisonText(c.value()),
              "Edad por la última regla: 8+0; por la ecografía: 8+6 (semanas+días)\n"
              "Diferencia: 6 días; margen: 5 días\n"
              "Recomendación: fechar por la ecografía\n"
              "Parto: 07/10/2024 por la última regla; 01/10/2024 por la ecografía");
    EXPECT_EQ(BirthStateText(std::nullopt), "Nacimiento: sin anotar");
    EXPECT_EQ(BirthStateText(CDateValue(2024, 9, 20)), "Ya ha nacido: 20/09/2024");
}

}  // namespace
}  // namespace gestalia
