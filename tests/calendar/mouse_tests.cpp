// Mouse presses on the calendar and the notifications they send, in order:
// selection, marker or item hit test, NM_CLICK, the day panels, the repaint.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/calendar/calendar_fixture.h"

namespace gestalia::test {
namespace {

using ::testing::ElementsAre;

// Points of the 465 x 265 example with March 2027 shown (1 March in cell 1).
constexpr Point kOnFirstItem{10, 45};   // slot 0 of cell 1
constexpr Point kOnHiddenSlot{10, 56};  // the shared slot of undrawn items, cell 1
constexpr Point kOnMarker{60, 52};      // marker of cell 1
constexpr Point kEmptyDay{120, 25};     // label strip of cell 2, 2 March
constexpr Point kOnGridLine{78, 30};
constexpr Point kBelowLastRow{10, 270};

class Mouse : public CalendarFixture {
  protected:
    void SetUp() override {
        ShowMarch();
        first = AddNote(CDateValue(2027, 3, 1, 8), "primera");
        Paint();
        host.ClearLog();
    }
    // Three notes on 1 March: one drawn, two behind the marker.
    void AddOverflow() {
        second = AddNote(CDateValue(2027, 3, 1, 9), "segunda");
        third = AddNote(CDateValue(2027, 3, 1, 10), "tercera");
        Paint();
        host.ClearLog();
    }
    void DoubleClick(Point p) {
        ctrl.OnLButtonDown(p);
        ctrl.OnLButtonDblClk(p);
    }

    std::int32_t first = 0;
    std::int32_t second = 0;
    std::int32_t third = 0;
};

TEST_F(Mouse, PressOnItemSelectsItNotifiesThenShowsTheDay) {
    ctrl.OnLButtonDown(kOnFirstItem);
    EXPECT_THAT(host.m_log, ElementsAre("notify -2", "panels", "redraw"));
    const SentNotify& sent = host.m_notifies.at(0);
    EXPECT_EQ(sent.nm.hdr.code, NM_CLICK);
    EXPECT_EQ(sent.nm.hdr.idFrom, 1000u);
    EXPECT_EQ(sent.nm.pCell, ctrl.GetCell(1));
    EXPECT_EQ(sent.nm.pItem, Item(first));
    EXPECT_EQ(sent.nm.nItemId, first);
    EXPECT_EQ(sent.nm.bMarker, 0);
    EXPECT_EQ(sent.nm.pt, kOnFirstItem);
    EXPECT_EQ(sent.strItemText, "primera");
    EXPECT_TRUE(host.m_panelDays.at(0) == CDateValue(2027, 3, 1));
    EXPECT_EQ(Item(first)->GetSelected(), 1);
    EXPECT_EQ(ctrl.GetSelectedCell(), ctrl.GetCell(1));
    EXPECT_EQ(ctrl.GetCell(1)->m_bSelected, 1);
}

TEST_F(Mouse, PressOnEmptyDaySelectsAndShowsItWithoutNotifying) {
    ctrl.OnLButtonDown(kOnFirstItem);
    host.ClearLog();
    ctrl.OnLButtonDown(kEmptyDay);
    EXPECT_THAT(host.m_log, ElementsAre("panels", "redraw"));
    EXPECT_TRUE(host.m_panelDays.at(0) == CDateValue(2027, 3, 2));
    EXPECT_EQ(ctrl.GetSelectedCell(), ctrl.GetCell(2));
    EXPECT_EQ(ctrl.GetCell(1)->m_bSelected, 0);
    EXPECT_EQ(Item(first)->GetSelected(), 0);
}

class MissPress : public Mouse, public ::testing::WithParamInterface<Point> {};

TEST_P(MissPress, ClearsSelectionAndRedrawsOnly) {
    ctrl.OnLButtonDown(kOnFirstItem);
    host.ClearLog();
    ctrl.OnLButtonDown(GetParam());
    EXPECT_THAT(host.m_log, ElementsAre("redraw"));
    EXPECT_EQ(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetCell(1)->m_bSelected, 0);
    EXPECT_EQ(Item(first)->GetSelected(), 0);
}

INSTANTIATE_TEST_SUITE_P(Points, MissPress,
                         ::testing::Values(kOnGridLine, kBelowLastRow, Point{156, 200},
                                           Point{390, 100}, Point{-1, 30}));

TEST_F(Mouse, EveryPointOfACellSelectsThatCell) {
    for (int i = 1; i <= kCells; ++i) {
        const Rect rc = ctrl.GetCell(i)->m_rcCell;
        const Point centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ctrl.OnLButtonDown(centre);
        ASSERT_NE(ctrl.GetSelectedCell(), nullptr) << i;
        EXPECT_EQ(ctrl.GetSelectedCell()->m_nIndex, i);
        EXPECT_TRUE(host.m_panelDays.back() == ctrl.GetCell(i)->m_dtDate);
    }
}

TEST_F(Mouse, SundayOverlappingTheNextRowWinsTheLeftPress) {
    // Rows are 42 pixels: the first Sunday reaches y = 59, the top of the next row.
    ctrl.OnLButtonDown({400, 59});
    ASSERT_NE(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetSelectedCell()->m_nIndex, 7);
}

TEST_F(Mouse, MarkerPressSelectsDayWithoutItemHitOrClick) {
    AddOverflow();
    ctrl.OnLButtonDown(kOnMarker);
    EXPECT_THAT(host.m_log, ElementsAre("panels", "redraw"));
    EXPECT_EQ(ctrl.GetCell(1)->m_bMarkerHit, 1);
    EXPECT_EQ(ctrl.GetSelectedCell(), ctrl.GetCell(1));
}

TEST_F(Mouse, RightPressAndReleaseOnMarkerSendDoubleClick) {
    AddOverflow();
    ctrl.OnLButtonDown(kOnMarker);
    host.ClearLog();
    ctrl.OnRButtonDown(kOnMarker);
    EXPECT_THAT(host.m_log, ElementsAre("redraw")) << "no panels on a right press";
    ctrl.OnRButtonUp(kOnMarker);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_DBLCLK);
    EXPECT_EQ(host.m_notifies[0].nm.bMarker, 1);
    EXPECT_EQ(host.m_notifies[0].nCellIndex, 1);
}

TEST_F(Mouse, StaleMarkerStillCountsAsMarker) {
    AddOverflow();
    ASSERT_TRUE(ctrl.DeleteItem(second));
    ASSERT_TRUE(ctrl.DeleteItem(third));
    Paint();
    ctrl.OnLButtonDown(kOnMarker);
    EXPECT_EQ(ctrl.GetCell(1)->m_bMarkerHit, 1);
    ctrl.OnRButtonUp(kOnMarker);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_DBLCLK);
}

