#include "model/weight_gain.h"

#include <algorithm>
#include <cmath>

#include "model/spanish_text.h"

namespace gestalia {

namespace {

constexpr double kFirstTrimesterWeeks = 13;
constexpr double kFirstTrimesterLowKg = 0.5;
constexpr double kFirstTrimesterHighKg = 2;

constexpr CGainRecommendation kRecommendations[] = {
    {BmiClass::underweight, "bajo peso", 12.5, 18, 0.44, 0.58},
    {BmiClass::normal, "normal", 11.5, 16, 0.35, 0.50},
    {BmiClass::overweight, "sobrepeso", 7, 11.5, 0.23, 0.33},
    {BmiClass::obese, "obesidad", 5, 9, 0.17, 0.27},
};

// A number of kilos as the table writes it: "16", "11,5".
std::string Kilos(double kg) {
    return SpanishDecimal(kg, std::round(kg) == kg ? 0 : 1);
}

}  // namespace

std::optional<double> BodyMassIndex(double heightCm, double weightKg) {
    if (!(heightCm > 0) || !(weightKg > 0)) {
        return std::nullopt;
    }
    const double metres = heightCm / 100;
    return weightKg / (metres * metres);
}

BmiClass ClassOfBmi(double bmi) {
    // Classed as it is shown, to one decimal: 24.96 is "25,0" and overweight.
    bmi = std::round(bmi * 10) / 10;
    if (bmi < 18.5) {
        return BmiClass::underweight;
    }
    if (bmi < 25) {
        return BmiClass::normal;
    }
    if (bmi < 30) {
        return BmiClass::overweight;
    }
    return BmiClass::obese;
}

const CGainRecommendation& RecommendationFor(BmiClass bmiClass) {
    return kRecommendations[static_cast<int>(bmiClass)];
}

CWeightBand RecommendedBand(double weightBeforeKg, BmiClass bmiClass, double week) {
    const CGainRecommendation& r = RecommendationFor(bmiClass);
    const double w = std::max(0.0, week);
    if (w <= kFirstTrimesterWeeks) {
        const double share = w / kFirstTrimesterWeeks;
        return {weightBeforeKg + kFirstTrimesterLowKg * share,
                weightBeforeKg + kFirstTrimesterHighKg * share};
    }
    const double after = w - kFirstTrimesterWeeks;
    return {weightBeforeKg + kFirstTrimesterLowKg + r.fWeeklyLowKg * after,
            weightBeforeKg + kFirstTrimesterHighKg + r.fWeeklyHighKg * after};
}

std::string BmiCaption(double bmi) {
    return "IMC " + SpanishDecimal(bmi, 1) + " (" + RecommendationFor(ClassOfBmi(bmi)).szName + ")";
}

std::string GainCaption(double bmi) {
    const CGainRecommendation& r = RecommendationFor(ClassOfBmi(bmi));
    return BmiCaption(bmi) + ": ganancia recomendada " + Kilos(r.fTotalLowKg) + "–" +
           Kilos(r.fTotalHighKg) + " kg";
}

}  // namespace gestalia
