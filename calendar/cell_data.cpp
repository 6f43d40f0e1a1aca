#include "calendar/cell_data.h"

#include "model/item_store.h"

namespace gestalia {

bool CWVCellData::HitTestItem(Point pt, CItemStore& items) {
    m_nHitItemId = 0;
    bool bHit = false;
    // Every item is visited: the last match in store order wins and every
    // item leaves with its selected flag cleared.
    items.ForEach([&](CWVCellDataItem& item) {
        item.SetSelected(0);
        const CDateValue start = item.GetFrom().GetDatePart();
        if (item.GetItemRect().Contains(pt) && start.IsValid() && start == m_dtDate) {
            m_nHitItemId = item.GetID();
            bHit = true;
        }
    });
    return bHit;
}

}  // namespace gestalia
