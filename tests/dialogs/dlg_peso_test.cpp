#include "dialogs/dlg_peso.h"

#include "dialogs/weight_band.h"
#include "dialogs/weight_scale.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/globals.h"
#include "platform/dialog_template.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/fake_ui.h"
#include "tests/support/recording_surface.h"

namespace gestalia {
namespace {

using test::CFakeDialogWindow;
using test::CRecordingSurface;
using test::DrawCall;

constexpr Colour kPink = RGB(238, 62, 115);
constexpr Colour kGrey = RGB(200, 200, 200);
constexpr Colour kWhite = RGB(255, 255, 255);

class DlgPesoTest : public ::testing::Test {
  protected:
    // Paints the chart once, as the window would.
    void Paint() {
        DlgPeso dlg(m_globals);
        ASSERT_TRUE(m_window.Init(dlg));
        dlg.OnPaint(m_surface);
        m_area = m_window.GetControlRect(IDC_CHART_AREA);
    }
    std::vector<DrawCall> Dots() const { return m_surface.OfKind(DrawCall::Kind::Ellipse); }
    std::string Label(int id) const { return m_window.GetControlText(id); }

    CGlobals m_globals;
    CFakeDialogWindow m_window{WeightDialogTemplate()};
    CRecordingSurface m_surface;
    Rect m_area;
};

TEST_F(DlgPesoTest, WithoutWeightsShowsTheDefaultScaleAndNoDot) {
    Paint();
    EXPECT_EQ(Label(IDC_CHART_TOP), "160,0 kg");
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "50,0 kg");
    EXPECT_EQ(Label(IDC_CHART_LOWER), "86,7 kg");
    EXPECT_EQ(Label(IDC_CHART_UPPER), "123,3 kg");
    EXPECT_TRUE(Dots().empty());
}

TEST_F(DlgPesoTest, FillsThePlottingAreaWhiteAndDrawsTwoGreyGridLines) {
    Paint();
    EXPECT_EQ(m_area, DialogUnitsToPixels(DialogUnits{42, 7, 266, 154}));
    EXPECT_TRUE(m_surface.HasFill(m_area, kWhite));

    const Rect plot = PlotArea(m_area);
    const int T = plot.top;
    const int B = plot.bottom - 1;
    const CWeightScale scale = ComputeWeightScale(m_globals.afDailyWeights);
    const int yLower = static_cast<int>(WeightY(plot, scale, scale.lower));
    const int yUpper = static_cast<int>(WeightY(plot, scale, scale.upper));
    int grey = 0;
    for (const DrawCall& line : m_surface.Lines()) {
        grey += line.colour == kGrey ? 1 : 0;
    }
    EXPECT_EQ(grey, 2);
    EXPECT_TRUE(m_surface.HasLine({m_area.left, yLower}, {m_area.right, yLower}, kGrey));
    EXPECT_TRUE(m_surface.HasLine({m_area.left, yUpper}, {m_area.right, yUpper}, kGrey));
    // A third and two thirds of the way up the plot, within a pixel.
    EXPECT_NEAR(B - yLower, (B - T) / 3.0, 1.0);
    EXPECT_NEAR(B - yUpper, 2.0 * (B - T) / 3.0, 1.0);
}

// The day axis tells the weeks: a tick at the first day of every week, the
// number of every fourth one under the frame.
TEST_F(DlgPesoTest, MarksTheWeeksOnTheDayAxis) {
    Paint();
    const Rect plot = PlotArea(m_area);
    int ticks = 0;
    for (const DrawCall& line : m_surface.Lines()) {
        ticks += line.colour == RGB(0, 0, 0) && line.to.y == m_area.bottom ? 1 : 0;
    }
    EXPECT_EQ(ticks, 42) << "weeks 0 to 41 start inside the 294 days";
    std::vector<std::string> numbers;
    for (const DrawCall& text : m_surface.Texts()) {
        numbers.push_back(text.text);
        EXPECT_GE(text.rc.top, m_area.bottom) << "under the frame";
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"0", "4", "8", "12", "16", "20", "24", "28", "32",
                                                 "36", "40"}));
    const auto forty = m_surface.FindText("40");
    ASSERT_TRUE(forty.has_value());
    EXPECT_EQ((forty->rc.left + forty->rc.right) / 2, static_cast<int>(DayX(plot, 280)));
}

