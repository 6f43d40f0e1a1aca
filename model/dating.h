#pragma once
// The pregnancy's dating as the window shows it: the last period she gave, or
// the one her first scan stands for while she dates by it, and the birth that
// ends the count.

#include <cstdint>
#include <optional>
#include <string>

#include "agenda_extension.h"
#include "date_value.h"
#include "timeline.h"

namespace gestalia {

struct CDating {
    CDateValue dtLastPeriod;  // every week and figure counts from here
    bool bByScan = false;     // dtLastPeriod comes from the scan
    std::optional<CDateValue> dtBirth;

    // The pregnancy is over on that day (the birth was on or before it).
    bool BornBy(const CDateValue& day) const;
};

// From her last period and the agenda's extension; a scan she does not date
// by, or one that gives no age, leaves her last period.
CDating EffectiveDating(const CDateValue& dtLastPeriod, const CAgendaExtension& extension);

// The pregnancy week labelled on a day, as PregnancyWeekAt, and none after
// the birth.
std::optional<int> DatedWeekAt(const CDateValue& dtDay, const CDating& dating);

// The three status texts for a day (as of now when `bNow`): the timeline's,
// the due date marked "(por ecografía)" while the scan dates ("Parto:
// 01/10/2024 (por ecografía)"); once the baby
// is born, the birth date, the baby's age and the age at birth.
struct CStatusTexts {
    std::string strDueDate;
    std::string strDaysLeft;
    std::string strWeeks;
};
CStatusTexts StatusTexts(const CDating& dating, const CDateValue& dtDay, bool bNow);

// "Nació el 30/09/2027"
std::string FormatBirthText(const CDateValue& dtBirth);
// "Tu bebé tiene 3 semanas y 2 días" on a day after the birth ("Tu bebé tiene
// 5 días" in its first week); "Tu bebé ha nacido hoy" on the day itself.
std::string FormatBabyAgeText(const CDateValue& dtBirth, const CDateValue& dtDay);
// "Nació con 39 semanas y 4 días" (of pregnancy)
std::string FormatAgeAtBirthText(const CDateValue& dtLastPeriod, const CDateValue& dtBirth);

}  // namespace gestalia
