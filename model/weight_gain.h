#pragma once
// Her weight in context: her body mass index before pregnancy and the weight
// gain recommended for it. Pure functions of their arguments.
//
// The ranges are those of the Institute of Medicine (now the National Academy
// of Medicine), "Weight Gain During Pregnancy: Reexamining the Guidelines"
// (2009), table S-1, for a single pregnancy. For twins the report gives only
// provisional ranges, so no band is drawn for them.
//
// The band over the weeks: until week 13 it rises in a straight line from
// the weight before pregnancy W0 to [W0 + 0.5, W0 + 2] kg (the report's first
// trimester gain); after week 13 it is
// [W0 + 0.5 + low rate * (w - 13), W0 + 2 + high rate * (w - 13)].

#include <optional>
#include <string>

namespace gestalia {

// What she tells of herself once: her height, her weight before pregnancy,
// and whether she expects twins.
struct CProfile {
    double fHeightCm = 0;
    double fWeightBeforeKg = 0;
    bool bTwins = false;

    friend bool operator==(const CProfile&, const CProfile&) = default;
};

// The values the profile takes, both ends included.
inline constexpr double kMinHeightCm = 100;
inline constexpr double kMaxHeightCm = 230;
inline constexpr double kMinWeightBeforeKg = 30;
inline constexpr double kMaxWeightBeforeKg = 250;

enum class BmiClass { underweight, normal, overweight, obese };

struct CGainRecommendation {
    BmiClass bmiClass;
    const char* szName;  // "bajo peso", "normal", "sobrepeso", "obesidad"
    double fTotalLowKg;  // the whole pregnancy
    double fTotalHighKg;
    double fWeeklyLowKg;  // each week after week 13
    double fWeeklyHighKg;
};

// Weight in kg over the square of the height in metres; nothing for a
// height or weight that is not positive.
std::optional<double> BodyMassIndex(double heightCm, double weightKg);
// Under 18.5, under 25, under 30, and from 30 on, for the index rounded to
// one decimal as it is shown.
BmiClass ClassOfBmi(double bmi);
const CGainRecommendation& RecommendationFor(BmiClass bmiClass);

struct CWeightBand {
    double fLowKg;
    double fHighKg;
};
// The band at `week` (a fraction of weeks from the last period, 0 or more).
CWeightBand RecommendedBand(double weightBeforeKg, BmiClass bmiClass, double week);

// "IMC 22,0 (normal)".
std::string BmiCaption(double bmi);
// "IMC 22,0 (normal): ganancia recomendada 11,5–16 kg".
std::string GainCaption(double bmi);

}  // namespace gestalia