TEST_F(DlgPesoTest, OneWeightSitsAt55PercentOfTheHeight) {
    m_globals.afDailyWeights[0] = 65.5f;
    Paint();
    EXPECT_EQ(Label(IDC_CHART_TOP), "70,0 kg");
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "60,0 kg");
    EXPECT_EQ(Label(IDC_CHART_LOWER), "63,3 kg");
    EXPECT_EQ(Label(IDC_CHART_UPPER), "66,7 kg");

    const auto dots = Dots();
    ASSERT_EQ(dots.size(), 1u);
    const DrawCall& dot = dots[0];
    EXPECT_EQ(dot.colour, kPink);
    EXPECT_EQ(dot.penWidth, 3);
    EXPECT_EQ(dot.fill, kWhite);
    // Day 0 is the plot's left column; the box is 4 pixels around the point.
    const Rect plot = PlotArea(m_area);
    const double y = (plot.bottom - 1) - 0.55 * (plot.Height() - 1);
    EXPECT_EQ(dot.rc, (Rect{plot.left - 2, static_cast<int>(y - 2), plot.left + 2,
                            static_cast<int>(y + 2)}));
    const double centre = (dot.rc.top + dot.rc.bottom) / 2.0;
    EXPECT_NEAR((plot.bottom - 1 - centre) / (plot.Height() - 1), 0.55, 0.01);
}

TEST_F(DlgPesoTest, TheDotsComeAfterTheWhiteFill) {
    m_globals.afDailyWeights[10] = 60.0f;
    Paint();
    const int fill = m_surface.IndexOfFill(m_area, kWhite);
    ASSERT_GE(fill, 0);
    const auto& calls = m_surface.Calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == DrawCall::Kind::Ellipse) {
            EXPECT_GT(static_cast<int>(i), fill);
        }
    }
}

// The first and last days, at the scale's bottom and near its top, and the
// middle day: every dot with its 3-pixel pen lies inside the frame, off it.
TEST_F(DlgPesoTest, EveryDotSitsInsideTheFrame) {
    m_globals.afDailyWeights[0] = 70.0f;
    m_globals.afDailyWeights[147] = 75.0f;
    m_globals.afDailyWeights[kChartDays - 1] = 79.9f;
    Paint();
    const auto dots = Dots();
    ASSERT_EQ(dots.size(), 3u);
    const Rect plot = PlotArea(m_area);
    EXPECT_EQ(dots[0].rc.left, plot.left - 2);
    EXPECT_EQ(dots[1].rc.left, static_cast<int>(DayX(plot, 147) - 2));
    EXPECT_EQ(dots[2].rc.right, plot.right - 1 + 2);
    EXPECT_EQ(dots[0].rc.bottom, plot.bottom - 1 + 2) << "70 is the scale's bottom";
    for (const DrawCall& dot : dots) {
        const int pen = (dot.penWidth + 1) / 2;
        EXPECT_GT(dot.rc.left - pen, m_area.left);
        EXPECT_LT(dot.rc.right + pen, m_area.right - 1);
        EXPECT_GT(dot.rc.top - pen, m_area.top);
        EXPECT_LT(dot.rc.bottom + pen, m_area.bottom - 1);
    }
}

TEST_F(DlgPesoTest, EveryWeightOf200OrMoreKeepsTheBottomAt50) {
    m_globals.afDailyWeights[3] = 200.0f;
    m_globals.afDailyWeights[4] = 212.0f;
    Paint();
    EXPECT_EQ(Label(IDC_CHART_TOP), "220,0 kg");
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "50,0 kg");
    EXPECT_EQ(Dots().size(), 2u);
}

