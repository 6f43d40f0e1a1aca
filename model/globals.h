#pragma once
// The state that one run of the program shares between its windows: the
// last-period date, the notes, the agenda path and the texts of the day panels.
// It lives in one object that the entry point creates; every test makes its own.

#include <array>
#include <string>

#include "agenda_extension.h"
#include "date_value.h"
#include "item_store.h"

namespace gestalia {

inline constexpr int kChartDays = 294;  // days of pregnancy the weight chart spans

struct CGlobals {
    CDateValue dtLastPeriod;   // the anchor of every figure
    CItemStore listItems;      // the agenda's notes
    std::string szAgendaPath;  // empty: no agenda
    // The rest of the agenda: the first scan, the birth, and keys of later
    // versions, read and saved with it.
    CAgendaExtension extension;

    // Texts last shown in the day panels, put back after a re-layout (UTF-8).
    std::string szMonthText;
    std::string szDayText;
    std::string szTipText;
    std::string szLinkTitle;
    std::string szLinkUrl;

    // Largest weight of each day of pregnancy, 0 for none; filled by "Peso".
    std::array<float, kChartDays> afDailyWeights{};
};

}  // namespace gestalia