TEST_F(Mouse, PressOnTheSharedHiddenSlotHitsTheLastHiddenItem) {
    AddOverflow();
    ctrl.OnLButtonDown(kOnHiddenSlot);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, third);
    EXPECT_EQ(Item(third)->GetSelected(), 1);
    EXPECT_EQ(Item(second)->GetSelected(), 0);
}

TEST_F(Mouse, ItemAtAnswersWithoutChangingTheSelection) {
    AddOverflow();
    ctrl.OnLButtonDown(kOnFirstItem);
    const CWVCellData& cell = *ctrl.GetCell(1);
    EXPECT_EQ(cell.ItemAt(kOnFirstItem, globals.listItems), first);
    EXPECT_EQ(cell.ItemAt(kOnHiddenSlot, globals.listItems), third) << "the last in store order";
    EXPECT_EQ(cell.ItemAt(kOnGridLine, globals.listItems), 0);
    EXPECT_EQ(ctrl.GetCell(2)->ItemAt(kOnFirstItem, globals.listItems), 0) << "not its day";
    EXPECT_EQ(Item(first)->GetSelected(), 1);
    EXPECT_EQ(cell.m_nHitItemId, first);
}

TEST_F(Mouse, DoubleClickOnItemSendsItAndLeavesNothingSelected) {
    DoubleClick(kOnFirstItem);
    EXPECT_THAT(host.m_log, ElementsAre("notify -2", "panels", "redraw", "notify -3", "redraw"));
    const SentNotify& sent = host.m_notifies.at(1);
    EXPECT_EQ(sent.nm.hdr.code, NM_DBLCLK);
    EXPECT_EQ(sent.nm.pCell, ctrl.GetCell(1));
    EXPECT_EQ(sent.nm.nItemId, first);
    EXPECT_EQ(sent.strItemText, "primera");
    EXPECT_EQ(Item(first)->GetSelected(), 0);
}

TEST_F(Mouse, DoubleClickOnEmptyDaySendsTheDayWithoutItem) {
    DoubleClick(kEmptyDay);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    const SentNotify& sent = host.m_notifies[0];
    EXPECT_EQ(sent.nm.hdr.code, NM_DBLCLK);
    EXPECT_EQ(sent.nCellIndex, 2);
    EXPECT_EQ(sent.nm.pItem, nullptr);
    EXPECT_EQ(sent.nm.nItemId, 0);
    EXPECT_EQ(sent.nm.bMarker, 0);
}

TEST_F(Mouse, DoubleClickWhoseFirstPressMissedSendsNothing) {
    ctrl.OnLButtonDown(kOnGridLine);
    host.ClearLog();
    ctrl.OnLButtonDblClk(kOnFirstItem);
    EXPECT_THAT(host.m_log, ElementsAre("redraw"));
}

