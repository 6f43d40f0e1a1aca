#pragma once
// CWin32DialogWindow: a live dialog on Win32, built from a CDialogTemplate as
// an in-memory DLGTEMPLATEEX (dialog_template_bytes.h) and run modally with
// DialogBoxIndirectParamW. The dialog manager reckons dialog units from the
// font, so the window puts every control where DialogUnitsToPixels says,
// scaled from 96 dpi to the window's resolution, and sizes its client area
// the same way; it does so again when the window moves to a screen of another
// resolution. It hands the user's actions to its IDialogHandler as
// dialog_window.h describes. Every pixel the handler gives or gets (control
// rectangles, sizes, presses, its painting) is a pixel at 96 dpi, scaled to
// the window's resolution here (dialog_scaling.h).
//
// The handler is not owned and must outlive the window. The fonts and brushes
// the window makes are its own and freed when it goes away.

#include <optional>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/dialog_window.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

class CWin32DialogWindow final : public IDialogWindow {
  public:
    CWin32DialogWindow(const CDialogTemplate& tmpl, IDialogHandler& handler);
    ~CWin32DialogWindow() override;
    CWin32DialogWindow(const CWin32DialogWindow&) = delete;
    CWin32DialogWindow& operator=(const CWin32DialogWindow&) = delete;

    // Builds the window over `hwndOwner` (may be nullptr), runs it until
    // EndDialog and gives that result (IDCANCEL when it went away otherwise).
    int RunModal(HWND hwndOwner);

    // While the window lives: its handle, and a control's (the first with that id).
    HWND Hwnd() const { return m_hwnd; }
    HWND ControlHwnd(int id) const;
    int Dpi() const { return m_dpi; }

    // IDialogWindow
    bool HasControl(int id) const override;
    void ShowControl(int id, bool bShow) override;
    bool IsControlVisible(int id) const override;
    void EnableControl(int id, bool bEnable) override;
    bool IsControlEnabled(int id) const override;
    void SetControlText(int id, std::string_view utf8) override;
    std::string GetControlText(int id) const override;
    void MoveControl(int id, const Rect& rc) override;
    Rect GetControlRect(int id) const override;
    void RaiseControl(int id) override;
    void SetControlFont(int id, const CControlFont& font) override;
    void SetButtonBitmap(int id, int bitmapId) override;
    void SetDate(int id, const CDateValue& dt) override;
    CDateValue GetDate(int id) const override;
    void SetCheck(int id, bool bChecked) override;
    bool GetCheck(int id) const override;
    void Invalidate(int id) override;
    void SetFocus(int id) override;
    void SetCaption(std::string_view utf8) override;
    Size GetClientSize() const override;
    void SetMinimumClientSize(Size client) override;
    void AppendSystemMenu(std::string_view text, int nCommand) override;
    void EndDialog(int nResult) override;

  private:
    struct CControl {
        CControlTemplate tmpl;
        HWND hwnd = nullptr;
        CDateValue dtValue;  // pickers: the value last set; one part is edited
        std::optional<CCtlColor> colours;
        std::optional<CControlFont> fontSpec;
        HFONT hFont = nullptr;      // made for SetControlFont, owned
        int nBitmap = 0;            // SetButtonBitmap's resource id; 0: none
        HBITMAP hScaled = nullptr;  // that picture at the window's dpi, owned
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Sets the message's result for the dialog manager and says it was handled.
    INT_PTR Result(LRESULT result);

    void OnInitDialog();
    void BindControls();
    void PlaceControls();
    void SizeClientArea(Size client);
    void ApplyFont(CControl& control);
    void ApplyBitmap(CControl& control);
    void ApplyColour(CControl& control);
    void OnCommandMessage(WPARAM wParam, LPARAM lParam);
    void OnNotifyMessage(const ::NMHDR& nm);
    INT_PTR OnCtlColorMessage(HDC hdc, HWND hwndCtl, UINT msg);
    bool OnSetCursor(HWND hwndUnder);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnPaintMessage();
    int DefaultCommand() const;
    // A child's rectangle in client pixels.
    Rect ChildRect(HWND hwnd) const;
    HBRUSH Brush(Colour colour);
    void FreeResources();

    CControl* Find(int id);
    const CControl* Find(int id) const;
    CControl* FindByHwnd(HWND hwnd);

    CDialogTemplate m_tmpl;
    IDialogHandler& m_handler;
    HWND m_hwnd = nullptr;
    int m_dpi = 96;
    std::vector<CControl> m_controls;
    bool m_bInitialised = false;  // OnInitDialog called, OnDestroy not yet
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
    bool m_bSettingDate = false;  // SetDate's own notifications are not the user's
    bool m_bDateChosen = false;   // a change while the picker's calendar was open
    std::optional<Size> m_minClient;
    std::vector<int> m_sysCommands;
    std::vector<std::pair<Colour, HBRUSH>> m_brushes;
    HFONT m_hDialogFont = nullptr;  // the dialog font remade for a new resolution, owned
};

}  // namespace gestalia::win32
