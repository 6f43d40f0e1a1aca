#pragma once
// The Win32 window that hosts one CWMDateCtrl, as a child of a dialog: the
// control's window (ICalendarHost). It paints the control double-buffered on
// a CGdiDrawSurface, turns mouse messages (left and right presses, right
// release, left double-click) and keys (WM_KEYDOWN with the virtual key and
// the Shift, Ctrl and Alt state; WM_GETDLGCODE asks for the keys the control
// answers) into the control's calls, takes the focus on a click and through
// Tab (WS_TABSTOP), tells the control of focus changes, shows the note's
// tooltip over a note line, shows screen readers the days and follows the
// chosen day for them (calendar_accessible.h), and answers the control's questions (client
// size, the scroll bar width at the window's dpi, the highlight colour).
// The control's notifications go synchronously to the ICalendarParent's
// OnNotify, its day clicks to ShowDayInPanels.
//
// The control and the parent belong to the caller and must outlive the
// window; the window binds itself as the control's host and unbinds when it
// is destroyed (with its dialog).

#include "calendar/wm_date_ctrl.h"
#include "platform/calendar_parent.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

// Creates the calendar window (visible, WS_CHILD | WS_TABSTOP) at rc in the
// parent's client pixels, with the control id `id`. Registers the window
// class on first use. Nullptr when the window could not be created.
HWND CreateCalendarWindow(HWND hwndParent, int id, const Rect& rc, CWMDateCtrl& ctrl,
                          ICalendarParent& parent);

}  // namespace gestalia::win32
