#pragma once
// Geometry of the month view: pure functions of the client size (W x H) and the
// line height h (the platform's vertical scroll bar width). Painting records
// these rectangles in the cells and items; hit tests use what the paint recorded.
// All divisions truncate; rectangles have right and bottom exclusive. The last
// row may reach below the client area and the sixth column beyond it.

#include <cstdint>
#include <optional>

#include "model/colour.h"
#include "model/date_value.h"

namespace gestalia {

// The grid: six rows of a week each, Monday first.
inline constexpr int kRows = 6;
inline constexpr int kDaysPerRow = 7;
inline constexpr int kCells = kRows * kDaysPerRow;  // 42
inline constexpr int kMonday = 1;                   // day of week, 0 = Sunday

inline constexpr int kColumns = 6;         // Monday..Friday, then Saturday/Sunday
inline constexpr int kWeekdayColumns = 5;  // columns with one cell per row
inline constexpr int kItemIconWidth = 20;  // room an item icon takes
inline constexpr int kMarkerWidth = 20;    // overflow marker
inline constexpr int kMarkerHeight = 9;
inline constexpr int kFocusInset = 2;  // focus frame inside a cell

struct MonthMetrics {
    int W = 0;
    int H = 0;
    int h = 0;     // header height and text line height
    int colw = 0;  // W / 6
    int rowh = 0;  // H / 6 - 2
};

MonthMetrics MakeMonthMetrics(Size client, int lineHeight);
// The least client size whose weekday columns are `columnWidth` wide and whose
// rows show a day label and one note line; the inverse of MakeMonthMetrics
// for those two needs.
Size MinimumMonthSize(int lineHeight, int columnWidth);

// Position of cell index i (1 to 42): row 0 to 5, weekday position 1 to 7
// (1 = Monday .. 7 = Sunday), column 1 to 6.
int CellRow(int index);
int CellWeekdayPosition(int index);
int CellColumn(int index);
// The cell at a row and weekday position; the inverse of the two above.
int CellIndexAt(int row, int weekdayPosition);

struct CellRects {
    Rect rcCell;
    Rect rcLabel;
};
// Cell and label rectangle of cell index i (1 to 42).
CellRects CellRectsOf(const MonthMetrics& m, int index);

// Item line slot k (0, 1, ...) inside a cell rectangle.
Rect ItemSlot(const Rect& rcCell, int h, int k);
// The overflow marker in the bottom-right corner of a cell rectangle.
Rect MarkerRect(const Rect& rcCell);
// The keyboard focus frame, two pixels inside a cell rectangle.
Rect FocusFrameRect(const Rect& rcCell);
// The room an item icon takes on a surface of `dpi` dots per inch:
// kItemIconWidth at 96, in proportion (rounded to nearest) at others, as the
// icon itself grows with the dpi.
int ItemIconWidth(int dpi);

// Header: the band, the label rectangle of column k (1 to 6) and the two x
// positions of the separator after column k (frame colour first, then white).
Rect HeaderBand(const MonthMetrics& m);
Rect HeaderLabelRect(const MonthMetrics& m, int k);
int HeaderSeparatorX(const MonthMetrics& m, int k);  // the white line is one to the right

struct GridLine {
    Point from;  // drawn
    Point to;    // not drawn
};
// Horizontal grid line k (1 to 6), vertical line k (1 to 5), half-row line k (0 to 5).
GridLine HorizontalGridLine(const MonthMetrics& m, int k);
GridLine VerticalGridLine(const MonthMetrics& m, int k);
GridLine HalfRowLine(const MonthMetrics& m, int k);

// Dates of the grid. The first cell is the Monday on or before the first of the
// month; cell i holds first + (i - 1) days. Both end for any input: an invalid
// date gives an invalid first day.
CDateValue FirstDayOfMonth(const CDateValue& date);
CDateValue GridStart(const CDateValue& firstOfMonth);
CDateValue DateOfCell(const CDateValue& gridStart, int index);
// The cell index (1 to 42) whose day is the day of `date`; none when off the grid.
std::optional<int> CellOfDate(const CDateValue& gridStart, const CDateValue& date);

}  // namespace gestalia
