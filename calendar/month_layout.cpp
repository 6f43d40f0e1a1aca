#include "calendar/month_layout.h"

#include <algorithm>
#include <cmath>

namespace gestalia {

namespace {

int ColumnLeft(const MonthMetrics& m, int j) {
    return j == 1 ? 0 : (j - 1) * m.colw + j;
}
int ColumnRight(const MonthMetrics& m, int j) {
    return j == 1 ? m.colw + 1 : j * m.colw + j;
}
int RowTop(const MonthMetrics& m, int r) {
    return m.h + r * m.rowh;
}

}  // namespace

MonthMetrics MakeMonthMetrics(Size client, int lineHeight) {
    MonthMetrics m;
    m.W = client.cx;
    m.H = client.cy;
    m.h = lineHeight;
    m.colw = m.W / kColumns;
    m.rowh = m.H / kRows - 2;
    return m;
}

Size MinimumMonthSize(int lineHeight, int columnWidth) {
    // A note line is drawn when its slot's bottom lies inside the row, and
    // seen when it lies inside the client area too, in the last row as well.
    const int width = kColumns * std::max(0, columnWidth);
    for (int height = 0;; ++height) {
        const MonthMetrics m = MakeMonthMetrics({width, height}, lineHeight);
        const Rect lastRow = CellRectsOf(m, kCells - kDaysPerRow + 1).rcCell;
        const Rect line = ItemSlot(lastRow, m.h, 0);
        if (lastRow.Contains({line.left, line.bottom}) && line.bottom <= height) {
            return {width, height};
        }
    }
}

int CellRow(int index) {
    return (index - 1) / kDaysPerRow;
}
int CellWeekdayPosition(int index) {
    return ((index - 1) % kDaysPerRow) + 1;
}
int CellColumn(int index) {
    const int p = CellWeekdayPosition(index);
    return p <= kWeekdayColumns ? p : kColumns;
}
int CellIndexAt(int row, int weekdayPosition) {
    return row * kDaysPerRow + weekdayPosition;
}

CellRects CellRectsOf(const MonthMetrics& m, int index) {
    const int r = CellRow(index);
    const int p = CellWeekdayPosition(index);
    const int j = CellColumn(index);
    const int left = ColumnLeft(m, j);
    const int right = ColumnRight(m, j);
    const int top = RowTop(m, r);
    CellRects rc;
    if (p <= kWeekdayColumns) {
        rc.rcCell = {left, top, right, top + m.rowh};
        rc.rcLabel = {left + 2, top + 1, right - 1, top + 1 + m.h};
    } else if (p == kWeekdayColumns + 1) {  // Saturday, upper half
        rc.rcCell = {left, top, right - 3, top + m.rowh / 2};
        rc.rcLabel = {left + 1, top + 1, m.W, top + 1 + m.h};
    } else {  // Sunday, lower half
        const int y0 = top + m.rowh / 2 + 1;
        rc.rcCell = {left, y0, right - 3, y0 + m.rowh / 2};
        rc.rcLabel = {left + 1, y0, m.W, y0 + m.h + 1};
    }
    return rc;
}

Rect ItemSlot(const Rect& rcCell, int h, int k) {
    if (k == 0) {
        return {rcCell.left + 1, rcCell.top + h + 3, rcCell.right - 1, rcCell.top + 2 * h + 2};
    }
    return {rcCell.left + 1, rcCell.top + (k + 1) * h + 3, rcCell.right - 1,
            rcCell.top + (k + 2) * h + 3};
}

Rect MarkerRect(const Rect& rcCell) {
    return {rcCell.right - kMarkerWidth, rcCell.bottom - kMarkerHeight, rcCell.right,
            rcCell.bottom};
}

Rect FocusFrameRect(const Rect& rcCell) {
    return {rcCell.left + kFocusInset, rcCell.top + kFocusInset, rcCell.right - kFocusInset,
            rcCell.bottom - kFocusInset};
}

int ItemIconWidth(int dpi) {
    constexpr int kBaseDpi = 96;
    return dpi > 0 ? (kItemIconWidth * dpi + kBaseDpi / 2) / kBaseDpi : kItemIconWidth;
}

Rect HeaderBand(const MonthMetrics& m) {
    return {0, 0, m.W, m.h};
}

Rect HeaderLabelRect(const MonthMetrics& m, int k) {
    if (k == 1) {
        return {2, 2, m.colw - 1, m.h - 1};
    }
    return {(k - 1) * m.colw + k - 2, 2, k * m.colw + k - 2, m.h - 1};
}

int HeaderSeparatorX(const MonthMetrics& m, int k) {
    return k * m.colw + k - 1;
}

GridLine HorizontalGridLine(const MonthMetrics& m, int k) {
    const int y = m.h + k * m.rowh;
    return {{0, y}, {m.W, y}};
}

GridLine VerticalGridLine(const MonthMetrics& m, int k) {
    const int x = k * (m.colw + 1);
    return {{x, m.h}, {x, m.H}};
}

GridLine HalfRowLine(const MonthMetrics& m, int k) {
    const int y = m.h + m.rowh / 2 + k * m.rowh;
    return {{kWeekdayColumns * (m.colw + 1), y}, {m.W, y}};
}

CDateValue FirstDayOfMonth(const CDateValue& date) {
    if (!date.IsValid()) {
        return CDateValue::FromRaw(0.0, DateStatus::invalid);
    }
    return CDateValue(date.GetYear(), date.GetMonth(), 1);
}

CDateValue GridStart(const CDateValue& firstOfMonth) {
    CDateValue start = firstOfMonth.GetDatePart();
    const int dow = start.GetDayOfWeek();
    if (dow < 0) {
        return start;  // invalid: nothing to walk
    }
    // Days back to the Monday on or before: Monday 0, Tuesday 1, .. Sunday 6.
    start.AddDays(-static_cast<double>((dow - kMonday + kDaysPerRow) % kDaysPerRow));
    return start;
}

CDateValue DateOfCell(const CDateValue& gridStart, int index) {
    CDateValue d = gridStart;
    d.AddDays(static_cast<double>(index - 1));
    return d;
}

std::optional<int> CellOfDate(const CDateValue& gridStart, const CDateValue& date) {
    const CDateValue day = date.GetDatePart();
    if (!day.IsValid() || !gridStart.IsValid()) {
        return std::nullopt;
    }
    const CDateSpan span = day - gridStart;
    if (span.m_status != DateStatus::valid) {
        return std::nullopt;
    }
    const double offset = std::round(span.m_span);
    if (offset < 0.0 || offset >= static_cast<double>(kCells)) {
        return std::nullopt;
    }
    const int index = static_cast<int>(offset) + 1;
    if (!(DateOfCell(gridStart, index) == day)) {
        return std::nullopt;
    }
    return index;
}

}  // namespace gestalia
