#pragma once
// NMWMDATECTRL: the record the calendar sends its parent with every notification.

#include <cstdint>

#include "model/colour.h"

namespace gestalia {

class CWVCellData;
class CWVCellDataItem;

inline constexpr std::int32_t NM_CLICK = -2;
inline constexpr std::int32_t NM_DBLCLK = -3;
inline constexpr std::int32_t NM_RCLICK = -5;

struct NMHDR {
    std::uintptr_t idFrom = 0;  // the control id (1000 on the main window)
    std::int32_t code = 0;      // NM_CLICK, NM_DBLCLK or NM_RCLICK
};

// The references are valid only while the notification is being handled.
struct NMWMDATECTRL {
    NMHDR hdr;
    CWVCellData* pCell = nullptr;      // the selected cell, or none
    CWVCellDataItem* pItem = nullptr;  // its hit item, or none
    Point pt;
    std::int32_t bMarker = 0;
    std::int32_t nItemId = 0;  // pItem's id, 0 when none
};

}  // namespace gestalia
