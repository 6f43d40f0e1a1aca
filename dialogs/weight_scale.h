#pragma once
// The weight chart's scale, a pure function of the daily weight table.

#include <span>
#include <string>

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

// "%0.1f Kg" in the C locale, whatever the process locale is.
std::string FormatWeightLabel(double kg);

}  // namespace gestalia
