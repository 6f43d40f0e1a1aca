// The calendar's window as a screen reader reaches it: through
// AccessibleObjectFromWindow, a list of the 42 shown days named as the
// control describes them, the chosen day selected and focused, a focus event
// when it moves, and an object that outlives its window safely.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/clock.h"
#include "model/globals.h"
#include "model/win32_text.h"
#include "platform/win32/calendar_window.h"
#include "tests/support/recording_parent.h"

namespace gestalia::win32 {
namespace {

constexpr Rect kPlace{0, 0, 465, 265};

VARIANT Child(long id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// The events the process raised for one window, in order: their child ids.
struct CEventLog {
    HWND hwnd = nullptr;
    std::vector<long> focus;
};
CEventLog* g_pLog = nullptr;  // the hook's only way to the test; set while a test hooks

void CALLBACK OnFocusEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND hwnd, LONG idObject,
                           LONG idChild, DWORD /*thread*/, DWORD /*time*/) {
    if (g_pLog != nullptr && event == EVENT_OBJECT_FOCUS && hwnd == g_pLog->hwnd &&
        idObject == OBJID_CLIENT) {
        g_pLog->focus.push_back(idChild);
    }
}

class CalendarAccessible : public ::testing::Test {
  protected:
    CalendarAccessible() {
        com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_MONTH);
        frame = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        calendar = CreateCalendarWindow(frame, 1000, kPlace, ctrl, parent);
        ::SendMessageW(calendar, WM_PAINT, 0, 0);  // lays out the cells
        ::AccessibleObjectFromWindow(calendar, static_cast<DWORD>(OBJID_CLIENT),
                                     __uuidof(IAccessible), reinterpret_cast<void**>(&acc));
    }
    ~CalendarAccessible() override {
        if (acc != nullptr) {
            acc->Release();
        }
        if (frame != nullptr) {
            ::DestroyWindow(frame);
        }
        if (SUCCEEDED(com)) {
            ::CoUninitialize();
        }
    }

    int IndexOf(int year, int month, int day) {
        return ctrl.FindCell(CDateValue(year, month, day))->m_nIndex;
    }
    std::string Name(long id) const {
        BSTR name = nullptr;
        if (acc->get_accName(Child(id), &name) != S_OK) {
            return "(none)";
        }
        std::string text = Utf8FromUtf16(name);
        ::SysFreeString(name);
        return text;
    }
    long State(long id) const {
        VARIANT state;
        return acc->get_accState(Child(id), &state) == S_OK ? state.lVal : -1;
    }
    // The focused child, CHILDID_SELF for the list, -1 when the focus is elsewhere.
    long Focus() const {
        VARIANT focus;
        return acc->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 ? focus.lVal : -1;
    }
    void Pump() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
    }

    HRESULT com = E_FAIL;
    CGlobals globals;
    CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CWMDateCtrl ctrl{globals, clock};
    test::CRecordingParent parent{ctrl};
    HWND frame = nullptr;
    HWND calendar = nullptr;
    IAccessible* acc = nullptr;
};

TEST_F(CalendarAccessible, IsAListOfTheFortyTwoShownDays) {
    ASSERT_NE(acc, nullptr);
    VARIANT role;
    ASSERT_EQ(acc->get_accRole(Child(CHILDID_SELF), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
    EXPECT_EQ(Name(CHILDID_SELF), "Calendario");
    long count = 0;
    ASSERT_EQ(acc->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, 42);
    for (long id = 1; id <= count; ++id) {
        ASSERT_EQ(acc->get_accRole(Child(id), &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(Name(id), ctrl.DayDescription(static_cast<int>(id)));
    }
}

struct DayName {
    int day;  // of March 2027
    int notes;
    const char* name;
};

class CalendarAccessibleNames : public CalendarAccessible,
                                public ::testing::WithParamInterface<DayName> {};

TEST_P(CalendarAccessibleNames, NamesTheDayAsTheControlDescribesIt) {
    ASSERT_NE(acc, nullptr);
    const CDateValue day(2027, 3, GetParam().day);
    for (int i = 0; i < GetParam().notes; ++i) {
        ctrl.AddItem(day, day, "Consulta", -1, 0.0f);
    }
    EXPECT_EQ(Name(IndexOf(2027, 3, GetParam().day)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalendarAccessibleNames,
    ::testing::Values(DayName{9, 2, "martes, 9 de marzo de 2027, 2 anotaciones"},
                      DayName{10, 0, "miércoles, 10 de marzo de 2027, sin anotaciones, hoy"},
                      DayName{1, 1, "lunes, 1 de marzo de 2027, 1 anotación"}));

TEST_F(CalendarAccessible, TheChosenDayIsSelectedAndFocusedWithTheCalendar) {
    ASSERT_NE(acc, nullptr);
    const long today = IndexOf(2027, 3, 10);
    EXPECT_EQ(Focus(), -1) << "the focus is elsewhere";
    EXPECT_EQ(State(today) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_SELECTED);

    ::SendMessageW(calendar, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(Focus(), today);
    EXPECT_EQ(State(today) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);

    ::SendMessageW(calendar, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Focus(), IndexOf(2027, 3, 17)) << "a week on";
    EXPECT_EQ(State(today) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), 0);
    VARIANT selection;
    ASSERT_EQ(acc->get_accSelection(&selection), S_OK);
    EXPECT_EQ(selection.lVal, IndexOf(2027, 3, 17));

    ctrl.ShowMonth(CDateValue(2027, 5, 1), 0, WMVIEW_MONTH);
    EXPECT_EQ(Focus(), CHILDID_SELF) << "the chosen day is not shown";
}

TEST_F(CalendarAccessible, RaisesAFocusEventWhenTheChosenDayMoves) {
    ASSERT_NE(acc, nullptr);
    CEventLog log{calendar, {}};
    g_pLog = &log;
    HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    ::SendMessageW(calendar, WM_SETFOCUS, 0, 0);
    Pump();
    ::SendMessageW(calendar, WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    ::SendMessageW(calendar, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(calendar, WM_KEYDOWN, VK_RIGHT, 0);  // two keys, then one look
    Pump();
    ::UnhookWinEvent(hook);
    g_pLog = nullptr;
    EXPECT_EQ(log.focus, (std::vector<long>{IndexOf(2027, 3, 10), IndexOf(2027, 3, 11),
                                            IndexOf(2027, 3, 13)}));
}

TEST_F(CalendarAccessible, AnswersDisconnectedOnceTheWindowIsGone) {
    ASSERT_NE(acc, nullptr);
    ::DestroyWindow(frame);
    frame = nullptr;
    long count = 0;
    EXPECT_EQ(acc->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(Name(1), "(none)");
    VARIANT focus;
    EXPECT_EQ(acc->get_accFocus(&focus), RPC_E_DISCONNECTED);
}

}  // namespace
}  // namespace gestalia::win32
