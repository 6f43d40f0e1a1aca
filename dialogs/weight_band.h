#pragma once
// The recommended gain on the weight chart: the band between the lowest and
// highest weight recommended for her week (model/weight_gain.h, IOM 2009),
// drawn behind her dots. Pure functions shared by the paint and the tests.

#include <optional>
#include <string>
#include <vector>

#include "dialogs/weight_scale.h"
#include "model/weight_gain.h"

namespace gestalia {

struct CDating;
class CDateValue;

// What the band of a chart needs. Chart day 0 is the last period she gave;
// her weeks count from the effective one (her scan's, while she dates by
// it), nDayShift days earlier.
struct CChartBand {
    double fWeightBeforeKg = 0;
    BmiClass bmiClass = BmiClass::normal;
    int nDayShift = 0;
};

// The band for her profile and dating; nothing without a profile, or for
// twins, whose ranges are only provisional.
std::optional<CChartBand> ChartBandOf(const std::optional<CProfile>& profile,
                                      const CDateValue& dtChartStart, const CDating& dating);

// The week of pregnancy of a chart day, in fractions of a week.
double WeekOfChartDay(const CChartBand& band, double day);
// The band on that chart day.
CWeightBand BandOnChartDay(const CChartBand& band, double day);
// The lowest and highest weight of the band over the chart's days, for the
// scale to take in.
CWeightBand BandExtent(const CChartBand& band);

// The day that pixel column x of the plot stands for: DayX's inverse.
double DayAtX(const Rect& plot, int x);
// The band as one rectangle per pixel column of the plot, from the y of its
// highest weight to that of its lowest, both rows included.
std::vector<Rect> BandColumns(const Rect& plot, const CWeightScale& scale, const CChartBand& band);

// The chart's caption: her index and class and the recommended total gain;
// with twins why there is no band; without a profile how to see it.
std::string ChartCaption(const std::optional<CProfile>& profile);

}  // namespace gestalia
