// CWMDateCtrl state and operations: construction, the 42 dates and colours of
// a month, the views, the date range, cell look-ups and the note store.

#include "calendar/wm_date_ctrl.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "calendar/draw_surface.h"
#include "tests/calendar/calendar_fixture.h"

namespace gestalia::test {
namespace {

constexpr Colour kGrey = RGB(240, 240, 240);
constexpr Colour kPink = RGB(253, 190, 209);
constexpr Colour kWhite = RGB(255, 255, 255);

using CalendarCtrl = CalendarFixture;

// A const control hands out its selected cell read-only.
static_assert(std::is_same_v<decltype(std::declval<const CWMDateCtrl&>().GetSelectedCell()),
                             const CWVCellData*>);
static_assert(
    std::is_same_v<decltype(std::declval<CWMDateCtrl&>().GetSelectedCell()), CWVCellData*>);

TEST_F(CalendarCtrl, StartsInWeekViewOnTheCurrentMonthWith42Cells) {
    EXPECT_FALSE(ctrl.IsMonthView());
    EXPECT_TRUE(ctrl.GetMonth() == CDateValue(2027, 3, 1));
    EXPECT_TRUE(ctrl.GetToday() == CDateValue());
    EXPECT_EQ(ctrl.GetSelectedCell(), nullptr);
    for (int i = 1; i <= kCells; ++i) {
        CWVCellData* cell = ctrl.GetCell(i);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->m_nIndex, i);
        EXPECT_EQ(cell->m_crBack, kWhite);
        EXPECT_TRUE(cell->m_rcCell.IsEmpty());
    }
}

TEST_F(CalendarCtrl, GetCellOutsideRangeGivesLastCell) {
    EXPECT_EQ(ctrl.GetCell(0)->m_nIndex, 42);
    EXPECT_EQ(ctrl.GetCell(43)->m_nIndex, 42);
    EXPECT_EQ(ctrl.GetCell(-7)->m_nIndex, 42);
    EXPECT_EQ(ctrl.GetCell(17)->m_nIndex, 17);
}

struct ShownMonth {
    const char* name;
    CDateValue anyDay;
    CDateValue first;
    CDateValue last;
    std::vector<int> greyCells;
    int firstOfMonthCell;
};

class ShowMonthTest : public CalendarFixture, public ::testing::WithParamInterface<ShownMonth> {};

TEST_P(ShowMonthTest, LaysOutDatesAndGreysOtherMonths) {
    const ShownMonth& c = GetParam();
    globals.dtLastPeriod = CDateValue(2020, 1, 1);  // no link day anywhere near
    ctrl.ShowMonth(c.anyDay, 0, WMVIEW_MONTH);

    EXPECT_TRUE(ctrl.IsMonthView());
    EXPECT_TRUE(ctrl.GetCell(1)->m_dtDate == c.first);
    EXPECT_TRUE(ctrl.GetCell(42)->m_dtDate == c.last);
    EXPECT_EQ(ctrl.GetCell(c.firstOfMonthCell)->m_dtDate.GetDay(), 1);
    EXPECT_EQ(ctrl.GetCell(c.firstOfMonthCell)->m_dtDate.GetMonth(), c.anyDay.GetMonth());
    for (int i = 1; i <= kCells; ++i) {
        const bool grey = std::find(c.greyCells.begin(), c.greyCells.end(), i) != c.greyCells.end();
        EXPECT_EQ(ctrl.GetCell(i)->m_crBack, grey ? kGrey : kWhite) << c.name << " cell " << i;
        CDateValue expected = c.first;
        expected.AddDays(i - 1);
        EXPECT_TRUE(ctrl.GetCell(i)->m_dtDate == expected) << "cell " << i;
    }
}

std::vector<int> Range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) {
        v.push_back(i);
    }
    return v;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Year2027, ShowMonthTest,
    ::testing::Values(ShownMonth{"January",
                                 {2027, 1, 15, 13, 45},
                                 {2026, 12, 28},
                                 {2027, 2, 7},
                                 Join(Range(1, 4), Range(36, 42)),
                                 5},
                      ShownMonth{
                          "March", {2027, 3, 31}, {2027, 3, 1}, {2027, 4, 11}, Range(32, 42), 1},
                      ShownMonth{"August",
                                 {2027, 8, 1},
                                 {2027, 7, 26},
                                 {2027, 9, 5},
                                 Join(Range(1, 6), Range(38, 42)),
                                 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalendarCtrl, ShowMonthColoursLinkDaysPink) {
    globals.dtLastPeriod = CDateValue(2027, 3, 1);  // 2 March is one day on: a link day
    ShowMarch();
    EXPECT_EQ(ctrl.GetCell(2)->m_crBack, kPink);
    for (int i = 3; i <= 31; ++i) {
        EXPECT_EQ(ctrl.GetCell(i)->m_crBack, kWhite) << "cell " << i;
    }
}

TEST_F(CalendarCtrl, LinkDayOutsideTheMonthStaysGrey) {
    globals.dtLastPeriod = CDateValue(2027, 2, 27);  // 11 April is 43 days on: a link day
    ShowMarch();
    ASSERT_TRUE(ctrl.GetCell(42)->m_dtDate == CDateValue(2027, 4, 11));
    EXPECT_EQ(ctrl.GetCell(42)->m_crBack, kGrey);
}

TEST_F(CalendarCtrl, ShowMonthSetsTodayClearsSelectedCellAndRedraws) {
    ShowMarch();
    ctrl.OnLButtonDown({100, 30});
    ASSERT_EQ(ctrl.GetSelectedCell(), nullptr) << "not painted yet: nothing to hit";
    Paint();
    ctrl.OnLButtonDown({100, 30});
    ASSERT_NE(ctrl.GetSelectedCell(), nullptr);
    const int selected = ctrl.GetSelectedCell()->m_nIndex;
    host.ClearLog();

    ctrl.ShowMonth(CDateValue(2027, 4, 2), 0, WMVIEW_MONTH);
    EXPECT_EQ(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetCell(selected)->m_bSelected, 1) << "the flag stays with the position";
    EXPECT_TRUE(ctrl.GetToday() == CDateValue(2027, 3, 10, 9, 0));
    EXPECT_EQ(host.m_nInvalidations, 1);
}

TEST_F(CalendarCtrl, ShowMonthOfAnInvalidDateShowsTheCurrentMonth) {
    ctrl.ShowMonth(CDateValue(2027, 2, 30), 0, WMVIEW_MONTH);
    EXPECT_TRUE(ctrl.GetMonth() == CDateValue(2027, 3, 1));
    EXPECT_TRUE(ctrl.GetCell(1)->m_dtDate == CDateValue(2027, 3, 1));
    ctrl.ShowMonth(CDateValue::FromRaw(0.0, DateStatus::null), 0, WMVIEW_MONTH);
    EXPECT_TRUE(ctrl.GetCell(42)->m_dtDate == CDateValue(2027, 4, 11));
}

struct ViewCase {
    std::int32_t code;
    bool monthView;
};

class ShowMonthViewTest : public CalendarFixture, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ShowMonthViewTest, OnlyWeekCodeGivesWeekView) {
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, GetParam().code);
    EXPECT_EQ(ctrl.IsMonthView(), GetParam().monthView);
}

