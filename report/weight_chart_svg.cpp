#include "report/weight_chart_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/spanish_text.h"
#include "model/timeline.h"

namespace gestalia {

namespace {

// The drawing's own units; the page scales it to its width.
constexpr double kWidth = 680;
constexpr double kHeight = 300;
constexpr double kLeft = 44;
constexpr double kRight = 14;
constexpr double kTop = 26;
constexpr double kBottom = 38;
constexpr int kWeekStep = 4;
// The band changes slope only at week 13: its corners are enough.
constexpr double kBandWeeks[] = {0, 13, kChartWeeks};

struct CKiloAxis {
    double low;
    double high;
    double step;  // between grid lines
};

CKiloAxis AxisFor(std::span<const CWeekWeight> points, const std::optional<CBandBasis>& band) {
    double low = INFINITY;
    double high = -INFINITY;
    for (const CWeekWeight& p : points) {
        low = std::min(low, p.kg);
        high = std::max(high, p.kg);
    }
    if (band) {
        for (const double week : kBandWeeks) {
            const CWeightBand b = RecommendedBand(band->fWeightBeforeKg, band->bmiClass, week);
            low = std::min(low, b.fLowKg);
            high = std::max(high, b.fHighKg);
        }
    }
    if (!(low <= high)) {
        low = 50;
        high = 80;
    }
    const double step = high - low > 40 ? 10 : 5;
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(std::ceil(high / step) * step, bottom + step);
    return {bottom, top, step};
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

double X(double week) {
    return kLeft + std::clamp(week, 0.0, kChartWeeks) / kChartWeeks * (kWidth - kLeft - kRight);
}

double Y(const CKiloAxis& axis, double kg) {
    return kTop + (axis.high - kg) / (axis.high - axis.low) * (kHeight - kTop - kBottom);
}

std::string Coordinates(double x, double y) {
    return Number(x) + "," + Number(y) + " ";
}

std::string Grid(const CKiloAxis& axis) {
    std::string svg = "<g class=\"grid\">";
    for (double kg = axis.low; kg <= axis.high + 1e-9; kg += axis.step) {
        const std::string y = Number(Y(axis, kg));
        svg += "<line x1=\"" + Number(kLeft) + "\" y1=\"" + y + "\" x2=\"" +
               Number(kWidth - kRight) + "\" y2=\"" + y + "\"/>";
        svg += "<text class=\"kg\" x=\"" + Number(kLeft - 6) + "\" y=\"" + y + "\">" +
               SpanishDecimal(kg, 0) + "</text>";
    }
    for (int week = 0; week <= kChartWeeks; week += kWeekStep) {
        const std::string x = Number(X(week));
        svg += "<line x1=\"" + x + "\" y1=\"" + Number(kTop) + "\" x2=\"" + x + "\" y2=\"" +
               Number(kHeight - kBottom) + "\"/>";
        svg += "<text class=\"week\" x=\"" + x + "\" y=\"" + Number(kHeight - kBottom + 14) +
               "\">" + std::to_string(week) + "</text>";
    }
    svg += "<text class=\"axis\" x=\"" + Number(kWidth - kRight) + "\" y=\"" + Number(kHeight - 4) +
           "\">semanas</text>";
    svg += "<text class=\"axis kg\" x=\"" + Number(kLeft - 6) + "\" y=\"" + Number(kTop - 14) +
           "\">kg</text></g>";
    return svg;
}

std::string Band(const CKiloAxis& axis, const CBandBasis& basis) {
    std::string upper;
    std::string lower;
    for (const double week : kBandWeeks) {
        const CWeightBand b = RecommendedBand(basis.fWeightBeforeKg, basis.bmiClass, week);
        upper += Coordinates(X(week), Y(axis, b.fHighKg));
        lower.insert(0, Coordinates(X(week), Y(axis, b.fLowKg)));
    }
    return "<polygon class=\"band\" points=\"" + upper + lower + "\"/>";
}

}  // namespace

std::vector<CWeekWeight> WeekWeights(const std::vector<CAgendaRecord>& notes,
                                     const CDating& dating) {
    std::vector<CWeekWeight> points;
    if (!DayNumberOf(dating.dtLastPeriod)) {
        return points;
    }
    for (const CAgendaRecord& note : notes) {
        if (!std::isfinite(note.fWeight) || note.fWeight <= 0 || !DayNumberOf(note.dtFrom)) {
            continue;
        }
        const std::int32_t days = ElapsedDays(note.dtFrom, dating.dtLastPeriod);
        if (days < 0 || days >= kChartWeeks * kDaysPerWeek) {
            continue;
        }
        points.push_back({days / static_cast<double>(kDaysPerWeek), note.fWeight});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const CWeekWeight& a, const CWeekWeight& b) { return a.week < b.week; });
    return points;
}

std::string WeightChartSvg(std::span<const CWeekWeight> points,
                           const std::optional<CBandBasis>& band) {
    const CKiloAxis axis = AxisFor(points, band);
    std::string svg = "<svg class=\"chart\" viewBox=\"0 0 " + Number(kWidth) + " " +
                      Number(kHeight) +
                      "\" role=\"img\" aria-labelledby=\"chart-title\"><title "
                      "id=\"chart-title\">Tu peso por semanas de embarazo</title>";
    svg += "<rect class=\"frame\" x=\"" + Number(kLeft) + "\" y=\"" + Number(kTop) + "\" width=\"" +
           Number(kWidth - kLeft - kRight) + "\" height=\"" + Number(kHeight - kTop - kBottom) +
           "\"/>";
    if (band) {
        svg += Band(axis, *band);
    }
    svg += Grid(axis);
    if (!points.empty()) {
        std::string line;
        std::string dots;
        for (const CWeekWeight& p : points) {
            const double x = X(p.week);
            const double y = Y(axis, p.kg);
            line += Coordinates(x, y);
            dots += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"3.5\"/>";
        }
        svg += "<polyline class=\"weights\" points=\"" + line + "\"/><g class=\"dots\">" + dots +
               "</g>";
    }
    return svg + "</svg>";
}

}  // namespace gestalia
