// CWMDateCtrl: painting the month view in layers: background, header, cell
// fills and grid, then each cell's label, marks, item lines and overflow marker.
// Every rectangle comes from month_layout.h and is recorded where the mouse
// handling will look for it.

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

#include "calendar/calendar_host.h"
#include "calendar/draw_surface.h"
#include "calendar/month_layout.h"
#include "calendar/wm_date_ctrl.h"
#include "model/contrast.h"
#include "model/dating.h"
#include "model/globals.h"
#include "model/item_store.h"
#include "model/palette.h"
#include "model/spanish_text.h"
#include "model/timeline.h"

namespace gestalia {

namespace {

using palette::kBlack;
using palette::kWhite;
constexpr const char* kWeekendHeader = "Sáb/Dom";

constexpr std::uint32_t kHeaderFlags =
    kTextCentre | kTextVCentre | kTextSingleLine | kTextEndEllipsis;
constexpr std::uint32_t kWeekendHeaderFlags =
    kTextCentre | kTextBottom | kTextSingleLine | kTextEndEllipsis;
constexpr std::uint32_t kLabelFlags = kTextRight | kTextBottom | kTextSingleLine | kTextEndEllipsis;
constexpr std::uint32_t kItemFlags = kTextLeft | kTextVCentre | kTextSingleLine | kTextEndEllipsis;

// What one line of a cell shows of a note: its first line, and "…" when more
// follows. The tooltip and the editor show the whole text.
std::string FirstLineOf(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return std::string(text);
    }
    std::string line(text.substr(0, end));
    if (text.find_first_not_of(" \t\r\n", end) != std::string_view::npos) {
        line += "…";
    }
    return line;
}

// The day label: the day and month on the first cell and on the first of a
// month, the pregnancy week on the first day of a week, else the day alone.
std::string DayLabel(const CDateValue& d, int index, const CDating& dating) {
    const int day = d.GetDay();
    if (index == 1 || day == 1) {
        return SpanishDateText(day, d.GetMonth(), 0);
    }
    if (const std::optional<int> week = DatedWeekAt(d, dating)) {
        return "(Semana " + std::to_string(*week) + ")  " + std::to_string(day);
    }
    return std::to_string(day);
}

}  // namespace

// What one cell pass needs to know of a cell. It is read only: what the pass
// records (the item slots, the marker) goes through the helpers' other arguments.
struct CWMDateCtrl::CellPaint {
    const CWVCellData& cell;
    bool bToday = false;
    int h = 0;
    Colour crHighlight = 0;
};

CFontSpec CWMDateCtrl::ControlFont() const {
    CFontSpec font;
    font.strFace = m_strFontName;
    font.nTenthsOfPoint = m_nFontSize;
    return font;
}

void CWMDateCtrl::OnEraseBkgnd(IDrawSurface& surface) {
    const Size client = m_pHost != nullptr ? m_pHost->ClientSize() : Size{};
    surface.FillRect({0, 0, client.cx, client.cy}, m_crBack);
}

void CWMDateCtrl::OnPaint(IDrawSurface& surface) {
    for (int i = 1; i <= kCells; ++i) {
        GetCell(i)->m_rcCell = Rect{};
    }
    if (m_bMonthView == 0 || m_pHost == nullptr) {
        return;
    }
    const MonthMetrics m = MakeMonthMetrics(m_pHost->ClientSize(), m_pHost->ScrollBarWidth());
    PaintMonthGrid(surface, m);
    PaintCells(surface, m, m_pHost->HighlightColour());
    PaintFocusFrame(surface);
}

void CWMDateCtrl::PaintMonthGrid(IDrawSurface& surface, const MonthMetrics& m) {
    PaintHeader(surface, m);

    for (int i = 1; i <= kCells; ++i) {
        CWVCellData& cell = *GetCell(i);
        const CellRects rc = CellRectsOf(m, i);
        cell.m_rcCell = rc.rcCell;
        cell.m_rcLabel = rc.rcLabel;
        // Saturday's label band runs to the right edge; Sunday fills its cell only.
        if (CellWeekdayPosition(i) == kWeekdayColumns + 1) {
            surface.FillRect(rc.rcLabel, cell.m_crBack);
        }
        surface.FillRect(rc.rcCell, cell.m_crBack);
    }

    for (int k = 1; k <= kRows; ++k) {
        const GridLine line = HorizontalGridLine(m, k);
        surface.Line(line.from, line.to, palette::kPink);
    }
    for (int k = 1; k <= kWeekdayColumns; ++k) {
        const GridLine line = VerticalGridLine(m, k);
        surface.Line(line.from, line.to, palette::kPink);
    }
    for (int k = 0; k < kRows; ++k) {
        const GridLine line = HalfRowLine(m, k);
        surface.Line(line.from, line.to, palette::kPink);
    }
}

void CWMDateCtrl::PaintHeader(IDrawSurface& surface, const MonthMetrics& m) const {
    surface.FillRect(HeaderBand(m), m_crHeader);
    surface.Line({0, 0}, {m.W - 1, 0}, kWhite);
    surface.Line({0, 0}, {0, m.h - 1}, kWhite);
    surface.Line({m.W - 1, 0}, {m.W - 1, m.h}, m_crHeaderFrame);
    surface.Line({0, m.h - 1}, {m.W, m.h - 1}, m_crHeaderFrame);

    surface.SetFont(ControlFont());
    surface.SetTextColour(kWhite);
    for (int k = 1; k <= kColumns; ++k) {
        if (k <= kWeekdayColumns) {
            surface.DrawText(SpanishDayName(k), HeaderLabelRect(m, k), kHeaderFlags);
        } else {
            surface.DrawText(kWeekendHeader, HeaderLabelRect(m, k), kWeekendHeaderFlags);
        }
        const int x = HeaderSeparatorX(m, k);
        surface.Line({x, 2}, {x, m.h - 2}, m_crHeaderFrame);
        surface.Line({x + 1, 2}, {x + 1, m.h - 2}, kWhite);
    }
}

