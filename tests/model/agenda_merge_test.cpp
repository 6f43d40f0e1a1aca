#include "model/agenda_merge.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace gestalia {
namespace {

// Notes written as words: "A B A2" is three notes with those texts, all on
// one day; a word ending in "!" has another weight, one ending in "~" another
// end, so that a note differing in one field alone is a different note.
std::vector<CAgendaRecord> Notes(const std::string& words) {
    std::vector<CAgendaRecord> notes;
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        CAgendaRecord r;
        r.dtFrom = CDateValue(2027, 3, 15, 9, 0, 0);
        r.dtTo = CDateValue(2027, 3, 15, 10, 0, 0);
        r.nImage = 1;
        r.fWeight = 61.5f;
        if (word.back() == '!') {
            r.fWeight = 61.6f;
            word.pop_back();
        } else if (word.back() == '~') {
            r.dtTo = CDateValue::FromRaw(0.0, DateStatus::null);
            word.pop_back();
        }
        r.strText = word;
        notes.push_back(r);
    }
    return notes;
}

std::string Words(const std::vector<CAgendaRecord>& notes) {
    std::string words;
    for (const CAgendaRecord& r : notes) {
        words += (words.empty() ? "" : " ") + r.strText;
        if (r.fWeight != 61.5f) {
            words += "!";
        } else if (!r.dtTo.IsValid()) {
            words += "~";
        }
    }
    return words;
}

CAgendaData Agenda(const std::string& words, int lastPeriodDay = 1) {
    return {CDateValue(2026, 7, lastPeriodDay, 0, 0, 0), Notes(words), {}};
}

struct NotesCase {
    const char* name;
    const char* base;
    const char* theirs;
    const char* ours;
    const char* merged;
    std::size_t taken;
    std::size_t removed;
};

class MergeNotesTest : public ::testing::TestWithParam<NotesCase> {};

