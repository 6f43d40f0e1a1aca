#include "dialogs/weight_band.h"

#include <cmath>

#include "model/dating.h"
#include "model/timeline.h"

namespace gestalia {

std::optional<CChartBand> ChartBandOf(const std::optional<CProfile>& profile,
                                      const CDateValue& dtChartStart, const CDating& dating) {
    if (!profile || profile->bTwins) {
        return std::nullopt;
    }
    const std::optional<double> bmi = BodyMassIndex(profile->fHeightCm, profile->fWeightBeforeKg);
    if (!bmi) {
        return std::nullopt;
    }
    const int shift = ElapsedDays(dtChartStart.GetDatePart(), dating.dtLastPeriod.GetDatePart());
    return CChartBand{profile->fWeightBeforeKg, ClassOfBmi(*bmi), shift};
}

double WeekOfChartDay(const CChartBand& band, double day) {
    return (day + band.nDayShift) / static_cast<double>(kDaysPerWeek);
}

CWeightBand BandOnChartDay(const CChartBand& band, double day) {
    return RecommendedBand(band.fWeightBeforeKg, band.bmiClass, WeekOfChartDay(band, day));
}

CWeightBand BandExtent(const CChartBand& band) {
    // The band only rises with the weeks.
    return {BandOnChartDay(band, 0).fLowKg, BandOnChartDay(band, kChartDays - 1).fHighKg};
}

double DayAtX(const Rect& plot, int x) {
    return (x - plot.left) * (kChartDays - 1) / static_cast<double>(plot.Width() - 1);
}

std::vector<Rect> BandColumns(const Rect& plot, const CWeightScale& scale, const CChartBand& band) {
    std::vector<Rect> columns;
    if (plot.Width() < 2) {
        return columns;
    }
    columns.reserve(static_cast<std::size_t>(plot.Width()));
    for (int x = plot.left; x < plot.right; ++x) {
        const CWeightBand kg = BandOnChartDay(band, DayAtX(plot, x));
        const int top = static_cast<int>(std::floor(WeightY(plot, scale, kg.fHighKg)));
        const int bottom = static_cast<int>(std::floor(WeightY(plot, scale, kg.fLowKg)));
        columns.push_back(Rect{x, top, x + 1, bottom + 1});
    }
    return columns;
}

std::string ChartCaption(const std::optional<CProfile>& profile) {
    if (!profile) {
        return "Pon tu altura y tu peso de antes en «Perfil» para ver la ganancia recomendada.";
    }
    const std::optional<double> bmi = BodyMassIndex(profile->fHeightCm, profile->fWeightBeforeKg);
    if (!bmi) {
        return {};
    }
    if (profile->bTwins) {
        return BmiCaption(*bmi) +
               ". Con embarazo gemelar no se dibuja la banda: la referencia (IOM 2009) solo da "
               "rangos provisionales.";
    }
    return GainCaption(*bmi) + ". La banda es la ganancia recomendada por semana (IOM 2009).";
}

}  // namespace gestalia
