#include "model/item_store.h"

#include "model/result.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace gestalia {
namespace {

std::vector<std::int32_t> Ids(const CItemStore& store) {
    std::vector<std::int32_t> ids;
    store.ForEach([&ids](const CWVCellDataItem& item) { ids.push_back(item.GetID()); });
    return ids;
}

std::int32_t Add(CItemStore& store, const std::string& text) {
    const CDateValue day(2027, 3, 1, 10, 0, 0);
    return store.AddItem(day, day, text, 1, 0.0f, CItemDefaults{});
}

TEST(ItemStoreTest, IdsStartAtOneAndKeepRisingAfterDeleteAll) {
    CItemStore store;
    EXPECT_EQ(Add(store, "a"), 1);
    EXPECT_EQ(Add(store, "b"), 2);
    store.DeleteAllItems();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(Add(store, "c"), 3);
    store.ResetLastItemId();
    EXPECT_EQ(store.LastItemId(), 0);
    EXPECT_EQ(Add(store, "d"), 1);
}

TEST(ItemStoreTest, AddItemFillsTheRecord) {
    CItemStore store;
    CItemDefaults defaults;
    defaults.crBack = RGB(1, 2, 3);
    defaults.b24HourTimes = 1;
    const CDateValue from(2027, 3, 1, 10, 0, 0);
    const CDateValue to(2027, 3, 1, 11, 0, 0);
    const std::int32_t id = store.AddItem(from, to, "Ecografía", 0, 62.5f, defaults);
    const CWVCellDataItem* item = store.Find(id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetText(), "Ecografía");
    EXPECT_TRUE(item->GetFrom() == from);
    EXPECT_TRUE(item->GetTo() == to);
    EXPECT_EQ(item->GetImage(), 0);
    EXPECT_EQ(item->GetWeight(), 62.5f);
    EXPECT_EQ(item->GetBack(), RGB(1, 2, 3));
    EXPECT_EQ(item->Get24Hour(), 1);
    EXPECT_EQ(item->GetTask(), 0);
    EXPECT_EQ(item->GetSelected(), 0);
    EXPECT_EQ(item->GetImageList(), nullptr);
}

TEST(ItemStoreTest, NewItemHasCreationValues) {
    const CDateValue now(2027, 1, 1, 8, 0, 0);
    const CWVCellDataItem item(now);
    EXPECT_EQ(item.GetText(), "Unknown Item");
    EXPECT_EQ(item.GetID(), -1);
    EXPECT_EQ(item.GetImage(), -1);
    EXPECT_EQ(item.GetBack(), RGB(255, 255, 213));
    EXPECT_TRUE(item.GetFrom() == now);
    EXPECT_TRUE(item.GetTo() == now);
}

TEST(ItemStoreTest, DeleteUnknownIdChangesNothing) {
    CItemStore store;
    Add(store, "a");
    Add(store, "b");
    EXPECT_FALSE(store.DeleteItem(7));
    EXPECT_FALSE(store.DeleteItem(-1));
    EXPECT_EQ(Ids(store), (std::vector<std::int32_t>{1, 2}));
}

TEST(ItemStoreTest, DeleteRemovesExactlyThatItemAndKeepsOrder) {
    CItemStore store;
    Add(store, "a");
    Add(store, "b");
    Add(store, "c");
    EXPECT_TRUE(store.DeleteItem(2));
    EXPECT_EQ(Ids(store), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(store.Find(2), nullptr);
    EXPECT_FALSE(store.DeleteItem(2));
    EXPECT_EQ(Add(store, "d"), 4);
    EXPECT_EQ(Ids(store), (std::vector<std::int32_t>{1, 3, 4}));
}

TEST(ItemStoreTest, SetTaskAndColourOnUnknownIdChangeNothing) {
    CItemStore store;
    Add(store, "a");
    store.SetItemTask(9, 1);
    store.SetItemColour(9, RGB(9, 9, 9));
    EXPECT_EQ(store.at(0).GetTask(), 0);
    EXPECT_EQ(store.at(0).GetBack(), RGB(255, 255, 255));
    store.SetItemTask(1, 1);
    store.SetItemColour(1, RGB(9, 9, 9));
    EXPECT_EQ(store.at(0).GetTask(), 1);
    EXPECT_EQ(store.at(0).GetBack(), RGB(9, 9, 9));
}

TEST(ItemStoreTest, ItemsOnTheSameTimeStayInAddedOrder) {
    CItemStore store;
    Add(store, "first");
    Add(store, "second");
    Add(store, "third");
    EXPECT_EQ(store.at(0).GetText(), "first");
    EXPECT_EQ(store.at(1).GetText(), "second");
    EXPECT_EQ(store.at(2).GetText(), "third");
}

TEST(ItemStoreTest, ItemsKeepTheirAddressWhileOthersComeAndGo) {
    CItemStore store;
    Add(store, "a");
    const CWVCellDataItem* first = store.Find(1);
    for (int i = 0; i < 100; ++i) {
        Add(store, "x");
    }
    store.DeleteItem(50);
    EXPECT_EQ(store.Find(1), first);
}

// The day index, kept in step with every operation: after each row's steps the
// notes of every day, as the index gives them, are those a walk of the whole
// store finds on that day, in store order, and the row's expected texts.
CDateValue At(int day, int hour = 10) {
    return CDateValue(2027, 3, day, hour, 0, 0);
}

std::vector<std::string> IndexedTexts(CItemStore& store, const CDateValue& day) {
    std::vector<std::string> texts;
    for (const CWVCellDataItem* item : store.ItemsOfDay(day)) {
        texts.emplace_back(item->Text());
    }
    return texts;
}

std::vector<std::string> WalkedTexts(const CItemStore& store, const CDateValue& day) {
    std::vector<std::string> texts;
    store.ForEach([&](const CWVCellDataItem& item) {
        const CDateValue start = item.GetFrom().GetDatePart();
        if (start.IsValid() && start == day.GetDatePart()) {
            texts.emplace_back(item.Text());
        }
    });
    return texts;
}

struct DayIndexCase {
    const char* name;
    std::function<void(CItemStore&)> steps;
    std::vector<std::string> march1;  // the notes of 1 March 2027 afterwards
    std::vector<std::string> march2;
};

class DayIndex : public ::testing::TestWithParam<DayIndexCase> {};

TEST_P(DayIndex, GivesEachDaysNotesInStoreOrder) {
    CItemStore store;
    for (const char* text : {"a", "b", "c"}) {
        store.AddItem(At(1), At(1), text, 1, 0.0f, CItemDefaults{});
    }
    GetParam().steps(store);
    EXPECT_EQ(IndexedTexts(store, At(1, 0)), GetParam().march1);
    EXPECT_EQ(IndexedTexts(store, At(2, 23)), GetParam().march2);
    for (int day = 1; day <= 3; ++day) {
        EXPECT_EQ(IndexedTexts(store, At(day)), WalkedTexts(store, At(day))) << day;
    }
    CDateValue invalid = At(1);
    invalid.SetDateTime(2027, 2, 30, 0, 0, 0);
    EXPECT_TRUE(store.ItemsOfDay(invalid).empty());
}

const auto kMoveB = [](CItemStore& s, const CDateValue& to) {
    if (CWVCellDataItem* b = s.Find(2)) {
        b->SetFrom(to);
    }
};

INSTANTIATE_TEST_SUITE_P(
    ItemStoreTest, DayIndex,
    ::testing::Values(
        DayIndexCase{"Add", [](CItemStore&) {}, {"a", "b", "c"}, {}},
        DayIndexCase{"AddOnAnotherDayAndTime",
                     [](CItemStore& s) {
                         s.AddItem(At(2, 23), At(2), "d", 0, 0.0f, CItemDefaults{});
                         s.AddItem(At(1, 0), At(1), "e", 0, 0.0f, CItemDefaults{});
                     },
                     {"a", "b", "c", "e"},
                     {"d"}},
        DayIndexCase{
            "ChangeMovesTheNote", [](CItemStore& s) { kMoveB(s, At(2)); }, {"a", "c"}, {"b"}},
        DayIndexCase{"ChangeBackKeepsStoreOrder",
                     [](CItemStore& s) {
                         kMoveB(s, At(2));
                         kMoveB(s, At(1, 18));
                     },
                     {"a", "b", "c"},
                     {}},
        DayIndexCase{"ChangeToAnInvalidDateFilesItNowhere",
                     [](CItemStore& s) {
                         CDateValue invalid = At(2);
                         invalid.SetDateTime(2027, 13, 1, 0, 0, 0);
                         kMoveB(s, invalid);
                     },
                     {"a", "c"},
                     {}},
        DayIndexCase{"LastSecondOfTheDayStaysOnIt",
                     [](CItemStore& s) { kMoveB(s, CDateValue(2027, 3, 2, 23, 59, 59)); },
                     {"a", "c"},
                     {"b"}},
        DayIndexCase{"Delete", [](CItemStore& s) { s.DeleteItem(1); }, {"b", "c"}, {}},
        DayIndexCase{"DeleteANoteBeforeOneOfAnotherDay",
                     [](CItemStore& s) {
                         s.AddItem(At(2), At(2), "d", 0, 0.0f, CItemDefaults{});
                         s.DeleteItem(1);
                     },
                     {"b", "c"},
                     {"d"}},
        DayIndexCase{"DeleteAllThenAdd",
                     [](CItemStore& s) {
                         s.DeleteAllItems();
                         s.AddItem(At(2), At(2), "d", 0, 0.0f, CItemDefaults{});
                     },
                     {},
                     {"d"}},
        DayIndexCase{"DeletedPlaceServesTheNextNote",
                     [](CItemStore& s) {
                         s.DeleteItem(2);
                         s.AddItem(At(2), At(2), "d", 0, 0.0f, CItemDefaults{});
                         kMoveB(s, At(1));  // no such id any more: Find gives nullptr
                     },
                     {"a", "c"},
                     {"d"}},
        DayIndexCase{"DaysCenturiesApart",
                     [](CItemStore& s) {
                         s.AddItem(CDateValue(100, 1, 1), At(1), "first", 0, 0.0f, {});
                         s.AddItem(CDateValue(9999, 12, 31, 23, 59, 59), At(1), "last", 0, 0.0f,
                                   {});
                         s.AddItem(At(2, 12), At(2), "d", 0, 0.0f, {});
                     },
                     {"a", "b", "c"},
                     {"d"}},
        DayIndexCase{"ChangeToADayCenturiesAway",
                     [](CItemStore& s) { kMoveB(s, CDateValue(100, 1, 1, 12, 0, 0)); },
                     {"a", "c"},
                     {}},
        DayIndexCase{"DeleteTheFarthestNotesAfterTheyWereFiled",
                     [](CItemStore& s) {
                         s.AddItem(CDateValue(100, 1, 1), At(1), "first", 0, 0.0f, {});
                         s.AddItem(CDateValue(9999, 12, 31), At(1), "last", 0, 0.0f, {});
                         EXPECT_EQ(s.ItemsOfDay(CDateValue(100, 1, 1)).size(), 1u);
                         s.DeleteItem(4);
                         s.DeleteItem(5);
                         s.AddItem(At(2, 12), At(2), "d", 0, 0.0f, {});
                     },
                     {"a", "b", "c"},
                     {"d"}},
        DayIndexCase{"ACopyBelongsToNoStore",
                     [](CItemStore& s) {
                         CWVCellDataItem copy = *s.Find(1);
                         copy.SetFrom(At(2));
                     },
                     {"a", "b", "c"},
                     {}}),
    [](const ::testing::TestParamInfo<DayIndexCase>& info) { return info.param.name; });

TEST(ItemStoreTest, FindsEveryIdAlsoWhenIdsNoLongerRise) {
    CItemStore store;
    for (const char* text : {"a", "b", "c", "d"}) {
        Add(store, text);
    }
    store.DeleteItem(2);
    EXPECT_EQ(store.Find(2), nullptr);
    EXPECT_EQ(store.Find(3)->Text(), "c");
    EXPECT_EQ(store.Find(5), nullptr);
    store.ResetLastItemId();
    EXPECT_EQ(Add(store, "e"), 1);  // a second item with id 1, after id 4
    EXPECT_EQ(Add(store, "f"), 2);
    EXPECT_EQ(store.Find(1)->Text(), "a") << "the first with that id";
    EXPECT_EQ(store.Find(2)->Text(), "f");
    EXPECT_EQ(store.Find(4)->Text(), "d");
    EXPECT_EQ(store.Find(3)->Text(), "c");
}

TEST(ItemStoreTest, DeselectAllClearsEveryMark) {
    CItemStore store;
    for (const char* text : {"a", "b", "c"}) {
        Add(store, text);
    }
    store.Find(1)->SetSelected(1);
    store.Find(2)->SetSelected(1);
    store.Find(3)->SetSelected(1);
    store.Find(3)->SetSelected(0);
    store.Find(3)->SetSelected(1);
    EXPECT_TRUE(store.DeleteItem(2));
    store.DeselectAll();
    store.ForEach([](const CWVCellDataItem& item) { EXPECT_EQ(item.GetSelected(), 0); });
}

// Notes waiting in a file of texts, each ended by '|', all on day 1.
CNoteRecord ReadBarText(std::string_view file, std::uint32_t at) {
    const std::string_view rest = file.substr(at);
    return {At(1), At(1), rest.substr(0, rest.find('|')), 0, 0.0f};
}

TEST(ItemStoreTest, NotesWaitInTheirRecordsAndACopyKeepsItsText) {
    CItemStore store;
    const std::string text = "Ecografía de la semana 20";
    const std::string_view file =
        store.KeepFile(CFileBytes("Ecograf\xED"
                                  "a de la semana 20|plain|gone|"));
    store.ExpectNotes(3, file, &ReadBarText, {});
    const std::int32_t id = store.AddNote(At(1), 0);
    const std::int32_t plain = store.AddNote(At(1), 26);
    const std::int32_t gone = store.AddNote(At(1), 32);
    EXPECT_TRUE(store.DeleteItem(gone));  // never made into an item
    EXPECT_EQ(store.Find(gone), nullptr);
    const CWVCellDataItem before = *store.Find(id);  // its text not asked for yet
    EXPECT_EQ(store.Find(id), store.Find(id)) << "made once";
    EXPECT_EQ(store.Find(id)->Text(), text);
    EXPECT_EQ(store.Find(id)->Text().data(), store.Find(id)->Text().data()) << "decoded once";
    EXPECT_EQ(store.ItemsOfDay(At(1)).size(), 2u);
    EXPECT_EQ(store.Find(plain)->GetText(), "plain");
    const CWVCellDataItem copy = *store.Find(id);
    store.DeleteAllItems();
    EXPECT_EQ(copy.Text(), text);
    EXPECT_EQ(before.Text(), text);
}

TEST(ItemStoreTest, AFailedReplaceLeavesTheStoreAsItWas) {
    CItemStore store;
    Add(store, "a");
    Add(store, "b");
    store.Find(2)->SetFrom(At(2));
    const Result<int> failed = store.ReplaceAll([&store]() -> Result<int> {
        Add(store, "new");
        return CError{ErrorKind::damaged, "roto", 3};
    });
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(Ids(store), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(store.LastItemId(), 2);
    EXPECT_EQ(IndexedTexts(store, At(2)), std::vector<std::string>{"b"});

    const auto throwing = [&store]() -> Result<int> {
        Add(store, "new");
        throw std::bad_alloc();
    };
    EXPECT_THROW(static_cast<void>(store.ReplaceAll(throwing)), std::bad_alloc);
    EXPECT_EQ(Ids(store), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(IndexedTexts(store, At(2)), std::vector<std::string>{"b"});

    const Result<int> done = store.ReplaceAll([&store]() -> Result<int> {
        Add(store, "new");
        return 1;
    });
    EXPECT_TRUE(done.ok());
    EXPECT_EQ(Ids(store), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(IndexedTexts(store, At(1)), std::vector<std::string>{"new"});
    EXPECT_TRUE(IndexedTexts(store, At(2)).empty());
}

}  // namespace
// Half a second before midnight: filed under the day its date shows, both
// ways round midnight.
TEST(ItemStoreTest, ANoteAtHalfASecondBeforeMidnightIsFiledUnderTheDayItShows) {
    for (const double day : {46456.0, -2.0}) {
        const double raw = day >= 0 ? day + 86399.5 / 86400.0 : day - 86399.5 / 86400.0;
        const CDateValue late = CDateValue::FromRaw(raw, DateStatus::valid);
        const CDateValue shown(late.GetYear(), late.GetMonth(), late.GetDay());
        CItemStore store;
        store.AddItem(late, late, "tarde", 0, 0.0f, {});
        EXPECT_EQ(store.ItemsOfDay(shown).size(), 1u) << late.Format("%d/%m/%Y %H:%M:%S");
        const CDateValue next = CDateValue::FromRaw(shown.GetRaw() + 1.0, DateStatus::valid);
        const CDateValue before = CDateValue::FromRaw(shown.GetRaw() - 1.0, DateStatus::valid);
        EXPECT_TRUE(store.ItemsOfDay(next).empty());
        EXPECT_TRUE(store.ItemsOfDay(before).empty());
    }
}

}  // namespace gestalia
