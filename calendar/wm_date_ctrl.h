#pragma once
// CWMDateCtrl: the month calendar. It lays out 42 day cells (Monday first,
// Saturday above Sunday in the last column), paints the month with its notes,
// hit-tests the mouse and notifies its parent through the host. It owns the
// operations on the note store and reads the last-period date, both of which
// live in CGlobals.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "calendar/cell_data.h"
#include "calendar/month_layout.h"
#include "calendar/notify.h"
#include "model/colour.h"
#include "model/date_value.h"
#include "model/file_bytes.h"
#include "model/palette.h"
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

inline constexpr std::int32_t WMVIEW_WEEK = 1025;
inline constexpr std::int32_t WMVIEW_MONTH = 1026;

class CWMDateCtrl {
  public:
    // The globals and the clock must outlive the control.
    CWMDateCtrl(CGlobals& globals, const IClock& clock, std::uintptr_t id = 1000);
    CWMDateCtrl(const CWMDateCtrl&) = delete;
    CWMDateCtrl& operator=(const CWMDateCtrl&) = delete;

    // The window around the control; none until bound (nothing is sent or
    // repainted then).
    void SetHost(ICalendarHost* host) { m_pHost = host; }
    // The icons of the notes added from now on. Every note keeps the pointer,
    // and notes outlive the control: the list must outlive the note store.
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
    // The agenda's file image, and the agenda of one put in place of this
    // one (a damaged image changes nothing).
    Result<std::string> AgendaImage() const;
    Status LoadAgendaImage(CFileBytes bytes);

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

    // Keyboard focus and keys (keyboard.cpp). The chosen day is the day the
    // keys act on and the focus frame marks; it starts as today, and a left
    // press on a day chooses that day. Arrows move it a day or a week, Page
    // Up and Page Down a month, Home goes to today; moving it fills the
    // parent's day panels as a press does, and past the six shown weeks the
    // parent is asked to show its month (WMN_SHOWMONTH). Enter or Space adds a
    // note (NM_DBLCLK without an item), F2 or Shift+Enter changes the chosen
    // note (NM_DBLCLK with it), Delete deletes it (NM_KEYDOWN), Ctrl+Down and
    // Ctrl+Up choose the next or previous note of the day (NM_CLICK), Shift+F10
    // or the menu key send NM_RCLICK. Without a chosen note, the day's first
    // note is the one.
    void OnSetFocus();
    void OnKillFocus();
    bool HasFocus() const { return m_bFocus; }
    // True when the key was the calendar's.
    bool OnKeyDown(std::int32_t nKey, std::uint32_t modifiers);
    CDateValue GetChosenDay() const { return m_dtChosen; }
    // The index (1 to 42) of the cell that holds the chosen day; 0 when not shown.
    int ChosenCellIndex() const;

    // Texts for screen readers and tooltips (day_texts.cpp).
    // "martes, 15 de diciembre de 2026, 2 anotaciones" for cell index 1 to 42.
    std::string DayDescription(int nIndex) const;
    // The note whose last painted line holds the point, by the item hit
    // test's rule but changing nothing; 0 when none.
    std::int32_t ItemIdAt(Point pt) const;
    // The note's whole text and its weight; empty for an unknown id.
    std::string ItemTooltip(std::int32_t id) const;

    // State, for the window logic and tests.
    CDateValue GetMonth() const { return m_dtMonth; }
    bool IsMonthView() const { return m_bMonthView != 0; }
    CWVCellData* GetSelectedCell() { return m_pSelCell; }
    const CWVCellData* GetSelectedCell() const { return m_pSelCell; }
    CDateValue GetToday() const { return m_dtToday; }

    // Colours of the control.
    Colour m_crBack = palette::kWhite;
    Colour m_crOtherMonth = palette::kOtherMonthGrey;
    Colour m_crHeaderFrame = palette::kWhite;
    Colour m_crHeader = palette::kPink;
    Colour m_crTodayLine = palette::kWhite;
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
    // What a press does with the item hit test: every item's selected flag is
    // cleared and the cell keeps the id of the item at the point. True on a hit.
    bool RecordHitItem(CWVCellData& cell, Point pt);

    void PaintMonthGrid(IDrawSurface& surface, const MonthMetrics& m);
    void PaintHeader(IDrawSurface& surface, const MonthMetrics& m) const;
    void PaintCells(IDrawSurface& surface, const MonthMetrics& m, Colour crHighlight);
    // The cell's label band and day label.
    void PaintCell(IDrawSurface& surface, const CellPaint& cp) const;
    // The lines of the items that start on the cell's day; each item records
    // the slot it was given. True when some did not fit.
    bool PaintItems(IDrawSurface& surface, const CellPaint& cp,
                    std::span<CWVCellDataItem* const> items) const;
    void PaintItemLine(IDrawSurface& surface, const CWVCellDataItem& item, const Rect& slot,
                       Colour crHighlight) const;
    // The overflow marker; the cell records its rectangle for the hit test.
    void PaintMarker(IDrawSurface& surface, CWVCellData& cell) const;
    void PaintFocusFrame(IDrawSurface& surface) const;

    // Keyboard helpers (keyboard.cpp). The cell holding the day; none when not shown.
    const CWVCellData* CellOfDay(const CDateValue& day) const;
    CWVCellData* CellOfDay(const CDateValue& day);
    // Makes `day` the chosen day: the month follows when it is not shown, the
    // cell is selected as by a press on its empty part, the panels show it.
    void ChooseDay(const CDateValue& day);
    // Selects the chosen day's cell with `nItemId` as its hit item (0: none).
    CWVCellData* SelectChosenCell(std::int32_t nItemId);
    // The chosen note of the chosen day, else its first note; 0 when it has none.
    std::int32_t ChosenItemId() const;
    void ChooseNextItem(int step);
    // The ids of the notes that start on `day`, in store order.
    std::vector<std::int32_t> ItemsOfDay(const CDateValue& day) const;
    void SendKeyNotify(std::int32_t code, std::int32_t nItemId, std::int32_t nKey);
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
    CDateValue m_dtChosen;  // at midnight
    bool m_bFocus = false;
};

}  // namespace gestalia
