#include "dialogs/dlg_peso.h"

#include <cmath>
#include <string>

#include "calendar/draw_surface.h"
#include "dialogs/weight_band.h"
#include "dialogs/weight_scale.h"
#include "model/dating.h"
#include "model/globals.h"
#include "model/palette.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

constexpr int kDotPenWidth = 3;
constexpr int kDaysPerWeek = 7;
constexpr int kNumberedWeeks = 4;  // every fourth week has its number
constexpr int kShortTick = 3;
constexpr int kLongTick = 6;
constexpr int kWeekLabelHalfWidth = 12;
constexpr int kWeekLabelHeight = 16;
constexpr int kWeekFontTenths = 80;
constexpr double kDotRadius = 2.0;
// Far outside any window, and well inside int: where out-of-range coordinates
// end up instead of overflowing.
constexpr double kCoordinateLimit = 1.0e6;

// Truncation towards zero, kept within a range that any surface can take.
int TruncToPixel(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v > kCoordinateLimit) {
        v = kCoordinateLimit;
    } else if (v < -kCoordinateLimit) {
        v = -kCoordinateLimit;
    }
    return static_cast<int>(v);
}

// The weeks on the day axis: a tick on the frame's bottom edge at the first
// day of every week, and under the frame the number of every fourth week.
void PaintWeeks(IDrawSurface& surface, const Rect& frame, const Rect& plot) {
    surface.SetFont(CFontSpec{"TAHOMA", kWeekFontTenths, 400});
    surface.SetTextColour(palette::kBlack);
    for (int week = 0; week * kDaysPerWeek < kChartDays; ++week) {
        const int x = TruncToPixel(DayX(plot, week * kDaysPerWeek));
        const bool numbered = week % kNumberedWeeks == 0;
        const int tick = numbered ? kLongTick : kShortTick;
        surface.Line(Point{x, frame.bottom - tick}, Point{x, frame.bottom}, palette::kBlack);
        if (numbered) {
            surface.DrawText(std::to_string(week),
                             Rect{x - kWeekLabelHalfWidth, frame.bottom + 1,
                                  x + kWeekLabelHalfWidth, frame.bottom + 1 + kWeekLabelHeight},
                             kTextCentre | kTextSingleLine);
        }
    }
}

void SetTextIfChanged(IDialogWindow& window, int id, const std::string& text) {
    // Setting a label repaints it; only a real change should.
    if (window.GetControlText(id) != text) {
        window.SetControlText(id, text);
    }
}

}  // namespace

bool DlgPeso::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);
    window.SetControlText(IDC_CHART_CAPTION, ChartCaption(m_globals.extension.Profile()));
    return true;
}

std::optional<CChartBand> DlgPeso::Band() const {
    return ChartBandOf(m_globals.extension.Profile(), m_globals.dtLastPeriod,
                       EffectiveDating(m_globals.dtLastPeriod, m_globals.extension));
}

void DlgPeso::OnPaint(IDrawSurface& surface) {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    const auto& weights = m_globals.afDailyWeights;
    const std::optional<CChartBand> band = Band();
    CWeightScale scale = ComputeWeightScale(weights);
    if (band) {
        const CWeightBand extent = BandExtent(*band);
        scale = ComputeWeightScale(weights, extent.fLowKg, extent.fHighKg);
    }

    SetTextIfChanged(*window, IDC_CHART_TOP, FormatWeightLabel(scale.top));
    SetTextIfChanged(*window, IDC_CHART_BOTTOM, FormatWeightLabel(scale.bottom));
    SetTextIfChanged(*window, IDC_CHART_LOWER, FormatWeightLabel(scale.lower));
    SetTextIfChanged(*window, IDC_CHART_UPPER, FormatWeightLabel(scale.upper));

    // The frame, and inside it the plot, which keeps the dots off the frame.
    const Rect rc = window->GetControlRect(IDC_CHART_AREA);
    const Rect plot = PlotArea(rc);
    surface.FillRect(rc, palette::kWhite);

    // The recommended band, behind the grid and the dots.
    if (band) {
        for (const Rect& column : BandColumns(plot, scale, *band)) {
            surface.FillRect(column, palette::kChartBandGreen);
        }
    }

    // Grid lines at the heights of lower and upper.
    for (const double kg : {scale.lower, scale.upper}) {
        const int y = TruncToPixel(WeightY(plot, scale, kg));
        surface.Line(Point{rc.left, y}, Point{rc.right, y}, palette::kChartGridGrey);
    }
    PaintWeeks(surface, rc, plot);

    // One dot per day with a weight.
    for (int i = 0; i < kChartDays; ++i) {
        const float v = weights[static_cast<std::size_t>(i)];
        if (!(v > 0.0f)) {
            continue;
        }
        const double x = DayX(plot, i);
        const double y = WeightY(plot, scale, v);
        const Rect box{TruncToPixel(x - kDotRadius), TruncToPixel(y - kDotRadius),
                       TruncToPixel(x + kDotRadius), TruncToPixel(y + kDotRadius)};
        // A paint device's current brush is white unless something selects
        // another; the dots keep that fill. With a 4-pixel box and a 3-pixel
        // pen the dot reads as a solid pink spot all the same.
        surface.Ellipse(box, palette::kPink, kDotPenWidth, palette::kWhite);
    }
}

}  // namespace gestalia
