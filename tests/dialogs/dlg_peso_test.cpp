#include "dialogs/dlg_peso.h"

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
    EXPECT_EQ(Label(IDC_CHART_TOP), "160.0 Kg");
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "50.0 Kg");
    EXPECT_EQ(Label(IDC_CHART_LOWER), "86.7 Kg");
    EXPECT_EQ(Label(IDC_CHART_UPPER), "123.3 Kg");
    EXPECT_TRUE(Dots().empty());
}

TEST_F(DlgPesoTest, FillsThePlottingAreaWhiteAndDrawsTwoGreyGridLines) {
    Paint();
    EXPECT_EQ(m_area, DialogUnitsToPixels(DialogUnits{42, 7, 266, 154}));
    EXPECT_TRUE(m_surface.HasFill(m_area, kWhite));

    const int T = m_area.top;
    const int B = m_area.bottom;
    const int yLower = B + (T - B) / 3;
    const int yUpper = static_cast<int>(B + (T - B) / 1.5);
    ASSERT_EQ(m_surface.Lines().size(), 2u);
    EXPECT_TRUE(m_surface.HasLine({m_area.left, yLower}, {m_area.right, yLower}, kGrey));
    EXPECT_TRUE(m_surface.HasLine({m_area.left, yUpper}, {m_area.right, yUpper}, kGrey));
    // A third and two thirds of the way up, within a pixel.
    EXPECT_NEAR(B - yLower, (B - T) / 3.0, 1.0);
    EXPECT_NEAR(B - yUpper, 2.0 * (B - T) / 3.0, 1.0);
}

TEST_F(DlgPesoTest, OneWeightSitsAt55PercentOfTheHeight) {
    m_globals.afDailyWeights[0] = 65.5f;
    Paint();
    EXPECT_EQ(Label(IDC_CHART_TOP), "70.0 Kg");
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "60.0 Kg");
    EXPECT_EQ(Label(IDC_CHART_LOWER), "63.3 Kg");
    EXPECT_EQ(Label(IDC_CHART_UPPER), "66.7 Kg");

    const auto dots = Dots();
    ASSERT_EQ(dots.size(), 1u);
    const DrawCall& dot = dots[0];
    EXPECT_EQ(dot.colour, kPink);
    EXPECT_EQ(dot.penWidth, 3);
    EXPECT_EQ(dot.fill, kWhite);
    // Day 0 is the left edge; the box is 4 pixels around the point.
    const double y = m_area.bottom - 0.55 * (m_area.bottom - m_area.top);
    EXPECT_EQ(dot.rc, (Rect{m_area.left - 2, static_cast<int>(y - 2), m_area.left + 2,
                            static_cast<int>(y + 2)}));
    const double centre = (dot.rc.top + dot.rc.bottom) / 2.0;
    EXPECT_NEAR((m_area.bottom - centre) / m_area.Height(), 0.55, 0.005);
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

TEST_F(DlgPesoTest, TheLastDayIsJustLeftOfTheRightEdge) {
    m_globals.afDailyWeights[kChartDays - 1] = 70.0f;
    m_globals.afDailyWeights[147] = 70.0f;
    Paint();
    const auto dots = Dots();
    ASSERT_EQ(dots.size(), 2u);
    const double x147 = m_area.left + m_area.Width() * (147 / 294.0);
    EXPECT_EQ(dots[0].rc.left, static_cast<int>(x147 - 2));
    const double x293 = m_area.left + m_area.Width() * (293 / 294.0);
    EXPECT_EQ(dots[1].rc.left, static_cast<int>(x293 - 2));
    EXPECT_LT(x293, m_area.right);
    // 70 is the bottom of the scale 70..80: on the bottom edge.
    EXPECT_EQ(dots[1].rc.top, m_area.bottom - 2);
}

TEST_F(DlgPesoTest, EveryWeightOf200OrMoreKeepsTheBottomAt50) {
    m_globals.afDailyWeights[3] = 200.0f;
    m_globals.afDailyWeights[4] = 212.0f;
    Paint();
    EXPECT_EQ(Label(IDC_CHART_TOP), "220.0 Kg");
    EXPECT_EQ(Label(IDC_CHART_BOTTOM), "50.0 Kg");
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

TEST(WeightTemplateTest, HoldsTheChartsControls) {
    const CDialogTemplate& t = WeightDialogTemplate();
    EXPECT_EQ(t.id, 140);
    EXPECT_EQ(t.strCaption, "Evolución del peso en el embarazo");
    EXPECT_EQ(t.strFont, "MS Shell Dlg");
    EXPECT_EQ(t.nPointSize, 8);
    EXPECT_EQ(t.cx, 315);
    EXPECT_EQ(t.cy, 195);
    ASSERT_EQ(t.controls.size(), 8u);
    EXPECT_EQ(t.controls[0].strText, "Aceptar");
    EXPECT_EQ(t.controls[1].strText, "Cancelar");
    EXPECT_EQ(t.controls[2].kind, ControlKind::Frame);
    EXPECT_EQ(t.controls[3].strText, "Embarazo (días)");
    for (std::size_t i = 4; i < 8; ++i) {
        EXPECT_EQ(t.controls[i].strText, "Estático");
    }
}

}  // namespace
}  // namespace gestalia
