// The calendar's window: Windows' mouse and key messages reaching the control
// and, through it, the calendar parent; the dialog keys it asks for; the
// control bound while the window lives.

#include "platform/win32/calendar_window.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "calendar/month_layout.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/win32_text.h"
#include "tests/support/recording_parent.h"
#include "tests/win32/dib_section.h"

namespace gestalia::win32 {
namespace {

constexpr Rect kPlace{0, 0, 465, 265};

class CalendarWindow : public ::testing::Test {
  protected:
    CalendarWindow() {
        ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_MONTH);
        frame = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        calendar = CreateCalendarWindow(frame, 1000, kPlace, ctrl, parent);
        // The paint lays out the cells the mouse hits; the frame stays hidden.
        ::SendMessageW(calendar, WM_PAINT, 0, 0);
    }
    ~CalendarWindow() override { ::DestroyWindow(frame); }

    LRESULT Send(UINT message, Point at) {
        return ::SendMessageW(calendar, message, 0, MAKELPARAM(at.x, at.y));
    }
    Point Inside(int index) const {
        const Rect rc = CellRectsOf(MakeMonthMetrics({kPlace.Width(), kPlace.Height()},
                                                     ::GetSystemMetrics(SM_CXVSCROLL)),
                                    index)
                            .rcCell;
        return {rc.left + 4, rc.top + (rc.bottom - rc.top) / 2};
    }

    CGlobals globals;
    CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CWMDateCtrl ctrl{globals, clock};
    test::CRecordingParent parent{ctrl};
    HWND frame = nullptr;
    HWND calendar = nullptr;
};

TEST_F(CalendarWindow, IsAChildWithItsIdThatTabReaches) {
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(calendar), 1000);
    EXPECT_EQ(::GetParent(calendar), frame);
    EXPECT_NE(::GetWindowLongPtrW(calendar, GWL_STYLE) & WS_TABSTOP, 0);
    RECT client{};
    ::GetClientRect(calendar, &client);
    EXPECT_EQ(FromRECT(client), kPlace);
}

TEST_F(CalendarWindow, MouseMessagesReachTheParent) {
    ASSERT_NE(calendar, nullptr);
    Send(WM_LBUTTONDOWN, Inside(9));
    ASSERT_EQ(parent.days.size(), 1u);
    EXPECT_TRUE(parent.days[0] == CDateValue(2027, 3, 9));
    Send(WM_LBUTTONUP, Inside(9));
    Send(WM_LBUTTONDBLCLK, Inside(9));
    Send(WM_RBUTTONDOWN, Inside(12));
    Send(WM_RBUTTONUP, Inside(12));
    EXPECT_EQ(parent.Codes(), (std::vector<std::int32_t>{NM_DBLCLK, NM_RCLICK}));
}

