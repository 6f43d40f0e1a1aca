#pragma once
// The window layer as the window logic sees it. A live dialog (IDialogWindow)
// is built by the platform from a CDialogTemplate; the logic (an IDialogHandler,
// normally derived from CDialog) receives its messages and changes its controls
// only through their ids. Nothing here knows the toolkit; the Qt implementation
// lives in platform/qt/, and tests use a fake that needs no screen.
//
// What a toolkit implementation provides, for every CDialogTemplate:
// - a window with the template's caption and a client area of
//   DialogSizeToPixels(cx, cy), resizable only when bResizable, with a close
//   box when bSystemMenu; every control at DialogUnitsToPixels of its
//   rectangle, hidden or disabled as its style says, and where controls overlap
//   the one earlier in the template on top;
// - IDialogWindow on it: a control is the first of the template with that id;
//   an id the template lacks changes nothing and reads as empty. Texts are
//   UTF-8 both ways, multi-line edits give their line breaks as "\r\n";
// - the handler's calls, all on the user-interface thread: OnInitDialog once
//   the controls exist and before the window shows (when it answers true the
//   focus starts on the first control she can Tab to; false: it set the
//   focus itself); OnCommand for push and
//   radio buttons, for Enter (the focused push button, else the visible and
//   enabled default one, else IDOK; a multi-line edit with kStyleWantReturn
//   keeps Enter as a line break) and for Escape (IDCANCEL, unless
//   bCloseOnEscape is false); OnDateChanged when the user changes or re-chooses
//   a picker's date, never for SetDate; OnSize on every resize; OnLButtonDown
//   for left presses on the window, statics included; OnPaint after the
//   toolkit's own painting; OnCtlColor for each control after OnInitDialog and
//   again after Invalidate(id); OnSysCommand for the entries of
//   AppendSystemMenu, shown in the window's menu; OnClose for the close box,
//   the window closing only if the handler ended the run; and OnDestroy, the
//   last call, as the window goes away;
// - Calendar controls from the handler's AsCalendarParent (calendar_parent.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/colour.h"
#include "model/date_value.h"

namespace gestalia {

class ICalendarParent;
class IDrawSurface;

// A font for controls: face, character height in pixels, weight (400 normal).
struct CControlFont {
    std::string strFace = "TAHOMA";
    int nPixelHeight = 15;
    int nWeight = 600;
};

// Colours a control asks its parent for (text, and optionally background).
struct CCtlColor {
    Colour crText = RGB(0, 0, 0);
    std::optional<Colour> crBack;  // none: the toolkit's own background
};

class IDialogWindow {
  public:
    virtual ~IDialogWindow() = default;

    virtual bool HasControl(int id) const = 0;
    virtual void ShowControl(int id, bool bShow) = 0;
    virtual bool IsControlVisible(int id) const = 0;
    virtual void EnableControl(int id, bool bEnable) = 0;
    virtual bool IsControlEnabled(int id) const = 0;
    virtual void SetControlText(int id, std::string_view utf8) = 0;
    virtual std::string GetControlText(int id) const = 0;
    // Client pixels (left, top, right, bottom); repaints the control.
    virtual void MoveControl(int id, const Rect& rc) = 0;
    virtual Rect GetControlRect(int id) const = 0;
    // Puts the control at the top of the sibling order.
    virtual void RaiseControl(int id) = 0;
    virtual void SetControlFont(int id, const CControlFont& font) = 0;
    // The picture (a bitmap resource id) of a push button.
    virtual void SetButtonBitmap(int id, int bitmapId) = 0;
    // Date and time pickers. Setting does not notify OnDateChanged.
    virtual void SetDate(int id, const CDateValue& dt) = 0;
    virtual CDateValue GetDate(int id) const = 0;
    // Radio buttons.
    virtual void SetCheck(int id, bool bChecked) = 0;
    virtual bool GetCheck(int id) const = 0;
    // Repaint a control (or the window with id 0).
    virtual void Invalidate(int id) = 0;
    // Gives the control the keyboard focus; before the window shows, the
    // focus it starts with.
    virtual void SetFocus(int id) = 0;

    virtual void SetCaption(std::string_view utf8) = 0;
    virtual Size GetClientSize() const = 0;
    // The user cannot make the client area smaller than this.
    virtual void SetMinimumClientSize(Size client) = 0;
    // Adds an entry to the window's menu; choosing it calls OnSysCommand(nCommand).
    virtual void AppendSystemMenu(std::string_view text, int nCommand) = 0;
    // Ends the modal run with this result.
    virtual void EndDialog(int nResult) = 0;
};

class IDialogHandler {
  public:
    virtual ~IDialogHandler() = default;

    // The window exists with its controls. True lets the platform choose the
    // first focus; false says the handler gave the focus itself.
    virtual bool OnInitDialog(IDialogWindow& window) = 0;
    // A push button or radio button (ids IDOK and IDCANCEL for OK, Cancel,
    // Enter and Escape).
    virtual void OnCommand(int id) = 0;
    // The user changed a date or time picker, or chose the date it already
    // shows (in its pop-up calendar, or with Enter in the box).
    virtual void OnDateChanged(int id) = 0;
    virtual void OnSize(Size client) = 0;
    // A left press on the window's own surface (clicks on statics land here).
    virtual void OnLButtonDown(Point pt) = 0;
    // Paints over the dialog's background, after the toolkit's own painting.
    virtual void OnPaint(IDrawSurface& surface) = 0;
    // The colours of a control; none keeps the toolkit's.
    virtual std::optional<CCtlColor> OnCtlColor(int id) = 0;
    virtual void OnSysCommand(int nCommand) = 0;
    // The user asks to close the window (its close box). The window closes
    // only if the handler ends the modal run; otherwise it stays as it is.
    virtual void OnClose() = 0;
    // The window became the active one again (she comes back to it).
    virtual void OnActivate() = 0;
    // The window is going away: the last call it makes. Whatever the handler
    // kept of it since OnInitDialog must not be used after this.
    virtual void OnDestroy(IDialogWindow& window) = 0;
    // The handler's side of its calendar controls; nullptr for a window
    // without any (calendar_parent.h).
    virtual ICalendarParent* AsCalendarParent() = 0;
};

}  // namespace gestalia
