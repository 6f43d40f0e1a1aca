// The month view geometry, checked against the worked example of a 465 x 265
// client with 17-pixel lines, and the index and date mappings as inverse pairs.

#include "calendar/month_layout.h"

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"

namespace gestalia {
namespace {

const MonthMetrics kExample = MakeMonthMetrics({465, 265}, 17);

TEST(MonthLayout, DerivesColumnWidthAndRowHeight) {
    EXPECT_EQ(kExample.colw, 77);
    EXPECT_EQ(kExample.rowh, 42);
    EXPECT_EQ(kExample.h, 17);
}

struct CellCase {
    int index;
    Rect cell;
    Rect label;
};

class CellRectsTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellRectsTest, MatchesExample) {
    const CellRects rc = CellRectsOf(kExample, GetParam().index);
    EXPECT_EQ(rc.rcCell, GetParam().cell);
    EXPECT_EQ(rc.rcLabel, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Example, CellRectsTest,
    ::testing::Values(CellCase{1, {0, 17, 78, 59}, {2, 18, 77, 35}},          // first Monday
                      CellCase{2, {79, 17, 156, 59}, {81, 18, 155, 35}},      // Tuesday
                      CellCase{5, {313, 17, 390, 59}, {315, 18, 389, 35}},    // Friday
                      CellCase{6, {391, 17, 465, 38}, {392, 18, 465, 35}},    // Saturday
                      CellCase{7, {391, 39, 465, 60}, {392, 39, 465, 57}},    // Sunday
                      CellCase{10, {157, 59, 234, 101}, {159, 60, 233, 77}},  // Wednesday, row 1
                      CellCase{
                          36, {0, 227, 78, 269}, {2, 228, 77, 245}},  // last row, below the client
                      CellCase{42, {391, 249, 465, 270}, {392, 249, 465, 267}}));

TEST(MonthLayout, ItemSlotsOfFirstMondayCell) {
    const Rect cell = CellRectsOf(kExample, 1).rcCell;
    EXPECT_EQ(ItemSlot(cell, 17, 0), (Rect{1, 37, 77, 53}));
    EXPECT_EQ(ItemSlot(cell, 17, 1), (Rect{1, 54, 77, 71}));
    EXPECT_EQ(ItemSlot(cell, 17, 2), (Rect{1, 71, 77, 88}));
}

TEST(MonthLayout, MarkerSitsInBottomRightCorner) {
    EXPECT_EQ(MarkerRect(CellRectsOf(kExample, 1).rcCell), (Rect{58, 50, 78, 59}));
    EXPECT_EQ(MarkerRect(CellRectsOf(kExample, 6).rcCell), (Rect{445, 29, 465, 38}));
}

TEST(MonthLayout, FocusFrameLiesTwoPixelsInsideTheCell) {
    EXPECT_EQ(FocusFrameRect(CellRectsOf(kExample, 1).rcCell), (Rect{2, 19, 76, 57}));
}

// With 17-pixel lines a note line needs rows of 37 pixels (H / 6 - 2), and
// the last row's line ends at 17 + 5 * 37 + 2 * 17 + 2 = 238.
TEST(MonthLayout, MinimumSizeShowsOneNoteLineInEveryRow) {
    const Size least = MinimumMonthSize(17, 100);
    EXPECT_EQ(least, (Size{600, 238}));
    EXPECT_EQ(MakeMonthMetrics(least, 17).colw, 100);
    EXPECT_EQ(MakeMonthMetrics(least, 17).rowh, 37);
    EXPECT_EQ(MinimumMonthSize(13, 90), (Size{540, 186}));
}

TEST(MonthLayout, HeaderBandAndLabels) {
    EXPECT_EQ(HeaderBand(kExample), (Rect{0, 0, 465, 17}));
    EXPECT_EQ(HeaderLabelRect(kExample, 1), (Rect{2, 2, 76, 16}));
    EXPECT_EQ(HeaderLabelRect(kExample, 2), (Rect{77, 2, 154, 16}));
    EXPECT_EQ(HeaderLabelRect(kExample, 6), (Rect{389, 2, 466, 16}));
}

TEST(MonthLayout, HeaderSeparators) {
    const int expected[] = {77, 155, 233, 311, 389, 467};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(HeaderSeparatorX(kExample, k), expected[k - 1]) << "column " << k;
    }
}

TEST(MonthLayout, GridLines) {
    const int ys[] = {59, 101, 143, 185, 227, 269};
    for (int k = 1; k <= 6; ++k) {
        const GridLine line = HorizontalGridLine(kExample, k);
        EXPECT_EQ(line.from, (Point{0, ys[k - 1]}));
        EXPECT_EQ(line.to, (Point{465, ys[k - 1]}));
    }
    const int xs[] = {78, 156, 234, 312, 390};
    for (int k = 1; k <= 5; ++k) {
        const GridLine line = VerticalGridLine(kExample, k);
        EXPECT_EQ(line.from, (Point{xs[k - 1], 17}));
        EXPECT_EQ(line.to, (Point{xs[k - 1], 265}));
    }
    const int halves[] = {38, 80, 122, 164, 206, 248};
    for (int k = 0; k < 6; ++k) {
        const GridLine line = HalfRowLine(kExample, k);
        EXPECT_EQ(line.from, (Point{390, halves[k]}));
        EXPECT_EQ(line.to, (Point{465, halves[k]}));
    }
}

TEST(MonthLayout, VerticalGridLinesFallInTheGapsBetweenCells) {
    for (int k = 1; k <= 5; ++k) {
        const int x = VerticalGridLine(kExample, k).from.x;
        for (int i = 1; i <= kCells; ++i) {
            const Rect rc = CellRectsOf(kExample, i).rcCell;
            EXPECT_FALSE(rc.Contains({x, rc.top})) << "cell " << i << " line " << k;
        }
    }
}

TEST(MonthLayout, IndexAndPositionAreInverse) {
    for (int i = 1; i <= kCells; ++i) {
        EXPECT_EQ(CellIndexAt(CellRow(i), CellWeekdayPosition(i)), i);
    }
    for (int r = 0; r < kRows; ++r) {
        for (int p = 1; p <= kDaysPerRow; ++p) {
            const int i = CellIndexAt(r, p);
            EXPECT_EQ(CellRow(i), r);
            EXPECT_EQ(CellWeekdayPosition(i), p);
            EXPECT_EQ(CellColumn(i), p <= 5 ? p : 6);
        }
    }
}

TEST(MonthLayout, ItemIconRoomGrowsWithTheDpi) {
    // 96 dpi is 100 %; 150 % and 200 % take half as much again and twice.
    const int rows[][2] = {{96, kItemIconWidth}, {120, 25}, {144, 30}, {192, 40}, {0, 20}};
    for (const auto& [dpi, width] : rows) {
        EXPECT_EQ(ItemIconWidth(dpi), width) << dpi;
    }
}

struct MonthCase {
    CDateValue anyDay;
    CDateValue first;
    CDateValue last;
};

class GridDatesTest : public ::testing::TestWithParam<MonthCase> {};

TEST_P(GridDatesTest, StartsOnMondayAndSpansSixWeeks) {
    const CDateValue start = GridStart(FirstDayOfMonth(GetParam().anyDay));
    EXPECT_EQ(start.GetDayOfWeek(), 1);
    EXPECT_TRUE(DateOfCell(start, 1) == GetParam().first);
    EXPECT_TRUE(DateOfCell(start, kCells) == GetParam().last);
}

TEST_P(GridDatesTest, DateAndCellAreInverse) {
    const CDateValue start = GridStart(FirstDayOfMonth(GetParam().anyDay));
    for (int i = 1; i <= kCells; ++i) {
        const CDateValue d = DateOfCell(start, i);
        ASSERT_EQ(CellOfDate(start, d), i);
        CDateValue afternoon = d;
        afternoon.AddDays(0.6);
        EXPECT_EQ(CellOfDate(start, afternoon), i) << "time of day is ignored";
    }
    CDateValue before = start;
    before.AddDays(-1);
    EXPECT_FALSE(CellOfDate(start, before).has_value());
    EXPECT_FALSE(CellOfDate(start, DateOfCell(start, kCells + 1)).has_value());
}

INSTANTIATE_TEST_SUITE_P(Months2027, GridDatesTest,
                         ::testing::Values(MonthCase{{2027, 1, 20}, {2026, 12, 28}, {2027, 2, 7}},
                                           MonthCase{{2027, 3, 31}, {2027, 3, 1}, {2027, 4, 11}},
                                           MonthCase{{2027, 8, 1}, {2027, 7, 26}, {2027, 9, 5}},
                                           MonthCase{{2024, 2, 29}, {2024, 1, 29}, {2024, 3, 10}}));

TEST(MonthLayout, InvalidDateGivesInvalidGridWithoutLooping) {
    const CDateValue bad(2027, 2, 30);
    ASSERT_FALSE(bad.IsValid());
    const CDateValue start = GridStart(FirstDayOfMonth(bad));
    EXPECT_FALSE(start.IsValid());
    EXPECT_FALSE(CellOfDate(start, CDateValue(2027, 3, 1)).has_value());
}

}  // namespace
}  // namespace gestalia