INSTANTIATE_TEST_SUITE_P(Codes, ShowMonthViewTest,
                         ::testing::Values(ViewCase{WMVIEW_WEEK, false},
                                           ViewCase{WMVIEW_MONTH, true}, ViewCase{0, true},
                                           ViewCase{1027, true}, ViewCase{-1, true}));

TEST_F(CalendarCtrl, SetViewIgnoresUnknownCodesButStillRedraws) {
    ctrl.SetView(WMVIEW_MONTH, false);
    EXPECT_TRUE(ctrl.IsMonthView());
    EXPECT_EQ(host.m_nInvalidations, 0);
    ctrl.SetView(999, true);
    EXPECT_TRUE(ctrl.IsMonthView());
    EXPECT_EQ(host.m_nInvalidations, 1);
    ctrl.SetView(WMVIEW_WEEK, true);
    EXPECT_FALSE(ctrl.IsMonthView());
    EXPECT_EQ(host.m_nInvalidations, 2);
}

TEST_F(CalendarCtrl, MonthRangeIsFirstAndLastCell) {
    ShowMarch();
    CDateValue first;
    CDateValue last;
    ctrl.GetDateRange(first, last);
    EXPECT_TRUE(first == CDateValue(2027, 3, 1));
    EXPECT_TRUE(last == CDateValue(2027, 4, 11));
}

