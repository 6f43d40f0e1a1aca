#include "model/item_store.h"

#include <gtest/gtest.h>

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
    defaults.dtCreated = CDateValue(2027, 1, 1);
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

}  // namespace
}  // namespace gestalia
