#include "model/item_store.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "model/windows1252.h"

namespace gestalia {

void CItemStore::Reserve(std::size_t count) {
    if (count > m_c.blocks.Spare() + m_c.free.size()) {
        m_c.blocks.AddBlock(count);
    }
    m_c.items.reserve(m_c.items.size() + count);
}

std::int32_t CItemStore::RestartIds() {
    // Identifiers are positive; after the last 32-bit one the count starts again.
    m_c.nLastItemID = 1;
    m_c.bIdsRising = m_c.items.empty();
    return 1;
}

void* CItemStore::ReusePlace() {
    CWVCellDataItem* old = m_c.free.back();
    m_c.free.pop_back();
    std::destroy_at(old);
    return old;
}

std::int32_t CItemStore::AddItem(const CDateValue& from, const CDateValue& to, std::string text,
                                 std::int32_t image, float weight, const CItemDefaults& defaults) {
    CWVCellDataItem& item = NewItem(from, to, image, weight, defaults);
    item.SetText(std::move(text));
    return item.GetID();
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
    const auto it = FindIn(*this, id);
    if (it == m_c.items.end()) {
        return false;
    }
    CWVCellDataItem* item = it->item;
    m_c.items.erase(it);
    std::erase(m_c.selected, item);
    // Its place waits for the next new item; its text's memory goes now.
    item->m_strText.Release();
    item->m_store.p = nullptr;
    m_c.free.push_back(item);
    // The store no longer hears of it: should it be given a text all the
    // same, it is let go with the others.
    m_c.blocks.MayOwnMemory();
    m_c.bDayIndexStale = true;
    return true;
}

void CItemStore::DeleteAllItems() {
    const std::int32_t lastId = m_c.nLastItemID;
    m_c = CContents();
    m_c.nLastItemID = lastId;
}

std::span<CWVCellDataItem* const> CItemStore::ItemsOfDay(const CDateValue& day) {
    return DayItems(day);
}

void CItemStore::IndexByDay() {
    MakeDayIndex();
}

std::span<CWVCellDataItem* const> CItemStore::DayItems(const CDateValue& day) const {
    if (m_c.bDayIndexStale) {
        MakeDayIndex();
    }
    const std::optional<std::int32_t> key = DayNumberOf(day);
    if (!key) {
        return {};
    }
    const auto [first, last] = std::equal_range(m_c.dayKeys.begin(), m_c.dayKeys.end(), *key);
    return {m_c.byDay.data() + (first - m_c.dayKeys.begin()),
            static_cast<std::size_t>(last - first)};
}

void CItemStore::MakeDayIndex() const {
    m_c.bDayIndexStale = false;
    m_c.dayKeys.clear();
    m_c.byDay.clear();
    // The day of every item was noted as it was added; only a change of an
    // item's start makes them worth reading again.
    if (m_c.bDaysStale) {
        for (const CEntry& e : m_c.items) {
            e.day = DayNumberOf(e.item->GetFrom()).value_or(kNowhere);
        }
        m_c.bDaysStale = false;
    }
    std::int32_t lo = std::numeric_limits<std::int32_t>::max();
    std::int32_t hi = std::numeric_limits<std::int32_t>::min();
    std::size_t filed = 0;
    for (const CEntry& e : m_c.items) {
        if (e.day != kNowhere) {
            lo = std::min(lo, e.day);
            hi = std::max(hi, e.day);
            ++filed;
        }
    }
    if (filed == 0) {
        return;
    }
    m_c.dayKeys.resize(filed);
    m_c.byDay.resize(filed);
    const auto span = static_cast<std::size_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    if (span <= 4 * filed + 1024) {
        // A counting sort over the days the items span: two passes, and store
        // order kept within each day.
        std::vector<std::uint32_t> start(span + 1, 0);
        for (const CEntry& e : m_c.items) {
            if (e.day != kNowhere) {
                ++start[static_cast<std::size_t>(e.day - lo) + 1];
            }
        }
        for (std::size_t d = 1; d <= span; ++d) {
            start[d] += start[d - 1];
        }
        for (const CEntry& e : m_c.items) {
            if (e.day != kNowhere) {
                const std::uint32_t at = start[static_cast<std::size_t>(e.day - lo)]++;
                m_c.dayKeys[at] = e.day;
                m_c.byDay[at] = e.item;
            }
        }
        return;
    }
    // Days spread over centuries: a sort of (day, position) pairs instead.
    std::vector<std::pair<std::int32_t, std::size_t>> order;
    order.reserve(filed);
    for (std::size_t i = 0; i < m_c.items.size(); ++i) {
        if (m_c.items[i].day != kNowhere) {
            order.emplace_back(m_c.items[i].day, i);
        }
    }
    std::sort(order.begin(), order.end());
    for (std::size_t k = 0; k < order.size(); ++k) {
        m_c.dayKeys[k] = order[k].first;
        m_c.byDay[k] = m_c.items[order[k].second].item;
    }
}

void CWVCellDataItem::DecodeText() const {
    const std::string_view coded = m_strText.View();
    if (m_store.p == nullptr) {
        m_strText.Set(DecodeWindows1252(coded));
        return;
    }
    // Into the memory the store keeps for texts; a text of ASCII alone is
    // the same in UTF-8 and stays where it lies.
    CTextBlocks& texts = m_store.p->m_c.texts;
    char* const room = texts.Room(Windows1252DecodeRoom(coded.size()));
    const std::size_t length = DecodeWindows1252(coded, room);
    m_strText.SetKept(length == coded.size() ? coded : texts.Keep(length));
}

void CWVCellDataItem::SetText(std::string s) {
    m_strText.Set(s);
    if (m_store.p != nullptr) {
        m_store.p->m_c.blocks.MayOwnMemory();
    }
}

void CWVCellDataItem::SetFrom(const CDateValue& dt) {
    SetFromValue(dt);
    if (m_store.p != nullptr) {
        m_store.p->StartChanged();
    }
}

template <class Self>
auto CItemStore::FindIn(Self& self, std::int32_t id) -> decltype(self.m_c.items.begin()) {
    auto& items = self.m_c.items;
    if (!self.m_c.bIdsRising) {
        return std::find_if(items.begin(), items.end(),
                            [id](const CEntry& e) { return e.item->GetID() == id; });
    }
    const auto it = std::lower_bound(
        items.begin(), items.end(), id,
        [](const CEntry& e, std::int32_t wanted) { return e.item->GetID() < wanted; });
    return it != items.end() && it->item->GetID() == id ? it : items.end();
}

CWVCellDataItem* CItemStore::Find(std::int32_t id) {
    const auto it = FindIn(*this, id);
    return it == m_c.items.end() ? nullptr : it->item;
}

const CWVCellDataItem* CItemStore::Find(std::int32_t id) const {
    const auto it = FindIn(*this, id);
    return it == m_c.items.end() ? nullptr : it->item;
}

void CItemStore::DeselectAll() {
    for (CWVCellDataItem* item : m_c.selected) {
        item->m_bSelected = 0;
    }
    m_c.selected.clear();
}

void CWVCellDataItem::SetSelected(std::int32_t b) {
    if (b != 0 && m_bSelected == 0 && m_store.p != nullptr) {
        m_store.p->Selected(*this);
    }
    m_bSelected = b;
}

}  // namespace gestalia
