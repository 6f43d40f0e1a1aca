#include "dialogs/dlg_peso.h"

#include <cmath>
#include <string>

#include "calendar/draw_surface.h"
#include "dialogs/weight_scale.h"
#include "model/globals.h"
#include "model/palette.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

constexpr int kDotPenWidth = 3;
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

void SetTextIfChanged(IDialogWindow& window, int id, const std::string& text) {
    // Setting a label repaints it; only a real change should.
    if (window.GetControlText(id) != text) {
        window.SetControlText(id, text);
    }
}

}  // namespace

bool DlgPeso::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);
    return true;
}

void DlgPeso::OnPaint(IDrawSurface& surface) {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    const auto& weights = m_globals.afDailyWeights;
    const CWeightScale scale = ComputeWeightScale(weights);

    SetTextIfChanged(*window, IDC_CHART_TOP, FormatWeightLabel(scale.top));
    SetTextIfChanged(*window, IDC_CHART_BOTTOM, FormatWeightLabel(scale.bottom));
    SetTextIfChanged(*window, IDC_CHART_LOWER, FormatWeightLabel(scale.lower));
    SetTextIfChanged(*window, IDC_CHART_UPPER, FormatWeightLabel(scale.upper));

    // The plotting area: T is its top edge, B its bottom edge (B below T).
    const Rect rc = window->GetControlRect(IDC_CHART_AREA);
    const int left = rc.left;
    const int right = rc.right;
    const int T = rc.top;
    const int B = rc.bottom;
    surface.FillRect(rc, palette::kWhite);

    // Grid lines at the heights of lower and upper.
    const int yLower = B + (T - B) / 3;
    const int yUpper = TruncToPixel(B + (T - B) / 1.5);
    surface.Line(Point{left, yLower}, Point{right, yLower}, palette::kChartGridGrey);
    surface.Line(Point{left, yUpper}, Point{right, yUpper}, palette::kChartGridGrey);

    // One dot per day with a weight; day i sits i/294 of the way across, so
    // nothing is ever drawn at the right edge itself.
    for (int i = 0; i < kChartDays; ++i) {
        const float v = weights[static_cast<std::size_t>(i)];
        if (!(v > 0.0f)) {
            continue;
        }
        const auto x =
            static_cast<float>(left + (right - left) * (i / static_cast<double>(kChartDays)));
        const auto y = static_cast<float>(B - ((v - scale.bottom) / scale.range) * (B - T));
        const Rect box{TruncToPixel(x - kDotRadius), TruncToPixel(y - kDotRadius),
                       TruncToPixel(x + kDotRadius), TruncToPixel(y + kDotRadius)};
        // A paint device's current brush is white unless something selects
        // another; the dots keep that fill. With a 4-pixel box and a 3-pixel
        // pen the dot reads as a solid pink spot all the same.
        surface.Ellipse(box, palette::kPink, kDotPenWidth, palette::kWhite);
    }
}

}  // namespace gestalia