TEST_F(CalendarWindow, KeysGoToTheControlWhichKeepsItsOwn) {
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(::SendMessageW(calendar, WM_KEYDOWN, VK_RIGHT, 0), 0);
    ASSERT_EQ(parent.days.size(), 1u);
    EXPECT_TRUE(parent.days[0] == CDateValue(2027, 3, 11)) << "today, 10 March, and one on";
    ::SendMessageW(calendar, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(parent.Codes(), (std::vector<std::int32_t>{NM_DBLCLK}));
    ::SendMessageW(calendar, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(parent.notified.size(), 1u) << "not the calendar's key";
}

TEST_F(CalendarWindow, AsksTheDialogForArrowsAndEnterOnly) {
    ASSERT_NE(calendar, nullptr);
    MSG enter{calendar, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG escape{calendar, WM_KEYDOWN, 0x1B /* VK_ESCAPE */, 0, 0, {}};
    const auto code = [this](MSG* msg) {
        return ::SendMessageW(calendar, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(msg));
    };
    EXPECT_EQ(code(nullptr), DLGC_WANTARROWS | DLGC_WANTCHARS);
    EXPECT_NE(code(&enter) & DLGC_WANTMESSAGE, 0);
    EXPECT_EQ(code(&escape) & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS | DLGC_WANTTAB), 0);
}

TEST_F(CalendarWindow, FocusReachesTheControl) {
    ASSERT_NE(calendar, nullptr);
    ::SendMessageW(calendar, WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(ctrl.HasFocus());
    ::SendMessageW(calendar, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(ctrl.HasFocus());
}

// After the month arrows, the press that gives the calendar its focus: a
// right press on a day, or any press on a grid line, shows no day in the
// panels; the chosen day moves quietly into the shown month.
struct FocusingPress {
    const char* name;
    UINT message;
    bool bOnDay;
};

class FocusingPressTest : public CalendarWindow,
                          public ::testing::WithParamInterface<FocusingPress> {};

TEST_P(FocusingPressTest, ShowsNoDayInThePanels) {
    ASSERT_NE(calendar, nullptr);
    ::ShowWindow(frame, SW_SHOW);
    ::SetFocus(frame);
    ASSERT_FALSE(ctrl.HasFocus());
    ctrl.ShowMonth(CDateValue(2027, 5, 1), 0, WMVIEW_MONTH);  // the month arrow
    ::SendMessageW(calendar, WM_PAINT, 0, 0);
    const MonthMetrics metrics =
        MakeMonthMetrics({kPlace.Width(), kPlace.Height()}, ::GetSystemMetrics(SM_CXVSCROLL));
    const Point at =
        GetParam().bOnDay ? Inside(12) : Point{VerticalGridLine(metrics, 2).from.x, 120};
    for (int i = 1; i <= kCells && !GetParam().bOnDay; ++i) {
        ASSERT_FALSE(CellRectsOf(metrics, i).rcCell.Contains(at)) << "in cell " << i;
    }
    Send(GetParam().message, at);
    Send(GetParam().message + 1, at);  // the release

    EXPECT_EQ(::GetFocus(), calendar);
    EXPECT_TRUE(ctrl.HasFocus());
    EXPECT_TRUE(parent.days.empty());
    EXPECT_TRUE(ctrl.GetChosenDay() == CDateValue(2027, 5, 10));
}

INSTANTIATE_TEST_SUITE_P(Presses, FocusingPressTest,
                         ::testing::Values(FocusingPress{"RightOnADay", WM_RBUTTONDOWN, true},
                                           FocusingPress{"LeftOnAGridLine", WM_LBUTTONDOWN, false},
                                           FocusingPress{"RightOnAGridLine", WM_RBUTTONDOWN,
                                                         false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalendarWindow, PaintsOnTheScreenThroughItsBuffer) {
    ASSERT_NE(calendar, nullptr);
    ::ShowWindow(frame, SW_SHOWNOACTIVATE);
    ::UpdateWindow(frame);
    test::CDibSection dib(kPlace.Width(), kPlace.Height(), RGB(1, 2, 3));
    HDC screen = ::GetDC(calendar);
    ::BitBlt(dib.Dc(), 0, 0, dib.Width(), dib.Height(), screen, 0, 0, SRCCOPY);
    ::ReleaseDC(calendar, screen);
    dib.SaveIfAsked("CalendarWindow");
    EXPECT_EQ(dib.At(1, 5), RGB(238, 62, 115)) << "header band";
    EXPECT_EQ(dib.At(Inside(9)), RGB(255, 255, 255)) << "9 March";
}

BOOL CALLBACK TakeTooltip(HWND hwnd, LPARAM found) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (std::wstring_view(name) == TOOLTIPS_CLASSW) {
        *reinterpret_cast<HWND*>(found) = hwnd;
    }
    return TRUE;
}

// The tooltip's text for the tool over the window, as it would show it now.
std::wstring TooltipText(HWND calendar) {
    HWND tooltip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &TakeTooltip, reinterpret_cast<LPARAM>(&tooltip));
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = calendar;
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(CalendarWindow, TooltipShowsTheNoteUnderTheMouse) {
    ASSERT_NE(calendar, nullptr);
    const std::int32_t id = ctrl.AddItem(CDateValue(2027, 3, 9), CDateValue(2027, 3, 9),
                                         "Consulta\r\nen el centro", -1, 62.5f);
    ::SendMessageW(calendar, WM_PAINT, 0, 0);
    const Rect cell = CellRectsOf(MakeMonthMetrics({kPlace.Width(), kPlace.Height()},
                                                   ::GetSystemMetrics(SM_CXVSCROLL)),
                                  9)
                          .rcCell;
    const Rect slot = ItemSlot(cell, ::GetSystemMetrics(SM_CXVSCROLL), 0);
    Send(WM_MOUSEMOVE, {slot.left + 3, slot.top + 3});
    const std::wstring shown = TooltipText(calendar);
    EXPECT_EQ(Utf8FromUtf16(shown), ctrl.ItemTooltip(id)) << "lines end in CR LF";
    Send(WM_MOUSEMOVE, Inside(12));
    EXPECT_EQ(TooltipText(calendar), L"");
}

TEST_F(CalendarWindow, UnbindsFromTheControlWhenDestroyed) {
    ASSERT_NE(calendar, nullptr);
    ::DestroyWindow(frame);
    frame = nullptr;
    ctrl.Redraw();  // would reach a dead window otherwise
    EXPECT_EQ(ctrl.SendNotify(Inside(9), NM_CLICK), 0);
    EXPECT_TRUE(parent.notified.empty());
}

}  // namespace
}  // namespace gestalia::win32
