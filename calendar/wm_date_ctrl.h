#pragma once
// CWMDateCtrl: the month calendar. It lays out 42 day cells (Monday first,
// Saturday above Sunday in the last column), paints the month with its notes,
// hit-tests the mouse and notifies its parent through the host. It owns the
// operations on the note store and reads the last-period date, both of which
// live in CGlobals.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/cell_data.h"
#include "calendar/notify.h"
#include "model/colour.h"
#include "model/date_value.h"
#include "model/result.h"

namespace gestalia {

class ICalendarHost;
class IClock;
class IDrawSurface;
class CImageList;
class CItemStore;
class CWVCellDataItem;
struct CFontSpec;
struct CGlobals;
struct CItemDefaults;
struct MonthMetrics;

inline constexpr std::int32_t WMVIEW_WEEK = 1025;
inline constexpr std::int32_t WMVIEW_MONTH = 1026;
inline constexpr int kRows = 6;
inline constexpr int kDaysPerRow = 7;
inline constexpr int kCells = kRows * kDaysPerRow;  // 42

class CWMDateCtrl {
  public:
    // The globals and the clock must outlive the control.
    CWMDateCtrl(CGlobals& globals, const IClock& clock, std::uintptr_t id = 1000);
    CWMDateCtrl(const CWMDateCtrl&) = delete;
    CWMDateCtrl& operator=(const CWMDateCtrl&) = delete;

    // The window around the control; none until bound (nothing is sent or
    // repainted then).
    void SetHost(ICalendarHost* host) { m_pHost = host; }
    void SetImageList(const CImageList* list) { m_pImageList = list; }

    void SetView(std::int32_t nView, bool bRedraw);
    void ShowMonth(const CDateValue& date, std::int32_t b24HourTimes, std::int32_t nView);
    void GetDateRange(CDateValue& first, CDateValue& last) const;
    void Redraw();
    CWVCellData* GetCell(std::int32_t nIndex);
    CWVCellData* FindCell(const CDateValue& date);

    // Store operations (the store itself is CGlobals::listItems).
    std::int32_t AddItem(const CDateValue& from, const CDateValue& to, std::string text,
                         std::int32_t image, float weight);
    void SetItemTask(std::int32_t id, std::int32_t flag);
    void SetItemColour(std::int32_t id, Colour colour);
    bool DeleteItem(std::int32_t id);
    void DeleteAllItems();

    // The agenda file at `path`: the last-period date and every note. A failed
    // save leaves the old file as it was; a failed load changes nothing.
    Status SaveAgenda(const std::string& path) const;
    Status LoadAgenda(const std::string& path);

    // WM_NOTIFY to the parent with the selected cell and its hit item (looked up
    // by id now, so a deleted item is never named); a press on the overflow
    // marker turns any code into NM_DBLCLK. The parent's answer, 0 when nothing
    // was sent (no host or no window).
    std::intptr_t SendNotify(Point pt, std::int32_t code);

    // Window messages.
    void OnEraseBkgnd(IDrawSurface& surface);
    void OnPaint(IDrawSurface& surface);
    void OnLButtonDown(Point pt);
    void OnLButtonDblClk(Point pt);
    void OnRButtonDown(Point pt);
    void OnRButtonUp(Point pt);

    // State, for the window logic and tests.
    CDateValue GetMonth() const { return m_dtMonth; }
    bool IsMonthView() const { return m_bMonthView != 0; }
    CWVCellData* GetSelectedCell() const { return m_pSelCell; }
    CDateValue GetToday() const { return m_dtToday; }

    // Colours of the control.
    Colour m_crBack = RGB(255, 255, 255);
    Colour m_crOtherMonth = RGB(240, 240, 240);
    Colour m_crHeaderFrame = RGB(255, 255, 255);
    Colour m_crHeader = RGB(238, 62, 115);
    Colour m_crTodayLine = RGB(255, 255, 255);
    std::string m_strFontName = "TAHOMA";
    std::int32_t m_nFontSize = 85;

  private:
    struct CellPaint;

    CItemStore& Items();
    const CItemStore& Items() const;
    CItemDefaults MakeItemDefaults() const;
    // The first cell, in index order, whose last painted rectangle holds the point.
    CWVCellData* CellAt(Point pt);
    // Selects the cell and runs the marker or item hit test on it; true when an
    // item was hit (and marked selected).
    bool SelectAndHitTest(CWVCellData& cell, Point pt);

    void PaintMonthGrid(IDrawSurface& surface, const MonthMetrics& m);
    void PaintHeader(IDrawSurface& surface, const MonthMetrics& m) const;
    void PaintCells(IDrawSurface& surface, const MonthMetrics& m, Colour crHighlight);
    void PaintCell(IDrawSurface& surface, const CellPaint& cp);
    void PaintItems(IDrawSurface& surface, const CellPaint& cp);
    void PaintItemLine(IDrawSurface& surface, const CWVCellDataItem& item, const Rect& slot,
                       Colour crHighlight) const;
    void PaintMarker(IDrawSurface& surface, CWVCellData& cell) const;
    CFontSpec ControlFont() const;

    CGlobals& m_globals;
    const IClock& m_clock;
    std::uintptr_t m_id;
    ICalendarHost* m_pHost = nullptr;
    const CImageList* m_pImageList = nullptr;
    CDateValue m_dtMonth;
    std::int32_t m_bMonthView = 0;
    std::int32_t m_b24HourTimes = 0;
    CWVCellData* m_pSelCell = nullptr;
    // The 42 day cells in index order; built once, never resized, so their
    // addresses stay valid for the control's life.
    std::vector<CWVCellData> m_cells;
    CDateValue m_dtToday;
};

}  // namespace gestalia
