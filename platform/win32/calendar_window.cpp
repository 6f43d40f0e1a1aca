#include "platform/win32/calendar_window.h"

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/calendar_host.h"
#include "calendar/keys.h"
#include "model/win32_text.h"
#include "platform/line_breaks.h"
#include "platform/win32/calendar_accessible.h"
#include "platform/win32/gdi_draw_surface.h"
#include "platform/win32/win32_dpi.h"

namespace gestalia::win32 {

namespace {

constexpr wchar_t kClassName[] = L"GestaliaCalendar";
constexpr UINT_PTR kNoteTool = 1;
constexpr int kTooltipWidth = 400;  // longer note lines wrap
// WM_DPICHANGED_AFTERPARENT, Windows 10 (1703): the window's dpi changed.
constexpr UINT kDpiChangedAfterParent = 0x02E3;
// Posted by a repaint request: the control's change is complete when it
// comes, and screen readers are told where the chosen day went.
constexpr UINT kFollowChosenDay = WM_APP + 1;

Point PointOf(LPARAM lParam) {
    // The coordinates are signed 16-bit words (GET_X_LPARAM, GET_Y_LPARAM).
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool KeyHeld(int key) {
    return ::GetKeyState(key) < 0;
}

std::uint32_t Modifiers(bool alt) {
    std::uint32_t m = kModNone;
    m |= KeyHeld(VK_SHIFT) ? kModShift : 0u;
    m |= KeyHeld(VK_CONTROL) ? kModControl : 0u;
    m |= alt ? kModAlt : 0u;
    return m;
}

class CCalendarWindow;

// What CreateWindowExW hands the new window.
struct CCreate {
    CCalendarWindow* window;
    bool taken = false;
};

// The window of one calendar control: the control's host while it lives.
class CCalendarWindow final : public ICalendarHost {
  public:
    CCalendarWindow(CWMDateCtrl& ctrl, ICalendarParent& parent) : m_ctrl(ctrl), m_parent(parent) {}

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();
    void Paint();
    // The control's answer to a key; false sends it on to DefWindowProc.
    bool Key(WPARAM key, bool alt);
    void MakeTooltip();
    void ResizeTooltip();
    // The tooltip's text is the note under the mouse; none hides it.
    void TrackTooltip(Point pt);
    void TooltipText(NMTTDISPINFOW& info);

    // ICalendarHost
    bool HasWindow() const override { return m_hwnd != nullptr; }
    void Invalidate() override;
    Size ClientSize() const override;
    int ScrollBarWidth() const override;
    Colour HighlightColour() const override;
    std::intptr_t SendNotify(const NMWMDATECTRL& nm) override { return m_parent.OnNotify(nm); }
    void ShowDayInPanels(const CDateValue& dtDay) override { m_parent.ShowDayInPanels(dtDay); }

    CWMDateCtrl& m_ctrl;
    ICalendarParent& m_parent;
    HWND m_hwnd = nullptr;
    HWND m_hTooltip = nullptr;
    std::optional<CCalendarAccessibility> m_access;  // while the window lives
    bool m_bFollowPosted = false;                    // kFollowChosenDay is on its way
    CGdiFontCache m_fonts;        // the paints' fonts, kept until the fonts or the dpi change
    std::int32_t m_nTipItem = 0;  // the note the tooltip shows, 0 for none
    std::wstring m_strTip;        // its text, alive while the tooltip shows it
};

LRESULT CALLBACK CCalendarWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create =
            static_cast<CCreate*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        create->taken = true;
        create->window->Attach(hwnd);
    }
    auto* self = reinterpret_cast<CCalendarWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
        delete self;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

void CCalendarWindow::Attach(HWND hwnd) {
    m_hwnd = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_access.emplace(hwnd, m_ctrl);
    m_ctrl.SetHost(this);
}

void CCalendarWindow::Detach() {
    m_ctrl.SetHost(nullptr);
    m_access.reset();
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    m_hwnd = nullptr;
}

LRESULT CCalendarWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            MakeTooltip();
            return 0;
        case WM_DESTROY:
            if (m_hTooltip != nullptr) {
                ::DestroyWindow(m_hTooltip);
                m_hTooltip = nullptr;
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the control paints its own background
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            ResizeTooltip();
            Invalidate();
            return 0;
        case kDpiChangedAfterParent:
        case WM_FONTCHANGE:
        case WM_SETTINGCHANGE:
            m_fonts.Clear();
            Invalidate();
            break;
        case WM_LBUTTONDOWN:
            ::SetFocus(m_hwnd);
            m_ctrl.OnLButtonDown(PointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            m_ctrl.OnLButtonDblClk(PointOf(lParam));
            return 0;
        case WM_RBUTTONDOWN:
            ::SetFocus(m_hwnd);
            m_ctrl.OnRButtonDown(PointOf(lParam));
            return 0;
        case WM_RBUTTONUP:
            // Not on to DefWindowProc: the control's right click is the whole
            // answer, no WM_CONTEXTMENU follows.
            m_ctrl.OnRButtonUp(PointOf(lParam));
            return 0;
        case WM_CONTEXTMENU:
            return 0;  // the menu key and Shift+F10 reach the control as keys
        case WM_MOUSEMOVE:
            TrackTooltip(PointOf(lParam));
            break;
        case WM_KEYDOWN:
            if (Key(wParam, false)) {
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
            // F10 comes as a system key, and so does every key with Alt.
            if (Key(wParam, (HIWORD(lParam) & KF_ALTDOWN) != 0)) {
                return 0;
            }
            break;
        case WM_GETDLGCODE: {
            // The arrows are the control's; Enter too, rather than the
            // dialog's default button. Tab and Escape stay the dialog's.
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_SETFOCUS:
            m_ctrl.OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            m_ctrl.OnKillFocus();
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer = m_access->GetObject(wParam, lParam); answer != 0) {
                return answer;
            }
            break;
        case kFollowChosenDay:
            m_bFollowPosted = false;
            m_access->FollowChosenDay();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const ::NMHDR*>(lParam);
            if (header->hwndFrom == m_hTooltip && header->code == TTN_GETDISPINFOW) {
                TooltipText(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
                return 0;
            }
            break;
        }
        default:
            break;
    }
    return ::DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void CCalendarWindow::Paint() {
    const CBufferedPaint paint(m_hwnd);
    CGdiDrawSurface surface(paint.Dc(), WindowDpi(m_hwnd), &m_fonts);
    m_ctrl.OnEraseBkgnd(surface);
    m_ctrl.OnPaint(surface);
}

bool CCalendarWindow::Key(WPARAM key, bool alt) {
    const bool mine = m_ctrl.OnKeyDown(static_cast<std::int32_t>(key), Modifiers(alt));
    if (mine && m_hTooltip != nullptr) {
        ::SendMessageW(m_hTooltip, TTM_POP, 0, 0);
    }
    return mine;
}

void CCalendarWindow::MakeTooltip() {
    m_hTooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (m_hTooltip == nullptr) {
        return;  // no tooltips, the calendar works without them
    }
    // One tool over the whole window; its text is asked for when it shows.
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_hwnd;
    tool.uId = kNoteTool;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::GetClientRect(m_hwnd, &tool.rect);
    ::SendMessageW(m_hTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_hTooltip, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
}

void CCalendarWindow::ResizeTooltip() {
    if (m_hTooltip == nullptr) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hwnd;
    tool.uId = kNoteTool;
    ::GetClientRect(m_hwnd, &tool.rect);
    ::SendMessageW(m_hTooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CCalendarWindow::TrackTooltip(Point pt) {
    const std::int32_t id = m_ctrl.ItemIdAt(pt);
    if (m_hTooltip == nullptr || id == m_nTipItem) {
        return;
    }
    m_nTipItem = id;
    // Hidden now; over a note it shows again after the usual pause, with the
    // new note's text.
    ::SendMessageW(m_hTooltip, TTM_POP, 0, 0);
    ::SendMessageW(m_hTooltip, TTM_ACTIVATE, id != 0 ? TRUE : FALSE, 0);
}

void CCalendarWindow::TooltipText(NMTTDISPINFOW& info) {
    m_strTip.clear();
    if (m_nTipItem != 0) {
        // The tooltip breaks lines at CR LF.
        m_strTip = Utf16FromUtf8(WindowsLineBreaks(m_ctrl.ItemTooltip(m_nTipItem)));
    }
    info.lpszText = m_strTip.data();
    info.szText[0] = L'\0';
    info.hinst = nullptr;
}

void CCalendarWindow::Invalidate() {
    if (m_hwnd == nullptr) {
        return;
    }
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
    // Every change of the chosen day or of the focus repaints.
    if (!m_bFollowPosted) {
        m_bFollowPosted = ::PostMessageW(m_hwnd, kFollowChosenDay, 0, 0) != FALSE;
    }
}

Size CCalendarWindow::ClientSize() const {
    RECT client{};
    if (m_hwnd == nullptr || !::GetClientRect(m_hwnd, &client)) {
        return {};
    }
    return {client.right - client.left, client.bottom - client.top};
}

int CCalendarWindow::ScrollBarWidth() const {
    return SystemMetricForDpi(SM_CXVSCROLL, WindowDpi(m_hwnd));
}

Colour CCalendarWindow::HighlightColour() const {
    return static_cast<Colour>(::GetSysColor(COLOR_HIGHLIGHT));
}

bool RegisterCalendarClass(HINSTANCE instance) {
    // The process's window class, registered once for every calendar.
    static const bool registered = [instance] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &CCalendarWindow::WindowProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

}  // namespace

HWND CreateCalendarWindow(HWND hwndParent, int id, const Rect& rc, CWMDateCtrl& ctrl,
                          ICalendarParent& parent) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!RegisterCalendarClass(instance)) {
        return nullptr;
    }
    // The window owns its object from WM_NCCREATE on and deletes it with
    // WM_NCDESTROY; a window that never came that far leaves it here.
    CCreate create{new CCalendarWindow(ctrl, parent)};
    HWND hwnd =
        ::CreateWindowExW(0, kClassName, L"Calendario", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc.left,
                          rc.top, rc.Width(), rc.Height(), hwndParent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &create);
    if (!create.taken) {
        delete create.window;
    }
    return hwnd;
}

}  // namespace gestalia::win32
