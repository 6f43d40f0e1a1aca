#pragma once
// The report's weight chart as inline SVG: her weights by week of pregnancy,
// over the band of recommended weight when there is one.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/agenda_file.h"
#include "model/dating.h"
#include "model/weight_gain.h"

namespace gestalia {

inline constexpr double kChartWeeks = 42;  // the chart runs from week 0 to week 42

struct CWeekWeight {
    double week;  // from the last period, with its fraction of days
    double kg;
};

// The notes' weights by week, in the dating's count: a note's week is its
// whole days from the last period over seven. Notes before day 0 or from week
// 42 on, and notes with no weight, are left out; in date order.
std::vector<CWeekWeight> WeekWeights(const std::vector<CAgendaRecord>& notes,
                                     const CDating& dating);

// Who the band is drawn for: a single pregnancy with a profile.
struct CBandBasis {
    double fWeightBeforeKg;
    BmiClass bmiClass;
};

// The whole <svg> element, sized by its container; its kilogram axis covers
// every point and the whole band.
std::string WeightChartSvg(std::span<const CWeekWeight> points,
                           const std::optional<CBandBasis>& band);

}  // namespace gestalia
