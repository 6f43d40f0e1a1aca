#pragma once
// CDialogWindowBase: the part of every live dialog that is the same whatever
// the toolkit. It keeps each control's state in a CControlSlot (what the
// window logic set: text, place, colours, font, picture, date, check) and
// implements IDialogWindow on them once, with the rules both toolkits share:
// the picker's merge of its edited part with the kept one, Enter's command,
// Escape, the close box's question, the hand over links. A toolkit derives
// from it and only translates: Push puts a slot's state into its widget,
// Shown reads back what she may have changed, and its events become the
// calls in the protected part below. The fake of the tests derives from it
// too, so these rules run on every build.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/dialog_window.h"

namespace gestalia {

// One control of a live dialog as the window logic last set it.
struct CControlSlot {
    CControlTemplate tmpl;  // kind, id and style, and the text it was built with
    bool bVisible = true;
    bool bEnabled = true;
    std::string strText;  // as set, "\r\n" or "\n" as given
    Rect rc;              // client pixels at 96 dpi
    CDateValue dt;        // the date or time last set (any kind keeps it)
    bool bCheck = false;
    std::optional<CControlFont> font;  // none: the dialog's font
    int nBitmap = 0;                   // a push button's picture; 0: none
    std::optional<CCtlColor> colours;  // the handler's last answer
};

// What a control shows now that she may have changed since it was set.
struct CShownValue {
    std::optional<std::string> strText;  // edits and pickers, in the toolkit's line breaks
    std::optional<CDateValue> dtShown;   // pickers: the date (or the time) they show
    std::optional<bool> bCheck;          // radio buttons and check boxes
};

// An entry of the window's menu (AppendSystemMenu).
struct CMenuEntry {
    std::string strText;
    int nCommand = 0;
};

// The day a time without a date is kept on: day 0 of the agenda's dates.
inline constexpr int kPickerEpochYear = 1899;
inline constexpr int kPickerEpochMonth = 12;
inline constexpr int kPickerEpochDay = 30;

// What a picker of this kind holds when it shows `shown`: a date picker edits
// the date and keeps the time of `set`, a time picker the other way round; a
// `set` that is not valid lends midnight, or the epoch's day.
CDateValue PickerValue(ControlKind kind, const CDateValue& set, const CDateValue& shown);

bool IsPicker(const CControlTemplate& ct);
// A radio button or a check box: a button that is on or off.
bool IsCheckable(const CControlTemplate& ct);
// Enter in this control breaks the line instead of pressing a button.
bool EnterBreaksLine(const CControlTemplate& ct);

class CDialogWindowBase : public IDialogWindow {
  public:
    // What a toolkit puts into a control's widget (Push).
    enum class Part {
        Visible,
        Enabled,
        Text,
        Rect,
        Raise,
        Font,
        Bitmap,
        Date,
        Check,
        Colours,
        Focus
    };
    // What it puts into the window (PushWindow).
    enum class WindowPart { Caption, MinimumSize, Menu, Repaint, End };

    CDialogWindowBase(const CDialogTemplate& tmpl, IDialogHandler* handler);
    CDialogWindowBase(const CDialogWindowBase&) = delete;
    CDialogWindowBase& operator=(const CDialogWindowBase&) = delete;

    // IDialogWindow. An id the template lacks changes nothing and reads as
    // empty (Missing is told).
    bool HasControl(int id) const final;
    void ShowControl(int id, bool bShow) final;
    bool IsControlVisible(int id) const final;
    void EnableControl(int id, bool bEnable) final;
    bool IsControlEnabled(int id) const final;
    void SetControlText(int id, std::string_view utf8) final;
    std::string GetControlText(int id) const final;
    void MoveControl(int id, const Rect& rc) final;
    Rect GetControlRect(int id) const final;
    void RaiseControl(int id) final;
    void SetControlFont(int id, const CControlFont& font) final;
    void SetButtonBitmap(int id, int bitmapId) final;
    void SetDate(int id, const CDateValue& dt) final;
    CDateValue GetDate(int id) const final;
    void SetCheck(int id, bool bChecked) final;
    bool GetCheck(int id) const final;
    void Invalidate(int id) final;
    void SetFocus(int id) final;
    void SetCaption(std::string_view utf8) final;
    Size GetClientSize() const final { return ClientSize(); }
    void SetMinimumClientSize(Size client) final;
    void AppendSystemMenu(std::string_view text, int nCommand) final;
    void EndDialog(int nResult) final;

    const CDialogTemplate& Template() const { return m_tmpl; }
    const std::string& Caption() const { return m_strCaption; }
    // The least client size the window logic set (0 x 0 if none).
    Size MinimumClientSize() const { return m_minClient; }
    const std::vector<CMenuEntry>& SystemMenu() const { return m_menu; }
    // The result of EndDialog, once it was called (the last call's).
    std::optional<int> Result() const { return m_nResult; }

    // The command Enter gives, the focused control's id given: the focused
    // push button, else the first visible and enabled default one, else IDOK.
    int EnterCommand(std::optional<int> focusedId) const;
    // Over a visible link static at this point (statics let the mouse through
    // to the window, which shows the hand for them).
    bool LinkStaticAt(Point at) const;

  protected:
    // The slots in template order, and the first with an id (nullptr if none).
    std::vector<CControlSlot>& Slots() { return m_slots; }
    const std::vector<CControlSlot>& Slots() const { return m_slots; }
    CControlSlot* Slot(int id);
    const CControlSlot* Slot(int id) const;
    // A slot's place in template order, for a toolkit's parallel handles.
    std::size_t IndexOf(const CControlSlot& slot) const;

    IDialogHandler* Handler() const { return m_pHandler; }
    void SetHandler(IDialogHandler* handler) { m_pHandler = handler; }
    // Between InitDialog and Destroyed: the handler may be called.
    bool Live() const { return m_bLive; }
    bool Ended() const { return m_nResult.has_value(); }

    // The toolkit's events, as calls on the handler.
    // The window exists: OnInitDialog, then each control's colours. Gives the
    // handler's answer (true: the toolkit chooses the first focus).
    bool InitDialog();
    // The window goes away: OnDestroy, once.
    void Destroyed();
    void EnterPressed(std::optional<int> focusedId);
    // Cancel, unless the template keeps Escape from closing the window.
    void EscapePressed();
    // The close box: asks the handler unless the run has ended. True: the
    // window may close (the handler ended the run).
    bool CloseBoxPressed();
    void Activated();
    // Asks the handler for a control's colours again and pushes them.
    void RefreshColours(CControlSlot& slot);

    // What the toolkit does.
    virtual void Push(CControlSlot& slot, Part part) = 0;
    virtual void PushWindow(WindowPart part) = 0;
    virtual CShownValue Shown(const CControlSlot& slot) const = 0;
    virtual Size ClientSize() const = 0;
    // A call named an id the template lacks; `what` is the call.
    virtual void Missing(int id, const char* what) const;

  private:
    // The slot for a call on `id`; tells Missing when there is none.
    CControlSlot* Find(int id, const char* what);
    const CControlSlot* Find(int id, const char* what) const;

    CDialogTemplate m_tmpl;
    IDialogHandler* m_pHandler = nullptr;
    std::vector<CControlSlot> m_slots;
    std::string m_strCaption;
    Size m_minClient;
    std::vector<CMenuEntry> m_menu;
    std::optional<int> m_nResult;
    bool m_bLive = false;
};

}  // namespace gestalia
