#pragma once
// CItemStore: the ordered list of the agenda's notes and the counter that hands
// out their identifiers. Items are owned here and keep their address for their
// whole life; other parts keep an item's id, not its address.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "colour.h"
#include "date_item.h"

namespace gestalia {

// What the calendar control hands to every new item.
struct CItemDefaults {
    Colour crBack = RGB(255, 255, 255);
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
    std::vector<std::unique_ptr<CWVCellDataItem>> m_items;
    std::int32_t m_nLastItemID = 0;
};

}  // namespace gestalia
