#include "model/item_store.h"

#include <algorithm>
#include <limits>

namespace gestalia {

std::int32_t CItemStore::AddItem(const CDateValue& from, const CDateValue& to, std::string text,
                                 std::int32_t image, float weight, const CItemDefaults& defaults) {
    auto item = std::make_unique<CWVCellDataItem>(defaults.dtCreated);
    // Identifiers are positive; after the last 32-bit one the count starts again.
    m_nLastItemID =
        m_nLastItemID == std::numeric_limits<std::int32_t>::max() ? 1 : m_nLastItemID + 1;
    item->SetID(m_nLastItemID);
    item->SetText(std::move(text));
    item->SetFrom(from);
    item->SetTo(to);
    item->Set24Hour(defaults.b24HourTimes);
    item->SetBack(defaults.crBack);
    item->SetTask(0);
    item->SetImageList(defaults.pImageList);
    item->SetImage(image);
    item->SetSelected(0);
    item->SetWeight(weight);
    m_items.push_back(std::move(item));
    return m_nLastItemID;
}

void CItemStore::SetItemTask(std::int32_t id, std::int32_t flag) {
    if (CWVCellDataItem* item = Find(id)) {
        item->SetTask(flag);
    }
}

void CItemStore::SetItemColour(std::int32_t id, Colour colour) {
    if (CWVCellDataItem* item = Find(id)) {
        item->SetBack(colour);
    }
}

bool CItemStore::DeleteItem(std::int32_t id) {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [id](const auto& p) { return p->GetID() == id; });
    if (it == m_items.end()) {
        return false;
    }
    m_items.erase(it);
    return true;
}

void CItemStore::DeleteAllItems() {
    m_items.clear();
}

CWVCellDataItem* CItemStore::Find(std::int32_t id) {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [id](const auto& p) { return p->GetID() == id; });
    return it == m_items.end() ? nullptr : it->get();
}

const CWVCellDataItem* CItemStore::Find(std::int32_t id) const {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [id](const auto& p) { return p->GetID() == id; });
    return it == m_items.end() ? nullptr : it->get();
}

}  // namespace gestalia
