#pragma once
// The pregnancy timeline: the one place where the 280-day gestation and the week
// rules live. Pure functions of their arguments.

#include <cstdint>
#include <optional>
#include <string>

#include "date_value.h"

namespace gestalia {

inline constexpr double kGestationDays = 280.0;
inline constexpr int kDaysPerWeek = 7;
inline constexpr int kTipWeeks = 42;          // tip week index 0 to 41
inline constexpr int kLastLabelledWeek = 42;  // week labels 0 to 42

struct TimelineFigures {
    CDateValue dtDue;               // last period + 280 days, same time of day
    std::int32_t nElapsedDays = 0;  // negative before the last period
    std::int32_t nDaysLeft = 0;     // zero or negative once due
    std::int32_t nWeeks = 0;        // nElapsedDays / 7, truncated
    std::int32_t nDaysInWeek = 0;   // remainder, with the sign of nElapsedDays
};

// As of now: elapsed days count whole calendar days (integer parts subtracted).
TimelineFigures TimelineAsOfNow(const CDateValue& dtLastPeriod, const CDateValue& dtNow);
// For a chosen day (at midnight): the real difference, truncated.
TimelineFigures TimelineForDay(const CDateValue& dtLastPeriod, const CDateValue& dtDay);

std::string FormatDueDateText(const TimelineFigures& f);  // "Fecha probable de parto: 08/10/2027"
// "Quedan 280 días para ver a tu bebé"; exactly one day: "Queda 1 día para ver a tu bebé".
std::string FormatDaysLeftText(const TimelineFigures& f);
// "3 semanas y 1 día": a count of exactly one is singular.
std::string WeeksAndDaysText(std::int32_t nWeeks, std::int32_t nDays);
// "Estás de 0 semanas y 0 días"; a count of exactly one is singular ("1 semana", "1 día").
std::string FormatWeeksText(const TimelineFigures& f);

// Week index into the tip table (0 to 41) for elapsed days -6 to 293; none otherwise.
std::optional<int> TipWeekIndex(std::int32_t nElapsedDays);
// Week number 0 to 42 when dtDay is the first day of a pregnancy week.
std::optional<int> PregnancyWeekAt(const CDateValue& dtDay, const CDateValue& dtLastPeriod);

// Whole days from the last period to a day: the span truncated towards zero.
std::int32_t ElapsedDays(const CDateValue& dtDay, const CDateValue& dtLastPeriod);

}  // namespace gestalia
