#include "dialogs/weight_scale.h"

#include <array>
#include <cmath>

#include "model/spanish_text.h"

namespace gestalia {

namespace {

constexpr double kNoMaximum = 0.0;
constexpr double kNoMinimum = 200.0;
constexpr double kDefaultMaximum = 150.0;
constexpr double kDefaultMinimum = 50.0;
constexpr double kStep = 10.0;

// Integer division of the truncated value by 10, truncating towards zero, done
// in floating point so that no weight read from a file can overflow an int.
double TensOf(double value) {
    return std::trunc(std::trunc(value) / kStep);
}

// Widens [minimum, maximum] to the weights that are not 0.
void TakeIn(std::span<const float> weights, double& minimum, double& maximum) {
    for (const float v : weights) {
        if (v == 0.0f) {
            continue;
        }
        if (v > maximum) {
            maximum = v;
        }
        if (v < minimum) {
            minimum = v;
        }
    }
}

CWeightScale ScaleOf(double minimum, double maximum) {
    if (maximum == kNoMaximum) {
        maximum = kDefaultMaximum;
    }
    // Only weights below 200 move the minimum; without one the bottom is 50.
    if (minimum == kNoMinimum) {
        minimum = kDefaultMinimum;
    }

    CWeightScale scale;
    scale.top = (TensOf(maximum) + 1.0) * kStep;
    scale.bottom = TensOf(minimum) * kStep;
    scale.range = scale.top - scale.bottom;
    scale.lower = scale.bottom + scale.range / 3.0;
    scale.upper = scale.bottom + 2.0 * scale.range / 3.0;
    return scale;
}

}  // namespace

CWeightScale ComputeWeightScale(std::span<const float> weights) {
    double minimum = kNoMinimum;
    double maximum = kNoMaximum;
    TakeIn(weights, minimum, maximum);
    return ScaleOf(minimum, maximum);
}

CWeightScale ComputeWeightScale(std::span<const float> weights, double extraLowKg,
                                double extraHighKg) {
    double minimum = kNoMinimum;
    double maximum = kNoMaximum;
    TakeIn(weights, minimum, maximum);
    const std::array<float, 2> extra{static_cast<float>(extraLowKg),
                                     static_cast<float>(extraHighKg)};
    TakeIn(extra, minimum, maximum);
    return ScaleOf(minimum, maximum);
}

std::string FormatWeightLabel(double kg) {
    return SpanishDecimal(kg, 1) + " kg";
}

Rect PlotArea(const Rect& frame) {
    return {frame.left + kPlotInset, frame.top + kPlotInset, frame.right - kPlotInset,
            frame.bottom - kPlotInset};
}

double DayX(const Rect& plot, int day) {
    return plot.left + (plot.Width() - 1) * (day / static_cast<double>(kChartDays - 1));
}

double WeightY(const Rect& plot, const CWeightScale& scale, double kg) {
    return (plot.bottom - 1) - ((kg - scale.bottom) / scale.range) * (plot.Height() - 1);
}

}  // namespace gestalia
