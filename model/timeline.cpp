#include "model/timeline.h"

#include <cmath>
#include <limits>

namespace gestalia {

namespace {

std::int32_t Saturate(std::int64_t x) {
    if (x > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (x < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(x);
}

CDateValue DueDate(const CDateValue& dtLastPeriod) {
    CDateValue due = dtLastPeriod;
    due.AddDays(kGestationDays);
    return due;
}

// "1 semana", "3 semanas": only exactly one is singular; zero and negative
// counts keep the plural.
std::string CountText(std::int32_t n, const char* singular, const char* plural) {
    return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

void SplitWeeks(TimelineFigures& f) {
    f.nWeeks = f.nElapsedDays / kDaysPerWeek;
    f.nDaysInWeek = f.nElapsedDays % kDaysPerWeek;
}

}  // namespace

std::int32_t ElapsedDays(const CDateValue& dtDay, const CDateValue& dtLastPeriod) {
    return (dtDay - dtLastPeriod).WholeDays();
}

TimelineFigures TimelineAsOfNow(const CDateValue& dtLastPeriod, const CDateValue& dtNow) {
    TimelineFigures f;
    const std::int32_t today = TruncateDays(dtNow.GetRaw());
    const std::int32_t lastPeriodDay = TruncateDays(dtLastPeriod.GetRaw());
    f.nElapsedDays = Saturate(static_cast<std::int64_t>(today) - lastPeriodDay);
    f.dtDue = DueDate(dtLastPeriod);
    // Today's day number is the linear value of today's midnight.
    f.nDaysLeft = (f.dtDue - CDateValue::FromRaw(today, DateStatus::valid)).WholeDays();
    SplitWeeks(f);
    return f;
}

TimelineFigures TimelineForDay(const CDateValue& dtLastPeriod, const CDateValue& dtDay) {
    TimelineFigures f;
    f.nElapsedDays = ElapsedDays(dtDay, dtLastPeriod);
    f.dtDue = DueDate(dtLastPeriod);
    f.nDaysLeft = (f.dtDue - dtDay).WholeDays();
    SplitWeeks(f);
    return f;
}

std::string FormatDueDateText(const TimelineFigures& f) {
    return "Fecha probable de parto: " + f.dtDue.Format("%d/%m/%Y");
}

std::string FormatDaysLeftText(const TimelineFigures& f) {
    if (f.nDaysLeft == 1) {
        return "Queda 1 día para ver a tu bebé";
    }
    return "Quedan " + std::to_string(f.nDaysLeft) + " días para ver a tu bebé";
}

std::string WeeksAndDaysText(std::int32_t nWeeks, std::int32_t nDays) {
    return CountText(nWeeks, "semana", "semanas") + " y " + CountText(nDays, "día", "días");
}

std::string FormatWeeksText(const TimelineFigures& f) {
    return "Estás de " + WeeksAndDaysText(f.nWeeks, f.nDaysInWeek);
}

std::optional<int> TipWeekIndex(std::int32_t nElapsedDays) {
    const int week = nElapsedDays / kDaysPerWeek;
    if (week < 0 || week >= kTipWeeks) {
        return std::nullopt;
    }
    return week;
}

std::optional<int> PregnancyWeekAt(const CDateValue& dtDay, const CDateValue& dtLastPeriod) {
    const std::int32_t elapsed = ElapsedDays(dtDay, dtLastPeriod);
    if (elapsed % kDaysPerWeek != 0) {
        return std::nullopt;
    }
    const int week = elapsed / kDaysPerWeek;
    if (week < 0 || week > kLastLabelledWeek) {
        return std::nullopt;
    }
    return week;
}

}  // namespace gestalia
