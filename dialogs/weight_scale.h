#pragma once
// The weight chart's scale, a pure function of the daily weight table.

#include <span>
#include <string>

#include "model/colour.h"
#include "model/globals.h"

namespace gestalia {

// Kilograms. top and bottom are multiples of 10 (top strictly above the
// largest weight's whole part, bottom at or below the smallest one's); lower
// and upper split the range in thirds and sit at the two grid lines.
struct CWeightScale {
    double top = 0.0;
    double bottom = 0.0;
    double lower = 0.0;
    double upper = 0.0;
    double range = 0.0;  // top - bottom, always above 0
};

// Entries of 0 mean "no weight" and are skipped. With no weight the scale
// runs from 50 to 160; when no weight is below 200 the bottom is 50.
CWeightScale ComputeWeightScale(std::span<const float> weights);
// The same scale, taking in two more weights (the recommended band's lowest
// and highest) as if they were on the chart too.
CWeightScale ComputeWeightScale(std::span<const float> weights, double extraLowKg,
                                double extraHighKg);
// The same scale, taking in the lowest and highest weights of `extra` (the
// recommended band) as if they were weights too.
CWeightScale ComputeWeightScale(std::span<const float> weights, double extraLowKg,
                                double extraHighKg);

// "61,5 kg": one decimal after a comma, whatever the process locale is.
std::string FormatWeightLabel(double kg);

// Where the chart draws inside its frame (pixels). The dots' centres keep
// more than a dot's radius and pen from the frame, so that no dot lies on it.
inline constexpr int kPlotInset = 5;
Rect PlotArea(const Rect& frame);
// The x of day `day` (0 to kChartDays - 1): the first day on the plot's
// left column, the last on its right one.
double DayX(const Rect& plot, int day);
// The y of a weight: the scale's bottom on the plot's last row, its top on
// the first.
double WeightY(const Rect& plot, const CWeightScale& scale, double kg);

}  // namespace gestalia
