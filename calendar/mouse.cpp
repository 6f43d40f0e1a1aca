// CWMDateCtrl: mouse presses and the notifications to the parent. Every hit test
// uses the rectangles of the last paint.

#include "calendar/calendar_host.h"
#include "calendar/wm_date_ctrl.h"
#include "model/globals.h"
#include "model/item_store.h"

namespace gestalia {

std::intptr_t CWMDateCtrl::SendNotify(Point pt, std::int32_t code) {
    if (m_pHost == nullptr || !m_pHost->HasWindow()) {
        return 0;
    }
    NMWMDATECTRL nm;
    nm.hdr.idFrom = m_id;
    nm.hdr.code = code;
    nm.pCell = m_pSelCell;
    nm.pt = pt;
    if (m_pSelCell != nullptr) {
        // Looked up now: an item deleted since the hit test is simply gone.
        if (m_pSelCell->m_nHitItemId != 0) {
            nm.pItem = Items().Find(m_pSelCell->m_nHitItemId);
        }
        nm.nItemId = nm.pItem != nullptr ? nm.pItem->GetID() : 0;
        nm.bMarker = m_pSelCell->m_bMarkerHit;
        if (m_pSelCell->m_bMarkerHit != 0) {
            nm.hdr.code = NM_DBLCLK;
        }
    }
    return m_pHost->SendNotify(nm);
}

CWVCellData* CWMDateCtrl::CellAt(Point pt) {
    for (CWVCellData& cell : m_cells) {
        if (cell.m_rcCell.Contains(pt)) {
            return &cell;
        }
    }
    return nullptr;
}

bool CWMDateCtrl::SelectAndHitTest(CWVCellData& cell, Point pt) {
    m_pSelCell = &cell;
    cell.m_bSelected = 1;
    if (cell.m_rcMarker.Contains(pt)) {
        cell.m_bMarkerHit = 1;
        return false;
    }
    cell.m_bMarkerHit = 0;
    if (!RecordHitItem(cell, pt)) {
        return false;
    }
    if (CWVCellDataItem* item = Items().Find(cell.m_nHitItemId)) {
        item->SetSelected(1);
    }
    return true;
}

bool CWMDateCtrl::RecordHitItem(CWVCellData& cell, Point pt) {
    Items().DeselectAll();
    cell.m_nHitItemId = cell.ItemAt(pt, Items());
    return cell.m_nHitItemId != 0;
}

void CWMDateCtrl::OnLButtonDown(Point pt) {
    for (CWVCellData& cell : m_cells) {
        cell.m_bSelected = 0;
    }
    Items().DeselectAll();
    m_pSelCell = nullptr;

    if (CWVCellData* cell = CellAt(pt)) {
        m_dtChosen = cell->m_dtDate;
        if (SelectAndHitTest(*cell, pt)) {
            SendNotify(pt, NM_CLICK);
        }
        if (m_pHost != nullptr) {
            m_pHost->ShowDayInPanels(cell->m_dtDate);
        }
    }
    Redraw();
}

void CWMDateCtrl::OnLButtonDblClk(Point pt) {
    if (CWVCellData* cell = CellAt(pt)) {
        RecordHitItem(*cell, pt);
        // The record names the cell the first press selected; when that press
        // selected none there is nothing to tell the parent.
        if (m_pSelCell != nullptr) {
            SendNotify(pt, NM_DBLCLK);
        }
    }
    Redraw();
}

void CWMDateCtrl::OnRButtonDown(Point pt) {
    Items().DeselectAll();
    m_pSelCell = nullptr;
    for (CWVCellData& cell : m_cells) {
        if (cell.m_rcCell.Contains(pt)) {
            SelectAndHitTest(cell, pt);
        } else {
            cell.m_bSelected = 0;
        }
    }
    Redraw();
}

void CWMDateCtrl::OnRButtonUp(Point pt) {
    if (CellAt(pt) != nullptr) {
        SendNotify(pt, NM_RCLICK);
    }
}

}  // namespace gestalia
