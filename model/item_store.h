#pragma once
// CItemStore: the ordered list of the agenda's notes and the counter that hands
// out their identifiers. Items are owned here and keep their address for their
// whole life; other parts keep an item's id, not its address. The items live
// side by side in a few large blocks (a deleted item's place serves the next
// new one); the texts of an agenda read at once stay in the file's bytes,
// which the store keeps, and each is turned into UTF-8, in blocks of its own,
// when it is first asked for; so a hundred thousand notes take a handful of
// allocations. The store also
// files its items by the calendar day they start on: an array of the items
// sorted by day, made again in one pass at the first question after any
// change of the items or of an item's start, so that a painter asks for the
// notes of one day without walking the whole store.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "colour.h"
#include "date_item.h"
#include "item_blocks.h"
#include "palette.h"
#include "text_blocks.h"

namespace gestalia {

// What the calendar control hands to every new item.
struct CItemDefaults {
    Colour crBack = palette::kWhite;
    std::int32_t b24HourTimes = 0;
    const CImageList* pImageList = nullptr;
    CDateValue dtCreated;  // the creation time of the record before it is filled
};

class CItemStore {
  public:
    CItemStore() = default;
    CItemStore(const CItemStore&) = delete;
    CItemStore& operator=(const CItemStore&) = delete;

    // Appends a new item and returns its id (last id + 1; the first is 1).
    std::int32_t AddItem(const CDateValue& from, const CDateValue& to, std::string text,
                         std::int32_t image, float weight, const CItemDefaults& defaults);
    // Keeps the bytes of a file read whole, as long as the items, and gives
    // them: the texts of its notes are used where they lie.
    std::string_view KeepFile(CFileBytes bytes) { return m_c.texts.Adopt(std::move(bytes)); }
    // The same as AddItem for a text in Windows-1252 inside bytes KeepFile
    // gave: it is turned into UTF-8 when it is first asked for.
    std::int32_t AddItemCoded(const CDateValue& from, const CDateValue& to, std::string_view coded,
                              std::int32_t image, float weight, const CItemDefaults& defaults) {
        CWVCellDataItem& item = NewItem(from, to, image, weight, defaults);
        item.m_strText.SetKept(coded, true);
        return item.GetID();
    }
    // Makes room for `count` more items at once.
    void Reserve(std::size_t count);
    // Puts the items that fill() adds in place of every item, with ids from
    // 1, and gives what fill() gives (a Result or a Status); when that is a
    // failure, or fill() throws, the store is left as it was before.
    template <class Fill>
    auto ReplaceAll(Fill&& fill) {
        CContents old = std::move(m_c);
        m_c = CContents();
        try {
            auto result = fill();
            if (!result) {
                m_c = std::move(old);
            }
            return result;
        } catch (...) {
            m_c = std::move(old);
            throw;
        }
    }
    void SetItemTask(std::int32_t id, std::int32_t flag);
    void SetItemColour(std::int32_t id, Colour colour);
    // True when an item with that id was removed.
    bool DeleteItem(std::int32_t id);
    // Removes every item; the id counter keeps rising.
    void DeleteAllItems();
    // Sets the id counter back to 0 (only the agenda reader does this).
    void ResetLastItemId() {
        m_c.nLastItemID = 0;
        m_c.bIdsRising = m_c.items.empty();
    }
    std::int32_t LastItemId() const { return m_c.nLastItemID; }

    // The first item with that id, or nullptr. Ids rise in store order until
    // the counter starts again after the largest one: until then this is a
    // binary search.
    CWVCellDataItem* Find(std::int32_t id);
    const CWVCellDataItem* Find(std::int32_t id) const;

    // Clears the selected mark of every item; the store notes which items an
    // item's SetSelected marked, so this does not walk the whole store.
    void DeselectAll();

    // The items whose start (m_dtFrom) falls on the calendar day of `day`, in
    // store order; empty for a day without items and for a date that is not
    // valid. Valid until the store or an item's start next changes.
    std::span<CWVCellDataItem* const> ItemsOfDay(const CDateValue& day);
    // Calls f(item) for each of those items, in store order.
    template <class F>
    void ForEachOfDay(const CDateValue& day, F&& f) const {
        for (const CWVCellDataItem* p : DayItems(day)) {
            f(*p);
        }
    }
    // Files every item by day now rather than at the next ItemsOfDay (the
    // agenda reader does so once it has added every note).
    void IndexByDay();

