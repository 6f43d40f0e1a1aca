#pragma once
// NMWMDATECTRL: the record the calendar sends its parent with every notification.

#include <cstdint>

#include "model/colour.h"
#include "model/date_value.h"

namespace gestalia {

class CWVCellData;
class CWVCellDataItem;

inline constexpr std::int32_t NM_CLICK = -2;
inline constexpr std::int32_t NM_DBLCLK = -3;
inline constexpr std::int32_t NM_RCLICK = -5;
// A key on the chosen day that no mouse notification stands for (Delete):
// nKey names it, pItem the chosen note.
inline constexpr std::int32_t NM_KEYDOWN = -15;
// The keyboard moved the chosen day off the six shown weeks: the parent shows
// the month of dtDay, as its month arrows do.
inline constexpr std::int32_t WMN_SHOWMONTH = -1001;

struct NMHDR {
    std::uintptr_t idFrom = 0;  // the control id (1000 on the main window)
    std::int32_t code = 0;      // NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_KEYDOWN or WMN_SHOWMONTH
};

// The references are valid only while the notification is being handled.
struct NMWMDATECTRL {
    NMHDR hdr;
    CWVCellData* pCell = nullptr;      // the selected cell, or none
    CWVCellDataItem* pItem = nullptr;  // its hit item, or none
    Point pt;
    std::int32_t bMarker = 0;
    std::int32_t nItemId = 0;  // pItem's id, 0 when none
    std::int32_t nKey = 0;     // NM_KEYDOWN: the key (calendar/keys.h)
    CDateValue dtDay;          // the chosen day (keyboard notifications)
};

}  // namespace gestalia
