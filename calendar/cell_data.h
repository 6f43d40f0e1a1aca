#pragma once
// CWVCellData: one of the calendar's 42 day cells.

#include <cstdint>

#include "model/colour.h"
#include "model/date_value.h"
#include "model/palette.h"

namespace gestalia {

class CItemStore;

class CWVCellData {
  public:
    static constexpr Colour kDefaultBack = palette::kPaleYellow;

    CWVCellData(std::int32_t index, const CDateValue& created)
        : m_nIndex(index), m_dtDate(created) {}

    // The item at a point of this cell: the last item of the store, in store
    // order, whose line rectangle holds the point and whose start day is this
    // cell's day. Its id, 0 for none. A question only: it changes nothing.
    std::int32_t ItemAt(Point pt, const CItemStore& items) const;

    // The item found by the last hit test, by id; 0 for none. Kept as an id so
    // that an item deleted since is never read: look it up in the store.
    std::int32_t m_nHitItemId = 0;
    Colour m_crBack = kDefaultBack;
    std::int32_t m_bSelected = 0;
    std::int32_t m_bMarkerHit = 0;
    std::int32_t m_nIndex = 0;
    Rect m_rcCell;
    Rect m_rcLabel;
    Rect m_rcMarker;
    CDateValue m_dtDate;
};

}  // namespace gestalia
