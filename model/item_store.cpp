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
    item->m_store.p = this;
    item->m_nOrder = m_nNextOrder++;
    File(*item);
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
    Unfile(**it);
    m_items.erase(it);
    return true;
}

void CItemStore::DeleteAllItems() {
    m_byDay.clear();
    m_items.clear();
}

std::span<CWVCellDataItem* const> CItemStore::ItemsOfDay(const CDateValue& day) {
    const std::optional<std::int32_t> key = DayNumberOf(day);
    if (!key) {
        return {};
    }
    const auto found = m_byDay.find(*key);
    if (found == m_byDay.end()) {
        return {};
    }
    return found->second;
}

void CItemStore::File(CWVCellDataItem& item) {
    const std::optional<std::int32_t> key = DayNumberOf(item.m_dtFrom);
    if (!key) {
        return;
    }
    std::vector<CWVCellDataItem*>& day = m_byDay[*key];
    // New items come last; an item whose start moved goes back to its place.
    const auto at = std::upper_bound(
        day.begin(), day.end(), item.m_nOrder,
        [](std::uint64_t order, const CWVCellDataItem* other) { return order < other->m_nOrder; });
    day.insert(at, &item);
}

void CItemStore::Unfile(const CWVCellDataItem& item) {
    const std::optional<std::int32_t> key = DayNumberOf(item.m_dtFrom);
    if (!key) {
        return;
    }
    const auto found = m_byDay.find(*key);
    if (found == m_byDay.end()) {
        return;
    }
    std::vector<CWVCellDataItem*>& day = found->second;
    day.erase(std::remove(day.begin(), day.end(), &item), day.end());
    if (day.empty()) {
        m_byDay.erase(found);
    }
}

void CWVCellDataItem::SetFrom(const CDateValue& dt) {
    CItemStore* store = m_store.p;
    if (store != nullptr) {
        store->Unfile(*this);
    }
    m_dtFrom = dt;
    if (store != nullptr) {
        store->File(*this);
    }
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