TEST_F(DlgPesoTest, RepaintingDrawsTheSame) {
    m_globals.afDailyWeights[20] = 61.0f;
    DlgPeso dlg(m_globals);
    ASSERT_TRUE(m_window.Init(dlg));
    dlg.OnPaint(m_surface);
    const std::vector<DrawCall> first = m_surface.Calls();
    m_surface.Clear();
    dlg.OnPaint(m_surface);
    ASSERT_EQ(m_surface.Calls().size(), first.size());
    EXPECT_EQ(m_surface.OfKind(DrawCall::Kind::Ellipse)[0].rc, first[first.size() - 1].rc);
}

// With her profile the band lies behind everything else, one column per
// pixel exactly where the geometry puts it, and the scale takes it in.
TEST_F(DlgPesoTest, PaintsTheRecommendedBandBehindTheGridAndTheDots) {
    constexpr Colour kBand = RGB(214, 240, 220);
    m_globals.dtLastPeriod = CDateValue(2027, 1, 1);
    m_globals.extension.SetProfile(CProfile{163, 58, false});
    m_globals.afDailyWeights[100] = 61.0f;
    Paint();
    EXPECT_EQ(Label(IDC_CHART_CAPTION).rfind("IMC 21,8 (normal): ganancia recomendada", 0), 0u);
    // 58 kg before, 58 + 2 + 0.5 * (293 / 7 - 13) at the last day: 50 to 80.
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "50,0 kg");
    EXPECT_EQ(Label(IDC_CHART_TOP), "80,0 kg");

    const Rect plot = PlotArea(m_area);
    const CChartBand band{58, BmiClass::normal, 0};
    const CWeightBand extent = BandExtent(band);
    const std::vector<Rect> columns = BandColumns(
        plot, ComputeWeightScale(m_globals.afDailyWeights, extent.fLowKg, extent.fHighKg), band);
    std::vector<Rect> painted;
    for (const DrawCall& fill : m_surface.Fills()) {
        if (fill.colour == kBand) {
            painted.push_back(fill.rc);
        }
    }
    EXPECT_EQ(painted, columns);
    const int lastColumn = m_surface.IndexOfFill(columns.back(), kBand);
    EXPECT_GT(lastColumn, m_surface.IndexOfFill(m_area, kWhite));
    const auto& calls = m_surface.Calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == DrawCall::Kind::Ellipse || calls[i].kind == DrawCall::Kind::Line) {
            EXPECT_GT(static_cast<int>(i), lastColumn);
        }
    }
}

TEST_F(DlgPesoTest, TwinsGetNoBandAndALineThatSaysWhy) {
    constexpr Colour kBand = RGB(214, 240, 220);
    m_globals.dtLastPeriod = CDateValue(2027, 1, 1);
    m_globals.extension.SetProfile(CProfile{163, 58, true});
    Paint();
    for (const DrawCall& fill : m_surface.Fills()) {
        EXPECT_NE(fill.colour, kBand);
    }
    EXPECT_NE(Label(IDC_CHART_CAPTION).find("embarazo gemelar"), std::string::npos);
    EXPECT_EQ(Label(IDC_CHART_TOP), "160,0 kg");
}

TEST(WeightTemplateTest, HoldsTheChartsControls) {
    const CDialogTemplate& t = WeightDialogTemplate();
    EXPECT_EQ(t.id, 140);
    EXPECT_EQ(t.strCaption, "Evolución del peso en el embarazo");
    EXPECT_EQ(t.strFont, "MS Shell Dlg");
    EXPECT_EQ(t.nPointSize, 8);
    EXPECT_EQ(t.cx, 315);
    EXPECT_EQ(t.cy, 216);
    ASSERT_EQ(t.controls.size(), 9u);
    EXPECT_EQ(t.controls[0].strText, "Aceptar");
    EXPECT_EQ(t.controls[1].strText, "Cancelar");
    EXPECT_EQ(t.controls[2].kind, ControlKind::Frame);
    EXPECT_EQ(t.controls[3].strText, "Semanas de embarazo");
    for (std::size_t i = 4; i < 8; ++i) {
        EXPECT_EQ(t.controls[i].strText, "Estático");
    }
}

}  // namespace
}  // namespace gestalia