TEST_P(MergeNotesTest, KeepsEveryAdditionAndAppliesEveryRemoval) {
    const NotesCase& c = GetParam();
    const CAgendaMerge m = MergeAgendas(Agenda(c.base), Agenda(c.theirs), Agenda(c.ours));
    EXPECT_EQ(Words(m.merged.items), c.merged);
    EXPECT_EQ(m.nTakenIn, c.taken);
    EXPECT_EQ(m.nRemovedThere, c.removed);
    EXPECT_FALSE(m.bLastPeriodConflict);
    EXPECT_EQ(m.bSameAsTheirs, Words(m.merged.items) == Words(Notes(c.theirs)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MergeNotesTest,
    ::testing::Values(
        NotesCase{"NothingChanged", "A B", "A B", "A B", "A B", 0, 0},
        NotesCase{"OnlyOursAdded", "A", "A", "A B", "A B", 0, 0},
        NotesCase{"OnlyTheirsAdded", "A", "A C", "A", "A C", 1, 0},
        NotesCase{"BothAdded", "A", "A C", "A B", "A B C", 1, 0},
        NotesCase{"BothAddedTheSameNote", "A", "A B", "A B", "A B B", 1, 0},
        NotesCase{"TheirsRemoved", "A B C", "A C", "A B C D", "A C D", 0, 1},
        NotesCase{"OursRemoved", "A B C", "A B C E", "A C", "A C E", 1, 0},
        NotesCase{"BothRemovedTheSame", "A B", "A", "A", "A", 0, 0},
        NotesCase{"EachRemovedAnother", "A B C", "A C", "A B", "A", 0, 1},
        NotesCase{"EditedOnBothSides", "A B", "A2 B", "A3 B", "A3 B A2", 1, 0},
        NotesCase{"EditedThereRemovedHere", "A B", "A2 B", "B", "B A2", 1, 0},
        NotesCase{"WeightChangedThere", "A B", "A B!", "A B C", "A C B!", 1, 1},
        NotesCase{"EndMadeNullHere", "A B", "A B D", "A~ B", "A~ B D", 1, 0},
        NotesCase{"OneOfTwoCopiesRemovedThere", "A A B", "A B", "A A B C", "A B C", 0, 1},
        NotesCase{"AnotherAgendaCopiedOver", "A B", "X Y", "A B C", "C X Y", 2, 2},
        NotesCase{"OursUnchangedTakesTheirOrder", "A B C", "C B A D", "A B C", "C B A D", 1, 0},
        NotesCase{"AllRemovedThere", "A B", "", "A B C", "C", 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct LastPeriodCase {
    const char* name;
    int base;
    int theirs;
    int ours;
    int merged;
    bool conflict;
    bool theirsTaken;
};

class MergeLastPeriodTest : public ::testing::TestWithParam<LastPeriodCase> {};

TEST_P(MergeLastPeriodTest, TakesTheDateFromTheSideThatChangedIt) {
    const LastPeriodCase& c = GetParam();
    const CAgendaMerge m =
        MergeAgendas(Agenda("A", c.base), Agenda("A", c.theirs), Agenda("A", c.ours));
    EXPECT_TRUE(SameDateImage(m.merged.dtLastPeriod, CDateValue(2026, 7, c.merged, 0, 0, 0)));
    EXPECT_EQ(m.bLastPeriodConflict, c.conflict);
    EXPECT_EQ(m.bTheirLastPeriod, c.theirsTaken);
}

INSTANTIATE_TEST_SUITE_P(Rows, MergeLastPeriodTest,
                         ::testing::Values(LastPeriodCase{"Unchanged", 1, 1, 1, 1, false, false},
                                           LastPeriodCase{"OursChanged", 1, 1, 5, 5, false, false},
                                           LastPeriodCase{"TheirsChanged", 1, 7, 1, 7, false, true},
                                           LastPeriodCase{"BothAlike", 1, 7, 7, 7, false, false},
                                           // A conflict keeps ours until she answers.
                                           LastPeriodCase{"BothDiffer", 1, 7, 5, 5, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MergeAgendas, ANullDateIsADateOfItsOwn) {
    CAgendaData theirs = Agenda("A");
    theirs.dtLastPeriod = CDateValue::FromRaw(theirs.dtLastPeriod.GetRaw(), DateStatus::null);
    const CAgendaMerge m = MergeAgendas(Agenda("A"), theirs, Agenda("A"));
    EXPECT_EQ(m.merged.dtLastPeriod.GetStatus(), DateStatus::null);
    EXPECT_TRUE(m.bTheirLastPeriod);
}

// The extension block goes key by key beside the notes: a birth set there is
// taken in with our new note, and a key changed differently on both sides is
// a conflict that keeps ours.
TEST(MergeAgendas, TakesTheExtensionKeyByKeyBesideTheNotes) {
    CAgendaData theirs = Agenda("A");
    theirs.extension.Set("birth", "2027-03-20");
    theirs.extension.Set("scan", nlohmann::json::object({{"date", "2026-09-01"}}));
    CAgendaData ours = Agenda("A B");
    ours.extension.Set("scan", nlohmann::json::object({{"date", "2026-09-02"}}));

    const CAgendaMerge m = MergeAgendas(Agenda("A"), theirs, ours);
    EXPECT_EQ(Words(m.merged.items), "A B");
    ASSERT_NE(m.merged.extension.Find("birth"), nullptr);
    EXPECT_EQ(*m.merged.extension.Find("birth"), "2027-03-20");
    EXPECT_EQ((*m.merged.extension.Find("scan"))["date"], "2026-09-02");
    EXPECT_EQ(m.extensionConflicts, std::vector<std::string>{"scan"});
    EXPECT_TRUE(m.HasConflict());
    EXPECT_TRUE(m.TookAnything());
    EXPECT_FALSE(m.bSameAsTheirs);
}

TEST(MergeAgendas, AnExtensionChangedOnlyThereIsTheDisksAgendaAsItStands) {
    CAgendaData theirs = Agenda("A");
    theirs.extension.Set("birth", "2027-03-20");
    const CAgendaMerge m = MergeAgendas(Agenda("A"), theirs, Agenda("A"));
    EXPECT_TRUE(m.bSameAsTheirs);
    EXPECT_TRUE(m.bTheirExtension);
    EXPECT_FALSE(m.HasConflict());
    EXPECT_TRUE(m.merged.extension == theirs.extension);
}

}  // namespace
}  // namespace gestalia