struct WeekRangeCase {
    CDateValue today;
    CDateValue first;
    CDateValue last;
};

class WeekRangeTest : public CalendarFixture,
                      public ::testing::WithParamInterface<WeekRangeCase> {};

TEST_P(WeekRangeTest, WalksToMondayAndSaturday) {
    clock.Set(CFixedClock::LocalSeconds(GetParam().today.GetYear(), GetParam().today.GetMonth(),
                                        GetParam().today.GetDay(), 15, 30));
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_WEEK);
    CDateValue first;
    CDateValue last;
    ctrl.GetDateRange(first, last);
    EXPECT_TRUE(first == GetParam().first) << first.Format("%d/%m/%Y");
    EXPECT_TRUE(last == GetParam().last) << last.Format("%d/%m/%Y");
}

INSTANTIATE_TEST_SUITE_P(
    March2027, WeekRangeTest,
    ::testing::Values(
        WeekRangeCase{{2027, 3, 10}, {2027, 3, 8}, {2027, 3, 13}},    // Wednesday
        WeekRangeCase{{2027, 3, 14}, {2027, 3, 8}, {2027, 3, 20}},    // Sunday
        WeekRangeCase{{2027, 3, 8}, {2027, 3, 8}, {2027, 3, 13}},     // Monday
        WeekRangeCase{{2027, 3, 13}, {2027, 3, 8}, {2027, 3, 13}},    // Saturday
        WeekRangeCase{{2027, 4, 10}, {2027, 4, 5}, {2027, 4, 10}},    // near the end
        WeekRangeCase{{2027, 4, 11}, {2027, 4, 5}, {2027, 4, 11}},    // Saturday off the grid
        WeekRangeCase{{2027, 6, 2}, {2027, 4, 11}, {2027, 4, 11}}));  // not shown at all

