#include "calendar/cell_data.h"

#include "model/item_store.h"

namespace gestalia {

std::int32_t CWVCellData::ItemAt(Point pt, const CItemStore& items) const {
    std::int32_t id = 0;
    // Every item is visited: the last match in store order wins.
    items.ForEach([&](const CWVCellDataItem& item) {
        const CDateValue start = item.GetFrom().GetDatePart();
        if (item.GetItemRect().Contains(pt) && start.IsValid() && start == m_dtDate) {
            id = item.GetID();
        }
    });
    return id;
}

}  // namespace gestalia
