#include "model/item_store.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "model/windows1252.h"

namespace gestalia {

CWVCellDataItem::CWVCellDataItem(CItemStore& store, std::int32_t id, const CDateValue& from,
                                 const CDateValue& to, std::int32_t image, float weight,
                                 const CItemDefaults& defaults)
    : m_dtFrom(from.GetRaw()),
      m_dtTo(to.GetRaw()),
      m_pImageList(defaults.pImageList),
      m_nImage(image),
      m_crBack(defaults.crBack),
      m_b24Hour(defaults.b24HourTimes),
      m_nID(id),
      m_fWeight(weight),
      m_nFromStatus(static_cast<std::uint8_t>(from.GetStatus())),
      m_nToStatus(static_cast<std::uint8_t>(to.GetStatus())) {
    m_store.p = &store;
}

CWVCellDataItem& CItemStore::NewItem(const CDateValue& from, const CDateValue& to,
                                     std::int32_t image, float weight,
                                     const CItemDefaults& defaults) {
    const std::int32_t id = NextId();
    void* const place = m_c.free.empty() ? m_c.blocks.Place() : ReusePlace();
    CWVCellDataItem* const item =
        ::new (place) CWVCellDataItem(*this, id, from, to, image, weight, defaults);
    m_c.items.push_back({item, id, 0});
    AddDay(DayNumberOf(from).value_or(kNowhere));
    return *item;
}

void CItemStore::ExpectNotes(std::size_t count, std::string_view file, NoteRecordReader read,
                             const CItemDefaults& defaults) {
    m_c.noteFile = file;
    m_c.readNote = read;
    m_c.noteDefaults = defaults;
    m_c.items.reserve(m_c.items.size() + count);
    m_c.days.reserve(m_c.days.size() + count);
}

CWVCellDataItem& CItemStore::MakeFromRecord(const CEntry& e) const {
    const CNoteRecord r = m_c.readNote(m_c.noteFile, e.record);
    // The item points back at its store, which a const store is too.
    auto& self = const_cast<CItemStore&>(*this);
    e.item = ::new (m_c.blocks.Place())
        CWVCellDataItem(self, e.id, r.from, r.to, r.image, r.weight, m_c.noteDefaults);
    e.item->m_strText.SetKept(r.coded, true);
    return *e.item;
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
    m_c.visits.erase(id);
    m_c.days.erase(m_c.days.begin() + (it - m_c.items.begin()));
    m_c.items.erase(it);
    m_c.bDayIndexStale = true;
    if (item == nullptr) {
        return true;  // it never left its record
    }
    std::erase(m_c.selected, item);
    // Its place waits for the next new item; its text's memory goes now.
    item->m_strText.Release();
    item->m_store.p = nullptr;
    m_c.free.push_back(item);
    // The store no longer hears of it: should it be given a text all the
    // same, it is let go with the others.
    m_c.blocks.MayOwnMemory();
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
    const std::int32_t* const keys = m_c.dayKeys.get();
    const auto [first, last] = std::equal_range(keys, keys + m_c.filed, *key);
    const auto begin = static_cast<std::size_t>(first - keys);
    const auto count = static_cast<std::size_t>(last - first);
    // The day's items, made now for notes still in their records.
    for (std::size_t k = begin; k < begin + count; ++k) {
        m_c.byDay[k] = &Made(m_c.items[m_c.byDayAt[k]]);
    }
    return {m_c.byDay.get() + begin, count};
}

void CItemStore::MakeDayIndex() const {
    m_c.bDayIndexStale = false;
    m_c.filed = 0;
    std::vector<std::int32_t>& days = m_c.days;
    // The day of every note was noted as it was added; only a change of an
    // item's start makes them worth reading again (a note still in its
    // record cannot have changed).
    if (m_c.bDaysStale) {
        m_c.dayLo = std::numeric_limits<std::int32_t>::max();
        m_c.dayHi = std::numeric_limits<std::int32_t>::min();
        for (std::size_t i = 0; i < days.size(); ++i) {
            if (const CWVCellDataItem* item = m_c.items[i].item) {
                days[i] = DayNumberOf(item->GetFrom()).value_or(kNowhere);
            }
            if (days[i] != kNowhere) {
                m_c.dayLo = std::min(m_c.dayLo, days[i]);
                m_c.dayHi = std::max(m_c.dayHi, days[i]);
            }
        }
        m_c.bDaysStale = false;
    }
    if (m_c.dayLo > m_c.dayHi) {
        return;
    }
    const std::int32_t lo = m_c.dayLo;
    const auto span = static_cast<std::size_t>(static_cast<std::int64_t>(m_c.dayHi) - lo) + 1;
    // Room for the filed notes, and where they are written.
    std::int32_t* keys = nullptr;
    std::uint32_t* positions = nullptr;
    const auto room = [&](std::size_t filed) {
        m_c.filed = filed;
        m_c.dayKeys = std::make_unique_for_overwrite<std::int32_t[]>(filed);
        m_c.byDayAt = std::make_unique_for_overwrite<std::uint32_t[]>(filed);
        m_c.byDay = std::make_unique_for_overwrite<CWVCellDataItem*[]>(filed);
        keys = m_c.dayKeys.get();
        positions = m_c.byDayAt.get();
    };
    if (span <= 4 * days.size() + 1024) {
        // A counting sort over the days the notes span: two passes, and store
        // order kept within each day.
        std::vector<std::uint32_t> start(span + 1, 0);
        std::uint32_t* const next = start.data();
        for (const std::int32_t day : days) {
            if (day != kNowhere) {
                ++next[static_cast<std::size_t>(day - lo) + 1];
            }
        }
        for (std::size_t d = 1; d <= span; ++d) {
            next[d] += next[d - 1];
        }
        room(next[span]);
        for (std::size_t i = 0; i < days.size(); ++i) {
            const std::int32_t day = days[i];
            if (day != kNowhere) {
                const std::uint32_t to = next[static_cast<std::size_t>(day - lo)]++;
                keys[to] = day;
                positions[to] = static_cast<std::uint32_t>(i);
            }
        }
        return;
    }
    // Days spread over centuries: a sort of (day, position) pairs instead.
    std::vector<std::pair<std::int32_t, std::uint32_t>> order;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i] != kNowhere) {
            order.emplace_back(days[i], static_cast<std::uint32_t>(i));
        }
    }
    std::sort(order.begin(), order.end());
    room(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        keys[k] = order[k].first;
        positions[k] = order[k].second;
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
                            [id](const CEntry& e) { return e.id == id; });
    }
    const auto it =
        std::lower_bound(items.begin(), items.end(), id,
                         [](const CEntry& e, std::int32_t wanted) { return e.id < wanted; });
    return it != items.end() && it->id == id ? it : items.end();
}

CWVCellDataItem* CItemStore::Find(std::int32_t id) {
    const auto it = FindIn(*this, id);
    return it == m_c.items.end() ? nullptr : &Made(*it);
}

const CWVCellDataItem* CItemStore::Find(std::int32_t id) const {
    const auto it = FindIn(*this, id);
    return it == m_c.items.end() ? nullptr : &Made(*it);
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
