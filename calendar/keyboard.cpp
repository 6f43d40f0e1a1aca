// CWMDateCtrl: keyboard focus, the chosen day and the keys. Each key stands
// for a mouse action and sends the notification that action sends, so the
// parent handles them as it handles the mouse; only Delete (NM_KEYDOWN) and
// the month that follows the chosen day (WMN_SHOWMONTH) are the keyboard's own.

#include <utility>
#include <vector>

#include "calendar/calendar_host.h"
#include "calendar/draw_surface.h"
#include "calendar/keys.h"
#include "calendar/month_layout.h"
#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/item_store.h"
#include "model/palette.h"

namespace gestalia {

namespace {

constexpr int kMonthsPerYear = 12;

// The day numbered `day` in the month that starts on `firstOfMonth`, or the
// month's last day when it is shorter.
CDateValue SameDayIn(const CDateValue& firstOfMonth, int day) {
    CDateValue d = firstOfMonth;
    for (int i = 1; i < day; ++i) {
        CDateValue next = d;
        next.AddDays(1.0);
        if (next.GetMonth() != d.GetMonth()) {
            break;
        }
        d = next;
    }
    return d;
}

// The same day `step` months on (back when negative), cut to the month's end.
CDateValue AddMonths(const CDateValue& day, int step) {
    int year = day.GetYear();
    int month = day.GetMonth() - 1 + step;
    year += month >= 0 ? month / kMonthsPerYear : (month - kMonthsPerYear + 1) / kMonthsPerYear;
    month = ((month % kMonthsPerYear) + kMonthsPerYear) % kMonthsPerYear + 1;
    const CDateValue first(year, month, 1);
    return first.IsValid() ? SameDayIn(first, day.GetDay()) : first;
}

Point CentreOf(const Rect& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

}  // namespace

const CWVCellData* CWMDateCtrl::CellOfDay(const CDateValue& day) const {
    for (const CWVCellData& cell : m_cells) {
        if (cell.m_dtDate == day) {
            return &cell;
        }
    }
    return nullptr;
}

CWVCellData* CWMDateCtrl::CellOfDay(const CDateValue& day) {
    return const_cast<CWVCellData*>(std::as_const(*this).CellOfDay(day));
}

int CWMDateCtrl::ChosenCellIndex() const {
    const CWVCellData* cell = CellOfDay(m_dtChosen);
    return cell != nullptr ? cell->m_nIndex : 0;
}

void CWMDateCtrl::OnSetFocus() {
    m_bFocus = true;
    // The month arrows may have moved the grid away from the chosen day: the
    // keys start from the same day of the shown month. Quietly: the focus
    // alone shows no day in the panels, but the selection moves with the
    // frame, so that Enter adds to the day she sees chosen.
    if (m_bMonthView != 0 && CellOfDay(m_dtChosen) == nullptr) {
        const CDateValue day = SameDayIn(m_dtMonth, m_dtChosen.GetDay());
        if (day.IsValid()) {
            m_dtChosen = day;
            SelectChosenCell(0);
        }
    }
    Redraw();
}

void CWMDateCtrl::OnKillFocus() {
    m_bFocus = false;
    Redraw();
}

bool CWMDateCtrl::OnKeyDown(std::int32_t nKey, std::uint32_t modifiers) {
    if (m_bMonthView == 0 || (modifiers & kModAlt) != 0) {
        return false;
    }
    const bool bShift = (modifiers & kModShift) != 0;
    const bool bControl = (modifiers & kModControl) != 0;
    if (bControl && nKey != VK_UP && nKey != VK_DOWN) {
        return false;
    }
    CDateValue day = m_dtChosen;
    switch (nKey) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: {
            if (bControl) {
                ChooseNextItem(nKey == VK_DOWN ? 1 : -1);
                return true;
            }
            const int days = nKey == VK_LEFT ? -1 : nKey == VK_RIGHT ? 1 : nKey == VK_UP ? -7 : 7;
            day.AddDays(days);
            ChooseDay(day);
            return true;
        }
        case VK_PRIOR:
        case VK_NEXT:
            ChooseDay(AddMonths(day, nKey == VK_NEXT ? 1 : -1));
            return true;
        case VK_HOME:
            ChooseDay(CDateValue::Now(m_clock).GetDatePart());
            return true;
        default:
            break;
    }