TEST_F(CalendarCtrl, WeekRangeEndsWhenTodayIsInvalid) {
    clock.Set(std::int64_t{1'000'000'000'000'000});  // far beyond the year 9999
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_WEEK);
    ASSERT_FALSE(ctrl.GetToday().IsValid());
    CDateValue first;
    CDateValue last;
    ctrl.GetDateRange(first, last);
    EXPECT_TRUE(first == CDateValue(2027, 4, 11));
    EXPECT_TRUE(last == CDateValue(2027, 4, 11));
}

TEST_F(CalendarCtrl, FindCellCutsTimeOfDayAndFallsBackToLastCell) {
    ShowMarch();
    EXPECT_EQ(ctrl.FindCell(CDateValue(2027, 3, 10, 23, 59, 59))->m_nIndex, 10);
    EXPECT_EQ(ctrl.FindCell(CDateValue(2027, 4, 1))->m_nIndex, 32);
    EXPECT_EQ(ctrl.FindCell(CDateValue(2027, 2, 28))->m_nIndex, 42);
    EXPECT_EQ(ctrl.FindCell(CDateValue(2027, 2, 30))->m_nIndex, 42);
}

TEST_F(CalendarCtrl, CellForDateAndDateForCellAreInverse) {
    ctrl.ShowMonth(CDateValue(2027, 8, 9), 0, WMVIEW_MONTH);
    for (int i = 1; i <= kCells; ++i) {
        EXPECT_EQ(ctrl.FindCell(ctrl.GetCell(i)->m_dtDate)->m_nIndex, i);
    }
}

// The store operations of the control.

TEST_F(CalendarCtrl, AddItemHandsOutRisingIdsAndControlDefaults) {
    const CImageList icons(7, {16, 16}, 2);
    ctrl.SetImageList(&icons);
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 1, WMVIEW_MONTH);
    const std::int32_t a = ctrl.AddItem(CDateValue(2027, 3, 2, 9, 30), CDateValue(2027, 3, 2, 10),
                                        "Consulta", 1, 62.5f);
    const std::int32_t b = AddNote(CDateValue(2027, 3, 3), "Otra");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    const CWVCellDataItem* item = Item(a);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetText(), "Consulta");
    EXPECT_EQ(item->GetBack(), kWhite);
    EXPECT_EQ(item->Get24Hour(), 1);
    EXPECT_EQ(item->GetImageList(), &icons);
    EXPECT_EQ(item->GetImage(), 1);
    EXPECT_EQ(item->GetTask(), 0);
    EXPECT_FLOAT_EQ(item->GetWeight(), 62.5f);
    EXPECT_TRUE(item->GetTo() == CDateValue(2027, 3, 2, 10));
    EXPECT_EQ(host.m_nInvalidations, 1) << "only ShowMonth repainted; adding does not";
}

TEST_F(CalendarCtrl, DeleteAllKeepsIdsRisingAndRepaints) {
    AddNote(CDateValue(2027, 3, 2), "a");
    AddNote(CDateValue(2027, 3, 2), "b");
    host.ClearLog();
    ctrl.DeleteAllItems();
    EXPECT_TRUE(globals.listItems.empty());
    EXPECT_EQ(host.m_nInvalidations, 1);
    EXPECT_EQ(AddNote(CDateValue(2027, 3, 2), "c"), 3);
    ctrl.DeleteAllItems();
    ctrl.DeleteAllItems();  // an empty store still repaints
    EXPECT_EQ(host.m_nInvalidations, 3);
}

TEST_F(CalendarCtrl, DeleteSetTaskAndColourActOnTheIdOnly) {
    AddNote(CDateValue(2027, 3, 2), "a");
    AddNote(CDateValue(2027, 3, 2), "b");
    AddNote(CDateValue(2027, 3, 2), "c");
    host.ClearLog();
    ctrl.SetItemTask(2, 1);
    ctrl.SetItemColour(3, RGB(1, 2, 3));
    ctrl.SetItemTask(9, 1);
    ctrl.SetItemColour(9, RGB(9, 9, 9));
    EXPECT_EQ(Item(2)->GetTask(), 1);
    EXPECT_EQ(Item(1)->GetTask(), 0);
    EXPECT_EQ(Item(3)->GetBack(), RGB(1, 2, 3));
    EXPECT_EQ(Item(1)->GetBack(), kWhite);

    EXPECT_FALSE(ctrl.DeleteItem(9));
    EXPECT_EQ(globals.listItems.size(), 3u);
    EXPECT_TRUE(ctrl.DeleteItem(2));
    ASSERT_EQ(globals.listItems.size(), 2u);
    EXPECT_EQ(globals.listItems.at(0).GetText(), "a");
    EXPECT_EQ(globals.listItems.at(1).GetText(), "c");
    EXPECT_EQ(host.m_nInvalidations, 0) << "the caller asks for the repaint";
}

TEST_F(CalendarCtrl, WithoutHostNothingIsSentOrRepainted) {
    ctrl.SetHost(nullptr);
    ShowMarch();
    ctrl.DeleteAllItems();
    EXPECT_EQ(ctrl.SendNotify({1, 1}, NM_CLICK), 0);
    CRecordingSurface s;
    ctrl.OnPaint(s);
    EXPECT_TRUE(s.Calls().empty());
}

}  // namespace
}  // namespace gestalia::test