TEST_F(Mouse, DoubleClickOffTheCellsSendsNothing) {
    ctrl.OnLButtonDown(kOnFirstItem);
    host.ClearLog();
    ctrl.OnLButtonDblClk(kOnGridLine);
    EXPECT_THAT(host.m_log, ElementsAre("redraw"));
}

TEST_F(Mouse, RightPressAndReleaseOnItemSelectsItAndSendsRightClick) {
    ctrl.OnRButtonDown(kOnFirstItem);
    EXPECT_THAT(host.m_log, ElementsAre("redraw"));
    EXPECT_EQ(Item(first)->GetSelected(), 1);
    EXPECT_EQ(ctrl.GetSelectedCell(), ctrl.GetCell(1));
    ctrl.OnRButtonUp(kOnFirstItem);
    EXPECT_THAT(host.m_log, ElementsAre("redraw", "notify -5"));
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, first);
}

TEST_F(Mouse, RightPressOffTheCellsClearsEverySelection) {
    ctrl.OnLButtonDown(kOnFirstItem);
    ctrl.OnRButtonDown(kOnGridLine);
    EXPECT_EQ(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetCell(1)->m_bSelected, 0);
    EXPECT_EQ(Item(first)->GetSelected(), 0);
    host.ClearLog();
    ctrl.OnRButtonUp(kOnGridLine);
    EXPECT_TRUE(host.m_log.empty()) << "no cell under the release: nothing sent, no redraw";
}

TEST_F(Mouse, RightReleaseWithoutSelectionSendsEmptyRecord) {
    ctrl.OnRButtonUp(kEmptyDay);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_RCLICK);
    EXPECT_EQ(host.m_notifies[0].nm.pCell, nullptr);
    EXPECT_EQ(host.m_notifies[0].nm.pItem, nullptr);
}

TEST_F(Mouse, RightPressOnOverlapSelectsLastCellButFlagsBoth) {
    ctrl.OnRButtonDown({400, 59});
    ASSERT_NE(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetSelectedCell()->m_nIndex, 13);  // Saturday of the second row
    EXPECT_EQ(ctrl.GetCell(7)->m_bSelected, 1);
    EXPECT_EQ(ctrl.GetCell(13)->m_bSelected, 1);
}

TEST_F(Mouse, WeekViewPressesOnlyClearAndRedraw) {
    ctrl.OnLButtonDown(kOnFirstItem);
    ctrl.SetView(WMVIEW_WEEK, true);
    Paint();
    host.ClearLog();
    ctrl.OnLButtonDown(kOnFirstItem);
    ctrl.OnLButtonDblClk(kOnFirstItem);
    ctrl.OnRButtonDown(kOnFirstItem);
    ctrl.OnRButtonUp(kOnFirstItem);
    EXPECT_THAT(host.m_log, ElementsAre("redraw", "redraw", "redraw"));
    EXPECT_EQ(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(Item(first)->GetSelected(), 0);
}

TEST_F(Mouse, NothingIsSentOnceTheWindowIsGone) {
    host.m_bWindow = false;
    DoubleClick(kOnFirstItem);
    ctrl.OnRButtonUp(kOnFirstItem);
    EXPECT_TRUE(host.m_notifies.empty());
    EXPECT_EQ(host.m_panelDays.size(), 1u);
}

// A cell keeps its hit item as an id: once the item is deleted the record names
// no item, whatever path leads to the notification.
TEST_F(Mouse, DeletedHitItemIsNeverNamed) {
    AddOverflow();
    ctrl.OnLButtonDown(kOnFirstItem);
    ASSERT_EQ(ctrl.GetCell(1)->m_nHitItemId, first);
    ASSERT_TRUE(ctrl.DeleteItem(first));
    // A right press on the marker keeps the earlier hit item id.
    ctrl.OnRButtonDown(kOnMarker);
    ASSERT_EQ(ctrl.GetCell(1)->m_nHitItemId, first);
    host.ClearLog();
    ctrl.OnRButtonUp(kOnMarker);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_DBLCLK);
    EXPECT_EQ(host.m_notifies[0].nm.pItem, nullptr);
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, 0);
    EXPECT_EQ(host.m_notifies[0].nm.bMarker, 1);
}

TEST_F(Mouse, DeleteAllThenDirectNotifyNamesNoItem) {
    ctrl.OnLButtonDown(kOnFirstItem);
    ctrl.DeleteAllItems();
    AddNote(CDateValue(2027, 3, 1), "nueva");  // id 2, never hit
    host.ClearLog();
    ctrl.SendNotify(kOnFirstItem, NM_CLICK);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.pItem, nullptr);
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, 0);
    EXPECT_EQ(host.m_notifies[0].nCellIndex, 1);
}

}  // namespace
}  // namespace gestalia::test
