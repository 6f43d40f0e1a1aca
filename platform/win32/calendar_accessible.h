#pragma once
// What screen readers see of the calendar's window through Active
// Accessibility: a list named "Calendario" whose 42 items (child ids 1 to
// 42, the cell indexes) are the shown days, each named as the control
// describes it ("martes, 15 de diciembre de 2026, 2 anotaciones"), the
// chosen day selected, and focused while the calendar has the focus.
//
// CCalendarAccessibility belongs to the calendar's window: it answers
// WM_GETOBJECT, and raises the events that say the chosen day moved. The
// IAccessible it hands out may be held by a client for as long as it likes;
// when the window goes, the object is disconnected and then answers every
// call with RPC_E_DISCONNECTED. The control must outlive the window.

#include "calendar/wm_date_ctrl.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

class CCalendarAccessible;

class CCalendarAccessibility {
  public:
    CCalendarAccessibility(HWND hwnd, CWMDateCtrl& ctrl) : m_hwnd(hwnd), m_ctrl(ctrl) {}
    // Disconnects the object from the window and the control.
    ~CCalendarAccessibility();
    CCalendarAccessibility(const CCalendarAccessibility&) = delete;
    CCalendarAccessibility& operator=(const CCalendarAccessibility&) = delete;

    // The answer to WM_GETOBJECT: the list for OBJID_CLIENT, else 0 (the
    // system's own objects then).
    LRESULT GetObject(WPARAM wParam, LPARAM lParam);
    // Raises EVENT_OBJECT_SELECTION when the chosen day or its cell changed
    // since the last call, and EVENT_OBJECT_FOCUS when it moved or the
    // calendar took the focus, while the calendar has it.
    void FollowChosenDay();

  private:
    HWND m_hwnd;
    CWMDateCtrl& m_ctrl;
    CCalendarAccessible* m_pObject = nullptr;  // one reference, made at the first question
    int m_nChosen = 0;                         // the cell last announced as chosen, 0 for none
    CDateValue m_dtChosen;                     // and its day
    bool m_bFocus = false;                     // the calendar had the focus then
};

}  // namespace gestalia::win32
