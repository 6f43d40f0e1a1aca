#include "calendar/cell_data.h"

#include "model/item_store.h"

namespace gestalia {

std::int32_t CWVCellData::ItemAt(Point pt, const CItemStore& items) const {
    std::int32_t id = 0;
    // Every item of the cell's day is visited: the last match in store order wins.
    items.ForEachOfDay(m_dtDate, [&](const CWVCellDataItem& item) {
        if (item.GetItemRect().Contains(pt)) {
            id = item.GetID();
        }
    });
    return id;
}

}  // namespace gestalia
