#pragma once
// CWin32DialogWindow: a live dialog on Win32, built from a CDialogTemplate as
// an in-memory DLGTEMPLATEEX (dialog_template_bytes.h) and run modally with
// DialogBoxIndirectParamW. The dialog manager reckons dialog units from the
// font, so the window puts every control where DialogUnitsToPixels says,
// scaled from 96 dpi to the window's resolution, and sizes its client area
// the same way; it does so again when the window moves to a screen of another
// resolution. It hands the user's actions to its IDialogHandler as
// dialog_window.h describes, through the shared rules of dialog_window_base.h.
// Every pixel the handler gives or gets (control rectangles, sizes, presses,
// its painting) is a pixel at 96 dpi, scaled to the window's resolution here
// (dialog_scaling.h).
//
// The handler is not owned and must outlive the window.

#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/dialog_window_base.h"
#include "platform/win32/gdi_object.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

class CWin32DialogWindow final : public CDialogWindowBase {
  public:
    CWin32DialogWindow(const CDialogTemplate& tmpl, IDialogHandler& handler);
    ~CWin32DialogWindow() override;

    // Builds the window over `hwndOwner` (may be nullptr), runs it until
    // EndDialog and gives that result (IDCANCEL when it went away otherwise).
    int RunModal(HWND hwndOwner);

    // While the window lives: its handle, and a control's (the first with that id).
    HWND Hwnd() const { return m_hwnd; }
    HWND ControlHwnd(int id) const;
    int Dpi() const { return m_dpi; }

  private:
    // What the window has of one control: its handle, and the font and the
    // picture made for it at the window's resolution.
    struct CHandles {
        HWND hwnd = nullptr;
        GdiObject<HFONT> font;
        GdiObject<HBITMAP> scaled;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Sets the message's result for the dialog manager and says it was handled.
    INT_PTR Handled(LRESULT result);

    void Push(CControlSlot& slot, Part part) override;
    void PushWindow(WindowPart part) override;
    CShownValue Shown(const CControlSlot& slot) const override;
    Size ClientSize() const override;

    void OnInitDialog();
    void BindControls();
    void PlaceControls();
    void SizeClientArea(Size client);
    void ShowDate(const CControlSlot& slot, HWND hwnd);
    void ApplyFont(const CControlSlot& slot);
    void ApplyBitmap(const CControlSlot& slot);
    void OnCommandMessage(WPARAM wParam, LPARAM lParam);
    void OnNotifyMessage(const ::NMHDR& nm);
    INT_PTR OnCtlColorMessage(HDC hdc, HWND hwndCtl, UINT msg);
    bool OnSetCursor(HWND hwndUnder);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnPaintMessage();
    // A child's rectangle in client pixels.
    Rect ChildRect(HWND hwnd) const;
    HBRUSH Brush(Colour colour);
    const CControlSlot* SlotOf(HWND hwnd) const;
    HWND HwndOf(const CControlSlot& slot) const { return m_handles[IndexOf(slot)].hwnd; }

    HWND m_hwnd = nullptr;
    int m_dpi = 96;
    std::vector<CHandles> m_handles;  // one a control, in template order
    bool m_bSettingDate = false;      // SetDate's own notifications are not the user's
    bool m_bDateChosen = false;       // a change while the picker's calendar was open
    bool m_bHasMinimum = false;       // SetMinimumClientSize was called
    std::vector<int> m_sysCommands;
    std::vector<std::pair<Colour, GdiObject<HBRUSH>>> m_brushes;
    GdiObject<HFONT> m_dialogFont;  // the dialog font remade for a new resolution
};

}  // namespace gestalia::win32