    std::size_t size() const { return m_c.items.size(); }
    bool empty() const { return m_c.items.empty(); }
    // Store order, head to tail.
    CWVCellDataItem& at(std::size_t i) { return *m_c.items.at(i).item; }
    const CWVCellDataItem& at(std::size_t i) const { return *m_c.items.at(i).item; }

    template <class F>
    void ForEach(F&& f) {
        for (const CEntry& e : m_c.items)
            f(*e.item);
    }
    template <class F>
    void ForEach(F&& f) const {
        for (const CEntry& e : m_c.items)
            f(static_cast<const CWVCellDataItem&>(*e.item));
    }

  private:
    friend class CWVCellDataItem;
    // A new item in the store with every field but its text set. Inline,
    // with the rare cases out of line, so that the hundred thousand notes
    // of an agenda read are made without a call each.
    CWVCellDataItem& NewItem(const CDateValue& from, const CDateValue& to, std::int32_t image,
                             float weight, const CItemDefaults& defaults);
    // The id of a new item; RestartIds when the counter is at its end. While
    // ids rise, each is above every id in the store.
    std::int32_t NextId() {
        if (m_c.nLastItemID == std::numeric_limits<std::int32_t>::max()) {
            return RestartIds();
        }
        return ++m_c.nLastItemID;
    }
    std::int32_t RestartIds();
    // The place of the last deleted item, for a new one.
    void* ReusePlace();
    // An item's start changed: the index by day is made again when next asked.
    void StartChanged() {
        m_c.bDayIndexStale = true;
        m_c.bDaysStale = true;
    }
    void Selected(CWVCellDataItem& item) { m_c.selected.push_back(&item); }
    // The index by day is kept up to date here; it is a cache of the items,
    // so a const store may bring it up to date too.
    std::span<CWVCellDataItem* const> DayItems(const CDateValue& day) const;
    void MakeDayIndex() const;
    template <class Self>
    static auto FindIn(Self& self, std::int32_t id) -> decltype(self.m_c.items.begin());

    // An item in store order, with the day number of its start (kNowhere for
    // a start that is not a valid date) as the store last worked it out.
    struct CEntry {
        CWVCellDataItem* item;
        mutable std::int32_t day;
    };
    static constexpr std::int32_t kNowhere = std::numeric_limits<std::int32_t>::min();

    // Everything the store holds, so that ReplaceAll can set it aside whole.
    struct CContents {
        CItemBlocks blocks;                  // the items themselves
        std::vector<CWVCellDataItem*> free;  // places of deleted items
        std::vector<CEntry> items;           // store order
        // Items marked selected since the last DeselectAll (some may have
        // been unmarked since, none deleted).
        std::vector<CWVCellDataItem*> selected;
        // Ids rise in store order, and the counter is at the largest: true
        // until the counter starts again with items in the store.
        bool bIdsRising = true;
        CTextBlocks texts;
        // The items with a valid start, sorted by its day number and, within
        // a day, in store order; dayKeys[i] is the day of byDay[i].
        mutable std::vector<std::int32_t> dayKeys;
        mutable std::vector<CWVCellDataItem*> byDay;
        mutable bool bDayIndexStale = false;
        mutable bool bDaysStale = false;  // an entry's day may not be its item's
        std::int32_t nLastItemID = 0;
    };
    CContents m_c;
};

inline CWVCellDataItem::CWVCellDataItem(CItemStore& store, std::int32_t id, const CDateValue& from,
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

inline CWVCellDataItem& CItemStore::NewItem(const CDateValue& from, const CDateValue& to,
                                            std::int32_t image, float weight,
                                            const CItemDefaults& defaults) {
    const std::int32_t id = NextId();
    void* const place = m_c.free.empty() ? m_c.blocks.Place() : ReusePlace();
    CWVCellDataItem* const item =
        ::new (place) CWVCellDataItem(*this, id, from, to, image, weight, defaults);
    m_c.items.push_back({item, DayNumberOf(from).value_or(kNowhere)});
    m_c.bDayIndexStale = true;
    return *item;
}

}  // namespace gestalia
