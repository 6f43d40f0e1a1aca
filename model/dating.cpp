#include "model/dating.h"

#include "model/scan_dating.h"

namespace gestalia {

namespace {

std::string WeeksAndDays(std::int32_t days) {
    return WeeksAndDaysText(days / kDaysPerWeek, days % kDaysPerWeek);
}

std::int32_t DaysBetween(const CDateValue& from, const CDateValue& to) {
    return ElapsedDays(to.GetDatePart(), from.GetDatePart());
}

}  // namespace

bool CDating::BornBy(const CDateValue& day) const {
    return dtBirth.has_value() && day.IsValid() && DaysBetween(*dtBirth, day) >= 0;
}

CDating EffectiveDating(const CDateValue& dtLastPeriod, const CAgendaExtension& extension) {
    CDating dating;
    dating.dtLastPeriod = dtLastPeriod;
    if (const std::optional<CScanDating> scan = extension.Scan(); scan && scan->bChosen) {
        if (const std::optional<CDateValue> byScan = LastPeriodByScan(*scan)) {
            dating.dtLastPeriod = *byScan;
            dating.bByScan = true;
        }
    }
    dating.dtBirth = extension.Birth();
    return dating;
}

std::optional<int> DatedWeekAt(const CDateValue& dtDay, const CDating& dating) {
    if (dating.dtBirth && DaysBetween(*dating.dtBirth, dtDay) > 0) {
        return std::nullopt;
    }
    return PregnancyWeekAt(dtDay, dating.dtLastPeriod);
}

CStatusTexts StatusTexts(const CDating& dating, const CDateValue& dtDay, bool bNow) {
    if (dating.BornBy(dtDay)) {
        return {FormatBirthText(*dating.dtBirth), FormatBabyAgeText(*dating.dtBirth, dtDay),
                FormatAgeAtBirthText(dating.dtLastPeriod, *dating.dtBirth)};
    }
    const TimelineFigures f = bNow ? TimelineAsOfNow(dating.dtLastPeriod, dtDay)
                                   : TimelineForDay(dating.dtLastPeriod, dtDay);
    // By the scan the box says so, in words short enough for it to show whole.
    std::string due = dating.bByScan ? "Parto: " + f.dtDue.Format("%d/%m/%Y") + " (por ecografía)"
                                     : FormatDueDateText(f);
    return {std::move(due), FormatDaysLeftText(f), FormatWeeksText(f)};
}

std::string FormatBirthText(const CDateValue& dtBirth) {
    return "Nació el " + dtBirth.Format("%d/%m/%Y");
}

std::string FormatBabyAgeText(const CDateValue& dtBirth, const CDateValue& dtDay) {
    const std::int32_t days = DaysBetween(dtBirth, dtDay);
    if (days == 0) {
        return "Tu bebé ha nacido hoy";
    }
    if (days < kDaysPerWeek) {
        return "Tu bebé tiene " + std::to_string(days) + (days == 1 ? " día" : " días");
    }
    return "Tu bebé tiene " + WeeksAndDays(days);
}

std::string FormatAgeAtBirthText(const CDateValue& dtLastPeriod, const CDateValue& dtBirth) {
    return "Nació con " + WeeksAndDays(DaysBetween(dtLastPeriod, dtBirth));
}

}  // namespace gestalia