void CWMDateCtrl::PaintCells(IDrawSurface& surface, const MonthMetrics& m, Colour crHighlight) {
    surface.SetFont(ControlFont());
    m_dtToday = m_dtToday.GetDatePart();
    // The store's index by day gives each cell its own items, so a paint costs
    // the same however many notes lie outside the shown weeks.
    for (int i = 1; i <= kCells; ++i) {
        CWVCellData& cell = *GetCell(i);
        const CellPaint cp{cell, cell.m_dtDate == m_dtToday, m.h, crHighlight};
        PaintCell(surface, cp);
        // The store's items that start on the cell's day, in store order.
        if (PaintItems(surface, cp, Items().ItemsOfDay(cell.m_dtDate))) {
            PaintMarker(surface, cell);
        }
    }
}

void CWMDateCtrl::PaintCell(IDrawSurface& surface, const CellPaint& cp) const {
    const CWVCellData& cell = cp.cell;
    const CDateValue& d = cell.m_dtDate;
    const std::string label =
        DayLabel(d, cell.m_nIndex, EffectiveDating(m_globals.dtLastPeriod, m_globals.extension));
    // The chosen day's label lies on the highlight, in black or white,
    // whichever reads better on it: the pink would all but vanish.
    const bool bChosen = cell.m_bSelected != 0;
    Rect lr = cell.m_rcLabel;
    if (cp.bToday) {
        lr = {lr.left - 1, lr.top, lr.right - 1, lr.bottom};
        surface.FillRect(lr, palette::kTodayGreen);
        surface.Line({lr.left, lr.bottom}, {lr.right, lr.bottom}, m_crTodayLine);
        // The highlight box is as wide as the day as the desktop would print
        // it, or as the label where that is wider.
        const std::string shown = d.GetDay() == 1 ? d.Format("%B, %d") : d.Format("%d");
        const int w =
            std::max(surface.MeasureText(shown, true).cx, surface.MeasureText(label, true).cx);
        if (bChosen) {
            surface.FillRect({std::max(lr.left, lr.right - w), lr.top, lr.right, lr.bottom},
                             cp.crHighlight);
        }
    } else if (bChosen) {
        lr = {lr.left - 1, lr.top + 1, lr.right - 1, lr.bottom + 1};
        surface.FillRect(lr, cp.crHighlight);
    }

    surface.SetTextColour(bChosen ? ReadableTextOn(cp.crHighlight) : palette::kPink);
    surface.DrawText(label, lr, kLabelFlags);
    surface.SetTextColour(kBlack);
}

bool CWMDateCtrl::PaintItems(IDrawSurface& surface, const CellPaint& cp,
                             std::span<CWVCellDataItem* const> items) const {
    const Rect& rcCell = cp.cell.m_rcCell;
    int k = 0;
    Rect slot = ItemSlot(rcCell, cp.h, k);
    bool bOverflow = false;
    for (CWVCellDataItem* item : items) {
        // Items that do not fit all share the first slot that did not fit.
        item->SetItemRect(slot);
        if (rcCell.Contains({slot.left, slot.bottom})) {
            PaintItemLine(surface, *item, slot, cp.crHighlight);
            slot = ItemSlot(rcCell, cp.h, ++k);
        } else {
            bOverflow = true;
        }
    }
    return bOverflow;
}

void CWMDateCtrl::PaintItemLine(IDrawSurface& surface, const CWVCellDataItem& item,
                                const Rect& slot, Colour crHighlight) const {
    std::string text = item.Get24Hour() != 0 ? item.GetFrom().Format("%H%M") + "  " : std::string();
    text += FirstLineOf(item.Text());
    // One line inside the slot, so that the line she sees is the line a
    // click hits and the next note's line does not cover it.
    Rect box = slot;
    box.bottom = std::min(slot.bottom, slot.top + surface.MeasureText(text, true).cy);

    if (item.GetSelected() != 0) {
        surface.FillRect(slot, crHighlight);
        surface.SetTextColour(kWhite);
    } else {
        surface.FillRect(slot, item.GetBack());
        surface.SetTextColour(kBlack);
    }
    if (item.GetImage() >= 0 && item.GetImageList() != nullptr &&
        surface.DrawImage(*item.GetImageList(), item.GetImage(), {slot.left, slot.top})) {
        box.left += ItemIconWidth(surface.DpiY());
    }
    box.right = slot.right;
    surface.DrawText(text, box, kItemFlags);
    surface.SetTextColour(kBlack);
}

void CWMDateCtrl::PaintMarker(IDrawSurface& surface, CWVCellData& cell) const {
    const Rect mk = MarkerRect(cell.m_rcCell);
    cell.m_rcMarker = mk;
    surface.Rectangle(mk, kBlack, cell.m_crBack);
    const int x = mk.left;
    const int y = mk.top;
    // A small triangle pointing down, 7, 5, 3 and 1 pixels wide...
    for (int row = 0; row < 4; ++row) {
        surface.Line({x + 2 + row, y + 2 + row}, {x + 9 - row, y + 2 + row}, kBlack);
    }
    // ...and three dots.
    for (int dot = 0; dot < 3; ++dot) {
        const int left = x + 10 + 3 * dot;
        surface.FillRect({left, y + 2, left + 2, y + 4}, kBlack);
    }
}

}  // namespace gestalia