    const bool bChange = nKey == VK_F2 || (nKey == VK_RETURN && bShift);
    const bool bAdd = !bChange && (nKey == VK_RETURN || nKey == VK_SPACE);
    const bool bMenu = nKey == VK_APPS || (nKey == VK_F10 && bShift);
    if (!bChange && !bAdd && !bMenu && nKey != VK_DELETE) {
        return false;
    }
    if (CellOfDay(m_dtChosen) == nullptr) {
        ChooseDay(SameDayIn(m_dtMonth, m_dtChosen.GetDay()));
    }
    if (bAdd) {
        // As a double-click on the empty part of the day.
        SelectChosenCell(0);
        SendKeyNotify(NM_DBLCLK, 0, nKey);
    } else if (bMenu) {
        // As a right press and release on the day, on its chosen note if any.
        std::int32_t id = ChosenItemId();
        const CWVCellDataItem* item = Items().Find(id);
        id = item != nullptr && item->GetSelected() != 0 ? id : 0;
        SelectChosenCell(id);
        SendKeyNotify(NM_RCLICK, id, nKey);
    } else if (const std::int32_t id = ChosenItemId(); id != 0) {
        // F2 as a double-click on the note; Delete has no mouse twin.
        SelectChosenCell(id);
        SendKeyNotify(bChange ? NM_DBLCLK : NM_KEYDOWN, id, nKey);
    }
    Redraw();
    return true;
}

void CWMDateCtrl::ChooseDay(const CDateValue& day) {
    if (!day.IsValid()) {
        return;
    }
    if (CellOfDay(day) == nullptr) {
        if (m_pHost != nullptr && m_pHost->HasWindow()) {
            NMWMDATECTRL nm;
            nm.hdr.idFrom = m_id;
            nm.hdr.code = WMN_SHOWMONTH;
            nm.dtDay = day;
            m_pHost->SendNotify(nm);
        }
        // A parent that does not move the month leaves it to the control.
        if (CellOfDay(day) == nullptr) {
            ShowMonth(day, m_b24HourTimes, WMVIEW_MONTH);
        }
    }
    m_dtChosen = day;
    SelectChosenCell(0);
    if (m_pHost != nullptr) {
        m_pHost->ShowDayInPanels(day);
    }
    Redraw();
}

CWVCellData* CWMDateCtrl::SelectChosenCell(std::int32_t nItemId) {
    for (CWVCellData& cell : m_cells) {
        cell.m_bSelected = 0;
    }
    Items().DeselectAll();
    m_pSelCell = CellOfDay(m_dtChosen);
    if (m_pSelCell == nullptr) {
        return nullptr;
    }
    m_pSelCell->m_bSelected = 1;
    m_pSelCell->m_bMarkerHit = 0;
    m_pSelCell->m_nHitItemId = nItemId;
    if (CWVCellDataItem* item = Items().Find(nItemId)) {
        item->SetSelected(1);
    }
    return m_pSelCell;
}

std::vector<std::int32_t> CWMDateCtrl::ItemsOfDay(const CDateValue& day) const {
    std::vector<std::int32_t> ids;
    Items().ForEachOfDay(day, [&ids](const CWVCellDataItem& item) { ids.push_back(item.GetID()); });
    return ids;
}

std::int32_t CWMDateCtrl::ChosenItemId() const {
    const std::vector<std::int32_t> ids = ItemsOfDay(m_dtChosen);
    for (std::int32_t id : ids) {
        if (const CWVCellDataItem* item = Items().Find(id); item->GetSelected() != 0) {
            return id;
        }
    }
    return ids.empty() ? 0 : ids.front();
}

void CWMDateCtrl::ChooseNextItem(int step) {
    if (CellOfDay(m_dtChosen) == nullptr) {
        ChooseDay(SameDayIn(m_dtMonth, m_dtChosen.GetDay()));
    }
    const std::vector<std::int32_t> ids = ItemsOfDay(m_dtChosen);
    if (ids.empty()) {
        return;
    }
    const int count = static_cast<int>(ids.size());
    int next = step > 0 ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
        if (Items().Find(ids[static_cast<std::size_t>(i)])->GetSelected() != 0) {
            next = ((i + step) % count + count) % count;
            break;
        }
    }
    const std::int32_t id = ids[static_cast<std::size_t>(next)];
    SelectChosenCell(id);
    // As a press on the note's line.
    SendKeyNotify(NM_CLICK, id, step > 0 ? VK_DOWN : VK_UP);
    Redraw();
}

void CWMDateCtrl::SendKeyNotify(std::int32_t code, std::int32_t nItemId, std::int32_t nKey) {
    if (m_pHost == nullptr || !m_pHost->HasWindow()) {
        return;
    }
    NMWMDATECTRL nm;
    nm.hdr.idFrom = m_id;
    nm.hdr.code = code;
    nm.pCell = m_pSelCell;
    nm.pItem = nItemId != 0 ? Items().Find(nItemId) : nullptr;
    nm.nItemId = nm.pItem != nullptr ? nItemId : 0;
    nm.pt = m_pSelCell != nullptr ? CentreOf(m_pSelCell->m_rcCell) : Point{};
    nm.nKey = nKey;
    nm.dtDay = m_dtChosen;
    m_pHost->SendNotify(nm);
}

void CWMDateCtrl::PaintFocusFrame(IDrawSurface& surface) const {
    if (!m_bFocus) {
        return;
    }
    const CWVCellData* cell = CellOfDay(m_dtChosen);
    if (cell == nullptr) {
        return;
    }
    const Rect rc = FocusFrameRect(cell->m_rcCell);
    if (rc.IsEmpty()) {
        return;
    }
    surface.Line({rc.left, rc.top}, {rc.right, rc.top}, palette::kBlack);
    surface.Line({rc.left, rc.bottom - 1}, {rc.right, rc.bottom - 1}, palette::kBlack);
    surface.Line({rc.left, rc.top}, {rc.left, rc.bottom}, palette::kBlack);
    surface.Line({rc.right - 1, rc.top}, {rc.right - 1, rc.bottom}, palette::kBlack);
}

}  // namespace gestalia
