#include "model/visit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/agenda_file.h"
#include "model/agenda_merge.h"
#include "model/item_store.h"

namespace gestalia {
namespace {

struct CheckRow {
    const char* name;
    CVisit visit;
    std::string message;  // empty: accepted
};

class CheckVisitTest : public ::testing::TestWithParam<CheckRow> {};

TEST_P(CheckVisitTest, AcceptsTheRangesAndNamesThemWhenNot) {
    const Status checked = CheckVisit(GetParam().visit);
    EXPECT_EQ(checked ? std::string() : checked.error().message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CheckVisitTest,
    ::testing::Values(
        CheckRow{"Empty", {}, ""}, CheckRow{"EveryEnd", {250, 150, 50.0, 220, true}, ""},
        CheckRow{"LowEnds", {50, 30, 5.0, 60, false}, ""},
        CheckRow{"SystolicHigh",
                 {251, {}, {}, {}, {}},
                 "La tensión sistólica (la alta) debe estar entre 50 y 250 mmHg."},
        CheckRow{"DiastolicLow",
                 {{}, 29, {}, {}, {}},
                 "La tensión diastólica (la baja) debe estar entre 30 y 150 mmHg."},
        CheckRow{"DiastolicNotBelow",
                 {90, 90, {}, {}, {}},
                 "La tensión diastólica (la baja) debe ser menor que la sistólica (la alta)."},
        CheckRow{
            "FundalLow", {{}, {}, 4.9, {}, {}}, "La altura uterina debe estar entre 5 y 50 cm."},
        CheckRow{
            "HeartHigh", {{}, {}, {}, 221, {}}, "El latido fetal debe estar entre 60 y 220 lpm."}),
    [](const auto& info) { return std::string(info.param.name); });

const CDateValue kDay(2027, 3, 10, 9, 0, 0);

CVisit Pressure(int systolic) {
    return CVisit{systolic, 70, {}, {}, {}};
}

// The texts of the notes with visit data, with their systolic pressure, as
// the written file gives them back.
std::vector<std::pair<std::string, int>> VisitsAsRead(const CItemStore& store) {
    Result<std::string> bytes = SerializeAgenda(CDateValue(2027, 1, 1), store);
    EXPECT_TRUE(bytes.ok());
    Result<CAgendaData> data = ParseAgenda(bytes.value());
    EXPECT_TRUE(data.ok());
    std::vector<std::pair<std::string, int>> read;
    for (const CAgendaRecord& r : data.value().items) {
        if (!r.visit.empty()) {
            read.emplace_back(r.strText, *r.visit.nSystolic);
        }
    }
    return read;
}

TEST(NoteVisits, StayWithTheirNotesWhenNotesAreAddedDeletedAndMoved) {
    CItemStore store;
    const std::int32_t a = store.AddItem(kDay, kDay, "a", 1, 0.0f, {});
    const std::int32_t b = store.AddItem(kDay, kDay, "b", 1, 0.0f, {});
    const std::int32_t c = store.AddItem(kDay, kDay, "c", 1, 0.0f, {});
    store.SetVisit(b, Pressure(110));
    store.SetVisit(c, Pressure(120));
    using Read = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(VisitsAsRead(store), (Read{{"b", 110}, {"c", 120}}));

    ASSERT_TRUE(store.DeleteItem(a));
    EXPECT_EQ(VisitsAsRead(store), (Read{{"b", 110}, {"c", 120}}));
    const std::int32_t d = store.AddItem(kDay, kDay, "d", 1, 0.0f, {});
    store.SetVisit(d, Pressure(130));
    store.Find(b)->SetFrom(CDateValue(2027, 4, 2, 9, 0, 0));  // dragged to another day
    ASSERT_TRUE(store.DeleteItem(c));
    EXPECT_EQ(VisitsAsRead(store), (Read{{"b", 110}, {"d", 130}}));

    // Read into a store, every note keeps its visit, and the same bytes are written.
    Result<std::string> bytes = SerializeAgenda(CDateValue(2027, 1, 1), store);
    ASSERT_TRUE(bytes.ok());
    CItemStore read;
    CAgendaExtension extension;
    ASSERT_TRUE(LoadAgendaItems(CFileBytes(bytes.value()), read, {}, &extension).ok());
    ASSERT_EQ(read.size(), 2u);
    ASSERT_NE(read.VisitOf(read.at(1).GetID()), nullptr);
    EXPECT_EQ(*read.VisitOf(read.at(1).GetID()), Pressure(130));
    Result<std::string> again = SerializeAgenda(CDateValue(2027, 1, 1), read, extension);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value(), bytes.value());
}

TEST(NoteVisits, EntriesOfTheWrongShapeOrForNoNoteAreLeftOut) {
    CAgendaExtension extension;
    extension.Set("visits", nlohmann::json::parse(R"([
        {"note": 0, "systolic": 118, "diastolic": 76, "fundalHeightCm": 28.5, "oedema": false},
        {"note": 1, "systolic": "alta"},
        {"note": 2, "fetalHeartRate": 140},
        {"note": -1, "fetalHeartRate": 140},
        {"note": 0.5, "fetalHeartRate": 140},
        {"note": 1},
        7])"));
    const auto visits = extension.Visits(2);
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits.at(0), (CVisit{118, 76, 28.5, {}, false}));
    EXPECT_EQ(VisitSummary(visits.at(0)), "TA 118/76 mmHg, AU 28,5 cm, edemas: no");
}

TEST(NoteVisits, ThoseThatReadTheSameAreWrittenAsTheyWere) {
    // Another writer's spacing and order, and an entry this version leaves out.
    const std::string payload =
        R"({ "visits": [ {"note": 1, "diastolic": 70, "systolic": 120}, {"note": 9, "oedema": true},)"
        R"( {"systolic": 110, "diastolic": 60, "note": 0} ] })";
    Result<CAgendaExtension> extension = CAgendaExtension::Parse(payload, 0);
    ASSERT_TRUE(extension.ok());
    CAgendaData data;
    data.extension = extension.value();
    data.items.push_back({"a", kDay, kDay, 1, 0.0f, CVisit{110, 60, {}, {}, {}}});
    data.items.push_back({"b", kDay, kDay, 1, 0.0f, CVisit{120, 70, {}, {}, {}}});
    const std::string bytes = SerializeAgenda(data).value();
    ASSERT_NE(bytes.find(payload), std::string::npos);
    const Result<CAgendaData> read = ParseAgenda(bytes);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(SerializeAgenda(read.value()).value(), bytes);

    // A changed visit writes them all anew, in order, without the entry left out.
    CAgendaData changed = read.value();
    changed.items[0].visit.nFetalHeartRate = 150;
    const std::string written = SerializeAgenda(changed).value();
    EXPECT_NE(written.find(R"({"visits":[{"diastolic":60,"fetalHeartRate":150,"note":0,)"
                           R"("systolic":110},{"diastolic":70,"note":1,"systolic":120}]})"),
              std::string::npos);
}

TEST(NoteVisits, AChangedVisitIsAChangedNoteInAMerge) {
    CAgendaData base;
    base.items.push_back({"control", kDay, kDay, 1, 62.0f, Pressure(110)});
    CAgendaData theirs = base;
    theirs.items[0].visit.nFetalHeartRate = 140;
    const CAgendaMerge merge = MergeAgendas(base, theirs, base);
    ASSERT_EQ(merge.merged.items.size(), 1u);
    EXPECT_EQ(merge.merged.items[0].visit.nFetalHeartRate, 140);
    EXPECT_EQ(merge.nTakenIn, 1u);
    EXPECT_EQ(merge.nRemovedThere, 1u);
}

}  // namespace
}  // namespace gestalia
