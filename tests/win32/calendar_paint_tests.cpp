// The month painted by the calendar control on a CGdiDrawSurface into a DIB
// section: the pixels where the layout puts them, as the Qt widget's test
// checks them, and a note's icon drawn from the bitmap resources.

#include <gtest/gtest.h>

#include "calendar/month_layout.h"
#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/win32/gdi_draw_surface.h"
#include "platform/win32/win32_dpi.h"
#include "resources/dialog_templates.h"
#include "tests/calendar/recording_host.h"
#include "tests/win32/dib_section.h"

namespace gestalia::win32 {
namespace {

constexpr int kWidth = 465;
constexpr int kHeight = 265;
constexpr int kScrollBar = 17;

class GdiCalendarPaint : public ::testing::Test {
  protected:
    GdiCalendarPaint() {
        globals.dtLastPeriod = CDateValue(2027, 3, 1);  // 2 March is a link day
        host.m_size = {kWidth, kHeight};
        host.m_nScrollBar = kScrollBar;
        ctrl.SetHost(&host);
        ctrl.SetImageList(&icons);
        ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_MONTH);
    }
    void Paint() {
        CGdiDrawSurface surface(dib.Dc(), 96);
        ctrl.OnEraseBkgnd(surface);
        ctrl.OnPaint(surface);
        dib.SaveIfAsked(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    Rect CellRect(int index) const { return CellRectsOf(metrics, index).rcCell; }
    Point Inside(int index) const {
        const Rect rc = CellRect(index);
        return {rc.left + 4, rc.top + metrics.h + 6};  // below the label, in the empty note line
    }

    const CImageList icons{IDB_ITEM_ICONS, {16, 16}, 2};
    CGlobals globals;
    CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    test::CRecordingHost host;
    CWMDateCtrl ctrl{globals, clock};
    MonthMetrics metrics = MakeMonthMetrics({kWidth, kHeight}, kScrollBar);
    test::CDibSection dib{kWidth, kHeight, RGB(1, 2, 3)};  // a colour the control never paints
};

TEST_F(GdiCalendarPaint, PaintsHeaderGridAndDayColours) {
    Paint();
    EXPECT_EQ(dib.At(1, metrics.h / 2), RGB(238, 62, 115)) << "header band";
    EXPECT_EQ(dib.At(VerticalGridLine(metrics, 2).from.x, 120), RGB(238, 62, 115)) << "grid";
    EXPECT_EQ(dib.At(40, HorizontalGridLine(metrics, 1).from.y), RGB(238, 62, 115));
    EXPECT_EQ(dib.At(Inside(2)), RGB(253, 190, 209)) << "2 March, a link day";
    EXPECT_EQ(dib.At(Inside(39)), RGB(240, 240, 240)) << "8 April";
    EXPECT_EQ(dib.At(Inside(9)), RGB(255, 255, 255)) << "9 March";
    const Rect today = CellRectsOf(metrics, 10).rcLabel;  // 10 March
    EXPECT_EQ(dib.At(today.left + 1, today.top + 2), RGB(169, 216, 50)) << "today's band";
}

TEST_F(GdiCalendarPaint, NoteShowsItsIconAndItsTextInItsLine) {
    const std::int32_t id =
        ctrl.AddItem(CDateValue(2027, 3, 9), CDateValue(2027, 3, 9), "Consulta", 1, 0.0f);
    Paint();
    const Rect slot = ItemSlot(CellRect(9), metrics.h, 0);
    const Colour back = globals.listItems.Find(id)->GetBack();
    int icon = 0;
    int text = 0;
    for (int y = slot.top; y < slot.bottom; ++y) {
        for (int x = slot.left; x < slot.right; ++x) {
            const Colour c = dib.At(x, y);
            EXPECT_NE(c, RGB(0, 255, 0)) << "the icon's green is transparent, at " << x;
            const int counted = c != back ? 1 : 0;
            (x < slot.left + kItemIconWidth ? icon : text) += counted;
        }
    }
    EXPECT_GT(icon, 0);
    EXPECT_GT(text, 0);
    // The cell below the line is the day's own colour: nothing spilled out.
    for (int x = slot.left; x < slot.right; ++x) {
        EXPECT_EQ(dib.At(x, slot.bottom + 1), RGB(255, 255, 255)) << x;
    }
}

// At every scale the month's line (the scroll bar's width at that dpi) holds
// a line of the control's text, so nothing is cut at 150 % or 200 %.
class GdiCalendarScale : public ::testing::TestWithParam<int> {};

TEST_P(GdiCalendarScale, TextLinesFitTheLineHeight) {
    const int dpi = GetParam();
    const int line = SystemMetricForDpi(SM_CXVSCROLL, dpi);
    EXPECT_GE(line, 17 * dpi / 96 - 1) << "the measure grows with the dpi";
    test::CDibSection dib(10, 10);
    CGdiDrawSurface surface(dib.Dc(), dpi);
    for (const int weight : {400, 700}) {
        surface.SetFont(CFontSpec{"TAHOMA", 85, weight});
        EXPECT_LE(surface.MeasureText("Miércoles 1 de Marzo (Semana 12)", true).cy, line) << weight;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, GdiCalendarScale, ::testing::Values(96, 120, 144, 192));

}  // namespace
}  // namespace gestalia::win32
