#include "model/dating.h"

#include <gtest/gtest.h>

#include <optional>

namespace gestalia {
namespace {

const CDateValue kLastPeriod(2024, 1, 1);

CAgendaExtension WithScan(bool chosen, std::optional<CDateValue> birth = std::nullopt) {
    CAgendaExtension e;
    // 20 mm on 26 February: 8+6, so the scan stands for a last period on 26 December.
    e.SetScan(CScanDating{CDateValue(2024, 2, 26), 20.0, std::nullopt, chosen});
    e.SetBirth(birth);
    return e;
}

TEST(Dating, FollowsTheScanOnlyWhileSheDatesByIt) {
    EXPECT_TRUE(EffectiveDating(kLastPeriod, {}).dtLastPeriod == kLastPeriod);
    EXPECT_TRUE(EffectiveDating(kLastPeriod, WithScan(false)).dtLastPeriod == kLastPeriod);
    const CDating byScan = EffectiveDating(kLastPeriod, WithScan(true));
    EXPECT_TRUE(byScan.bByScan);
    EXPECT_TRUE(byScan.dtLastPeriod == CDateValue(2023, 12, 26));
}

struct StatusRow {
    const char* name;
    CAgendaExtension extension;
    CDateValue day;
    const char* due;
    const char* daysLeft;
    const char* weeks;
};

class Status : public ::testing::TestWithParam<StatusRow> {};

TEST_P(Status, TellsTheDatingOrTheBirth) {
    const StatusRow& row = GetParam();
    const CStatusTexts texts =
        StatusTexts(EffectiveDating(kLastPeriod, row.extension), row.day, false);
    EXPECT_EQ(texts.strDueDate, row.due);
    EXPECT_EQ(texts.strDaysLeft, row.daysLeft);
    EXPECT_EQ(texts.strWeeks, row.weeks);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Status,
    ::testing::Values(
        StatusRow{"ByLastPeriod",
                  {},
                  CDateValue(2024, 3, 4),
                  "Fecha probable de parto: 07/10/2024",
                  "Quedan 217 días para ver a tu bebé",
                  "Estás de 9 semanas y 0 días"},
        StatusRow{"ScanNotChosen", WithScan(false), CDateValue(2024, 3, 4),
                  "Fecha probable de parto: 07/10/2024", "Quedan 217 días para ver a tu bebé",
                  "Estás de 9 semanas y 0 días"},
        StatusRow{"ByScan", WithScan(true), CDateValue(2024, 3, 4),
                  "Parto: 01/10/2024 (por ecografía)", "Quedan 211 días para ver a tu bebé",
                  "Estás de 9 semanas y 6 días"},
        StatusRow{"TheDayBeforeTheBirth", WithScan(true, CDateValue(2024, 9, 20)),
                  CDateValue(2024, 9, 19), "Parto: 01/10/2024 (por ecografía)",
                  "Quedan 12 días para ver a tu bebé", "Estás de 38 semanas y 2 días"},
        StatusRow{"TheBirthDay", WithScan(true, CDateValue(2024, 9, 20)), CDateValue(2024, 9, 20),
                  "Nació el 20/09/2024", "Tu bebé ha nacido hoy", "Nació con 38 semanas y 3 días"},
        StatusRow{"AfterTheBirth", WithScan(false, CDateValue(2024, 9, 20)),
                  CDateValue(2024, 10, 28), "Nació el 20/09/2024",
                  "Tu bebé tiene 5 semanas y 3 días", "Nació con 37 semanas y 4 días"}),
    [](const ::testing::TestParamInfo<StatusRow>& info) { return std::string(info.param.name); });

TEST(Dating, NoWeekLabelsAfterTheBirth) {
    CAgendaExtension e;
    e.SetBirth(CDateValue(2024, 9, 9));
    const CDating dating = EffectiveDating(kLastPeriod, e);
    EXPECT_EQ(DatedWeekAt(CDateValue(2024, 9, 9), dating), 36);  // the birth day itself
    EXPECT_EQ(DatedWeekAt(CDateValue(2024, 9, 16), dating), std::nullopt);
    EXPECT_EQ(DatedWeekAt(CDateValue(2024, 9, 16), EffectiveDating(kLastPeriod, {})), 37);
    EXPECT_EQ(DatedWeekAt(CDateValue(2024, 3, 4), EffectiveDating(kLastPeriod, WithScan(true))),
              std::nullopt);  // 9+6 by the scan
    EXPECT_EQ(DatedWeekAt(CDateValue(2024, 3, 5), EffectiveDating(kLastPeriod, WithScan(true))),
              10);
}

}  // namespace
}  // namespace gestalia
