#pragma once
// CItemStore: the ordered list of the agenda's notes and the counter that hands
// out their identifiers. Items are owned here and keep their address for their
// whole life; other parts keep an item's id, not its address. The store also
// files its items by the calendar day they start on, kept in step with every
// operation and with every change of an item's start, so that a painter asks
// for the notes of one day without walking the whole store.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "colour.h"
#include "date_item.h"
#include "palette.h"

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
    void SetItemTask(std::int32_t id, std::int32_t flag);
    void SetItemColour(std::int32_t id, Colour colour);
    // True when an item with that id was removed.
    bool DeleteItem(std::int32_t id);
    // Removes every item; the id counter keeps rising.
    void DeleteAllItems();
    // Sets the id counter back to 0 (only the agenda reader does this).
    void ResetLastItemId() { m_nLastItemID = 0; }
    std::int32_t LastItemId() const { return m_nLastItemID; }

    // The first item with that id, or nullptr.
    CWVCellDataItem* Find(std::int32_t id);
    const CWVCellDataItem* Find(std::int32_t id) const;

    // The items whose start (m_dtFrom) falls on the calendar day of `day`, in
    // store order; empty for a day without items and for a date that is not
    // valid. Valid until the store or an item's start next changes.
    std::span<CWVCellDataItem* const> ItemsOfDay(const CDateValue& day);

    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    // Store order, head to tail.
    CWVCellDataItem& at(std::size_t i) { return *m_items.at(i); }
    const CWVCellDataItem& at(std::size_t i) const { return *m_items.at(i); }

    template <class F>
    void ForEach(F&& f) {
        for (auto& p : m_items)
            f(*p);
    }
    template <class F>
    void ForEach(F&& f) const {
        for (const auto& p : m_items)
            f(static_cast<const CWVCellDataItem&>(*p));
    }

  private:
    friend class CWVCellDataItem;
    // Files the item under its start day, or takes it out; an item whose start
    // is not a valid date is filed nowhere.
    void File(CWVCellDataItem& item);
    void Unfile(const CWVCellDataItem& item);

    std::vector<std::unique_ptr<CWVCellDataItem>> m_items;
    // Day number -> the items of that day, in store order.
    std::unordered_map<std::int32_t, std::vector<CWVCellDataItem*>> m_byDay;
    std::uint64_t m_nNextOrder = 0;
    std::int32_t m_nLastItemID = 0;
};

}  // namespace gestalia
