#include "platform/win32/win32_dialog_window.h"

#include <windowsx.h>

#include <algorithm>

#include "model/win32_text.h"
#include "platform/calendar_parent.h"
#include "platform/win32/calendar_window.h"
#include "platform/win32/dialog_scaling.h"
#include "platform/win32/dialog_template_bytes.h"
#include "platform/win32/gdi_draw_surface.h"
#include "platform/win32/labelled_accessible.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_images.h"

namespace gestalia::win32 {

namespace {

constexpr wchar_t kDateFormat[] = L"dd/MM/yyyy";
constexpr wchar_t kTimeFormat[] = L"HH:mm:ss";
// The templates' font: 8 points.
constexpr int kDialogPointSize = 8;
// The system menu's own commands have the low four bits free for Windows' use.
constexpr WPARAM kSysCommandMask = 0xFFF0;

// A radio button or a check box: a button that is on or off.
bool IsCheckable(const CControlTemplate& ct) {
    return ct.kind == ControlKind::RadioButton || ct.kind == ControlKind::CheckBox;
}

bool IsPicker(const CControlTemplate& ct) {
    return ct.kind == ControlKind::DatePicker || ct.kind == ControlKind::TimePicker;
}

// Shown as far as the window is concerned, whether or not the window shows yet.
bool HasVisibleStyle(HWND hwnd) {
    return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool KeyDown(int vk) {
    return (::GetKeyState(vk) & 0x8000) != 0;
}

std::wstring WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

// Pickers show years from 1601 on, as SYSTEMTIME does.
std::optional<SYSTEMTIME> ToSystemTime(const CDateValue& dt) {
    if (!dt.IsValid() || dt.GetYear() < 1601 || dt.GetYear() > 9999) {
        return std::nullopt;
    }
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(dt.GetYear());
    st.wMonth = static_cast<WORD>(dt.GetMonth());
    st.wDay = static_cast<WORD>(dt.GetDay());
    st.wHour = static_cast<WORD>(dt.GetHour());
    st.wMinute = static_cast<WORD>(dt.GetMinute());
    st.wSecond = static_cast<WORD>(dt.GetSecond());
    return st;
}

HFONT MakeFont(int pixelHeight, int weight, const std::wstring& face) {
    // A positive height is the character cell (ascent plus descent), as the
    // control fonts are given.
    return ::CreateFontW(std::max(1, pixelHeight), 0, 0, 0, std::clamp(weight, 100, 900), FALSE,
                         FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
}

}  // namespace

CWin32DialogWindow::CWin32DialogWindow(const CDialogTemplate& tmpl, IDialogHandler& handler)
    : m_tmpl(tmpl), m_handler(handler) {
    m_controls.reserve(tmpl.controls.size());
    for (const CControlTemplate& ct : tmpl.controls) {
        CControl control;
        control.tmpl = ct;
        m_controls.push_back(std::move(control));
    }
}

CWin32DialogWindow::~CWin32DialogWindow() {
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
    }
    FreeResources();
}

int CWin32DialogWindow::RunModal(HWND hwndOwner) {
    const std::vector<DWORD> bytes = DialogTemplateBytes(m_tmpl);
    const INT_PTR result = ::DialogBoxIndirectParamW(
        ::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hwndOwner,
        &CWin32DialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1 || !m_bEnded) {
        return IDCANCEL;
    }
    return m_nResult;
}

INT_PTR CALLBACK CWin32DialogWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CWin32DialogWindow*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->m_hwnd = hwnd;
    }
    auto* self = reinterpret_cast<CWin32DialogWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    const INT_PTR handled = self->OnMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->FreeResources();
        self->m_hwnd = nullptr;
    }
    return handled;
}

INT_PTR CWin32DialogWindow::Result(LRESULT result) {
    ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CWin32DialogWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (m_bInitialised) {
                OnCommandMessage(wParam, lParam);
            }
            return TRUE;
        case WM_NOTIFY:
            if (m_bInitialised && lParam != 0) {
                OnNotifyMessage(*reinterpret_cast<const ::NMHDR*>(lParam));
            }
            return FALSE;
        case DM_GETDEFID:
            return Result(MAKELRESULT(DefaultCommand(), DC_HASDEFID));
        case WM_SIZE:
            if (m_bInitialised && wParam != SIZE_MINIMIZED) {
                m_handler.OnSize(UnscaleForDpi(Size{LOWORD(lParam), HIWORD(lParam)}, m_dpi));
            }
            return FALSE;
        case WM_GETMINMAXINFO:
            if (m_minClient) {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                const Size least = WindowSizeForClient(
                    ScaleForDpi(*m_minClient, m_dpi),
                    static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
                    static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), m_dpi);
                info->ptMinTrackSize.x = least.cx;
                info->ptMinTrackSize.y = least.cy;
                return Result(0);
            }
            return FALSE;
        case WM_LBUTTONDOWN:
            if (m_bInitialised) {
                m_handler.OnLButtonDown(Point{UnscaleForDpi(GET_X_LPARAM(lParam), m_dpi),
                                              UnscaleForDpi(GET_Y_LPARAM(lParam), m_dpi)});
            }
            return Result(0);
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && OnSetCursor(reinterpret_cast<HWND>(wParam))) {
                return Result(TRUE);
            }
            return FALSE;
        case WM_ERASEBKGND:
            // The paint fills the whole background off screen: nothing flickers.
            return Result(TRUE);
        case WM_PAINT:
            OnPaintMessage();
            return Result(0);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return OnCtlColorMessage(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                     msg);
        case WM_SYSCOMMAND: {
            const int command = static_cast<int>(wParam & kSysCommandMask);
            if (m_bInitialised && std::find(m_sysCommands.begin(), m_sysCommands.end(), command) !=
                                      m_sysCommands.end()) {
                m_handler.OnSysCommand(command);
                return Result(0);
            }
            return FALSE;
        }
        case WM_ACTIVATE:
            if (m_bInitialised && !m_bEnded && LOWORD(wParam) != WA_INACTIVE) {
                m_handler.OnActivate();
            }
            return FALSE;
        case WM_CLOSE:
            // The window closes only if the handler ends the run.
            if (m_bInitialised && !m_bEnded) {
                m_handler.OnClose();
            }
            return Result(0);
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return Result(0);
        case WM_DESTROY:
            if (m_bInitialised) {
                m_bInitialised = false;
                m_handler.OnDestroy(*this);
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void CWin32DialogWindow::OnInitDialog() {
    KeepDialogScalingToSelf(m_hwnd);
    m_dpi = WindowDpi(m_hwnd);
    BindControls();
    PlaceControls();
    const HICON big = ProgramIcon(SystemMetricForDpi(SM_CXICON, m_dpi));
    const HICON small = ProgramIcon(SystemMetricForDpi(SM_CXSMICON, m_dpi));
    if (big != nullptr) {
        ::SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (small != nullptr) {
        ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

    m_bInitialised = true;
    const bool bFirstFocus = m_handler.OnInitDialog(*this);
    if (!m_bInitialised) {
        return;  // the handler's OnInitDialog ended with the window
    }
    for (CControl& c : m_controls) {
        ApplyColour(c);
    }
    if (m_bEnded) {
        return;
    }
    // The window logic lays out for the size the window has when shown.
    m_handler.OnSize(GetClientSize());
    if (!bFirstFocus) {
        return;  // the handler gave the focus
    }
    // The focus starts on the first control she can Tab to in template order
    // (raising a control for its drawing changes the dialog manager's order).
    for (const CControl& c : m_controls) {
        if (c.hwnd != nullptr && (c.tmpl.style & kStyleTabStop) != 0 && HasVisibleStyle(c.hwnd) &&
            ::IsWindowEnabled(c.hwnd)) {
            ::SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c.hwnd), TRUE);
            break;
        }
    }
}

void CWin32DialogWindow::BindControls() {
    // The dialog manager made the controls in template order, each below the
    // ones before: the same order among the window's children.
    HWND child = ::GetWindow(m_hwnd, GW_CHILD);
    HWND previous = HWND_TOP;
    for (CControl& c : m_controls) {
        if (InDialogTemplate(c.tmpl)) {
            c.hwnd = child;
            child = child != nullptr ? ::GetWindow(child, GW_HWNDNEXT) : nullptr;
        } else {
            ICalendarParent* parent = m_handler.AsCalendarParent();
            CWMDateCtrl* calendar = parent != nullptr ? parent->GetCalendar(c.tmpl.id) : nullptr;
            if (calendar != nullptr) {
                const Rect rc = ScaleForDpi(DialogUnitsToPixels(c.tmpl.rect), m_dpi);
                c.hwnd = CreateCalendarWindow(m_hwnd, c.tmpl.id, rc, *calendar, *parent);
            }
            // Else an empty area: a template with a calendar its handler does
            // not know keeps its other controls working.
            if (c.hwnd != nullptr) {
                // In its template place among the others, for drawing and Tab.
                ::SetWindowPos(c.hwnd, previous, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                if ((c.tmpl.style & kStyleHidden) != 0) {
                    ::ShowWindow(c.hwnd, SW_HIDE);
                }
                ::EnableWindow(c.hwnd, (c.tmpl.style & kStyleDisabled) == 0);
            }
        }
        if (c.hwnd != nullptr) {
            previous = c.hwnd;
        }
        if (c.hwnd != nullptr && IsPicker(c.tmpl)) {
            ::SendMessageW(c.hwnd, DTM_SETFORMATW, 0,
                           reinterpret_cast<LPARAM>(
                               c.tmpl.kind == ControlKind::DatePicker ? kDateFormat : kTimeFormat));
            // Screen readers would name a picker by its date, an edit box by its label.
            NameByLabel(c.hwnd);
        }
    }
}

void CWin32DialogWindow::PlaceControls() {
    for (const CControl& c : m_controls) {
        if (c.hwnd == nullptr) {
            continue;
        }
        const Rect rc = ScaleForDpi(DialogUnitsToPixels(c.tmpl.rect), m_dpi);
        ::SetWindowPos(c.hwnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SizeClientArea(ScaleForDpi(DialogSizeToPixels(m_tmpl.cx, m_tmpl.cy), m_dpi));
}

void CWin32DialogWindow::SizeClientArea(Size client) {
    RECT window{};
    RECT inside{};
    ::GetWindowRect(m_hwnd, &window);
    ::GetClientRect(m_hwnd, &inside);
    // The frame is what the window has beyond its client area now.
    const int cx = client.cx + (window.right - window.left) - inside.right;
    const int cy = client.cy + (window.bottom - window.top) - inside.bottom;
    // Centred where the dialog manager centred it, and kept on its screen.
    int x = (window.left + window.right - cx) / 2;
    int y = (window.top + window.bottom - cy) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - cx));
        y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - cy));
    }
    ::SetWindowPos(m_hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

CWin32DialogWindow::CControl* CWin32DialogWindow::Find(int id) {
    auto it = std::find_if(m_controls.begin(), m_controls.end(),
                           [id](const CControl& c) { return c.tmpl.id == id; });
    return it != m_controls.end() && it->hwnd != nullptr ? &*it : nullptr;
}

const CWin32DialogWindow::CControl* CWin32DialogWindow::Find(int id) const {
    auto it = std::find_if(m_controls.begin(), m_controls.end(),
                           [id](const CControl& c) { return c.tmpl.id == id; });
    return it != m_controls.end() && it->hwnd != nullptr ? &*it : nullptr;
}

CWin32DialogWindow::CControl* CWin32DialogWindow::FindByHwnd(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto it = std::find_if(m_controls.begin(), m_controls.end(),
                           [hwnd](const CControl& c) { return c.hwnd == hwnd; });
    return it != m_controls.end() ? &*it : nullptr;
}

HWND CWin32DialogWindow::ControlHwnd(int id) const {
    const CControl* c = Find(id);
    return c != nullptr ? c->hwnd : nullptr;
}

bool CWin32DialogWindow::HasControl(int id) const {
    return std::any_of(m_controls.begin(), m_controls.end(),
                       [id](const CControl& c) { return c.tmpl.id == id; });
}

void CWin32DialogWindow::ShowControl(int id, bool bShow) {
    if (const HWND hwnd = ControlHwnd(id)) {
        ::ShowWindow(hwnd, bShow ? SW_SHOWNA : SW_HIDE);
    }
}

bool CWin32DialogWindow::IsControlVisible(int id) const {
    // Visible as far as the window is concerned, whether or not it is shown yet.
    const HWND hwnd = ControlHwnd(id);
    return hwnd != nullptr && HasVisibleStyle(hwnd);
}

void CWin32DialogWindow::EnableControl(int id, bool bEnable) {
    if (const HWND hwnd = ControlHwnd(id)) {
        ::EnableWindow(hwnd, bEnable ? TRUE : FALSE);
    }
}

bool CWin32DialogWindow::IsControlEnabled(int id) const {
    const HWND hwnd = ControlHwnd(id);
    return hwnd != nullptr && ::IsWindowEnabled(hwnd);
}

void CWin32DialogWindow::SetControlText(int id, std::string_view utf8) {
    const CControl* c = Find(id);
    if (c == nullptr) {
        return;
    }
    const std::wstring text = Utf16FromUtf8(
        c->tmpl.kind == ControlKind::Edit ? WindowsLineBreaks(utf8) : std::string(utf8));
    ::SetWindowTextW(c->hwnd, text.c_str());
}

std::string CWin32DialogWindow::GetControlText(int id) const {
    const HWND hwnd = ControlHwnd(id);
    return hwnd != nullptr ? Utf8FromUtf16(WindowText(hwnd)) : std::string();
}

void CWin32DialogWindow::MoveControl(int id, const Rect& rc) {
    if (const HWND hwnd = ControlHwnd(id)) {
        // Inverted rectangles of a very small window become empty controls.
        const Rect device = ScaleForDpi(rc, m_dpi);
        ::MoveWindow(hwnd, device.left, device.top, std::max(0, device.Width()),
                     std::max(0, device.Height()), TRUE);
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
}

Rect CWin32DialogWindow::GetControlRect(int id) const {
    const HWND hwnd = ControlHwnd(id);
    return hwnd != nullptr ? UnscaleForDpi(ChildRect(hwnd), m_dpi) : Rect{};
}

Rect CWin32DialogWindow::ChildRect(HWND hwnd) const {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, m_hwnd, reinterpret_cast<POINT*>(&rc), 2);
    return FromRECT(rc);
}

void CWin32DialogWindow::RaiseControl(int id) {
    if (const HWND hwnd = ControlHwnd(id)) {
        ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CWin32DialogWindow::SetControlFont(int id, const CControlFont& font) {
    if (CControl* c = Find(id)) {
        c->fontSpec = font;
        ApplyFont(*c);
    }
}

void CWin32DialogWindow::ApplyFont(CControl& control) {
    if (!control.fontSpec) {
        return;
    }
    const CControlFont& spec = *control.fontSpec;
    const HFONT font =
        MakeFont(ScaleForDpi(spec.nPixelHeight, m_dpi), spec.nWeight, Utf16FromUtf8(spec.strFace));
    if (font == nullptr) {
        return;
    }
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (control.hFont != nullptr) {
        ::DeleteObject(control.hFont);
    }
    control.hFont = font;
}

void CWin32DialogWindow::SetButtonBitmap(int id, int bitmapId) {
    CControl* c = Find(id);
    if (c == nullptr || c->tmpl.kind != ControlKind::PushButton ||
        BitmapResource(bitmapId) == nullptr) {
        return;
    }
    c->nBitmap = bitmapId;
    ApplyBitmap(*c);
}

void CWin32DialogWindow::ApplyBitmap(CControl& control) {
    if (control.nBitmap == 0) {
        return;
    }
    // The picture drawn for 96 dpi, stretched to the window's resolution.
    HBITMAP bitmap = BitmapResource(control.nBitmap);
    HBITMAP scaled = nullptr;
    BITMAP size{};
    if (m_dpi != kDefaultDpi && ::GetObjectW(bitmap, sizeof(size), &size) != 0) {
        scaled =
            static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, ScaleForDpi(size.bmWidth, m_dpi),
                                             ScaleForDpi(size.bmHeight, m_dpi), 0));
    }
    // The text stays the button's name (screen readers say it), unshown.
    const LONG_PTR style = ::GetWindowLongPtrW(control.hwnd, GWL_STYLE);
    ::SetWindowLongPtrW(control.hwnd, GWL_STYLE, (style & ~BS_MULTILINE) | BS_BITMAP);
    ::SendMessageW(control.hwnd, BM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(scaled != nullptr ? scaled : bitmap));
    if (control.hScaled != nullptr) {
        ::DeleteObject(control.hScaled);
    }
    control.hScaled = scaled;
}

void CWin32DialogWindow::SetDate(int id, const CDateValue& dt) {
    CControl* c = Find(id);
    if (c == nullptr) {
        return;
    }
    c->dtValue = dt;
    const std::optional<SYSTEMTIME> st = ToSystemTime(dt);
    if (!IsPicker(c->tmpl) || !st) {
        // A picker cannot show an invalid date: it keeps what it shows.
        return;
    }
    SYSTEMTIME shown = *st;
    if (c->tmpl.kind == ControlKind::TimePicker) {
        // Only the time is edited; the day it shows does not matter.
        SYSTEMTIME today{};
        ::GetLocalTime(&today);
        shown.wYear = today.wYear;
        shown.wMonth = today.wMonth;
        shown.wDay = today.wDay;
    }
    m_bSettingDate = true;
    ::SendMessageW(c->hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
    m_bSettingDate = false;
}

CDateValue CWin32DialogWindow::GetDate(int id) const {
    const CControl* c = Find(id);
    if (c == nullptr) {
        return CDateValue::FromRaw(0.0, DateStatus::invalid);
    }
    SYSTEMTIME st{};
    if (!IsPicker(c->tmpl) ||
        ::SendMessageW(c->hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) {
        return c->dtValue;
    }
    // The picker edits one part of its value; the other part is what was set.
    const CDateValue& set = c->dtValue;
    if (c->tmpl.kind == ControlKind::TimePicker) {
        const bool hasDate = set.IsValid();
        return CDateValue(hasDate ? set.GetYear() : 1899, hasDate ? set.GetMonth() : 12,
                          hasDate ? set.GetDay() : 30, st.wHour, st.wMinute, st.wSecond);
    }
    const bool hasTime = set.IsValid();
    return CDateValue(st.wYear, st.wMonth, st.wDay, hasTime ? set.GetHour() : 0,
                      hasTime ? set.GetMinute() : 0, hasTime ? set.GetSecond() : 0);
}

void CWin32DialogWindow::SetCheck(int id, bool bChecked) {
    const CControl* c = Find(id);
    if (c != nullptr && IsCheckable(c->tmpl)) {
        ::SendMessageW(c->hwnd, BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

bool CWin32DialogWindow::GetCheck(int id) const {
    const CControl* c = Find(id);
    return c != nullptr && IsCheckable(c->tmpl) &&
           ::SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CWin32DialogWindow::Invalidate(int id) {
    if (id == 0) {
        if (m_hwnd != nullptr) {
            ::InvalidateRect(m_hwnd, nullptr, FALSE);
        }
        return;
    }
    if (CControl* c = Find(id)) {
        ApplyColour(*c);
    }
}

void CWin32DialogWindow::SetCaption(std::string_view utf8) {
    if (m_hwnd != nullptr) {
        ::SetWindowTextW(m_hwnd, Utf16FromUtf8(utf8).c_str());
    }
}

Size CWin32DialogWindow::GetClientSize() const {
    RECT rc{};
    if (m_hwnd != nullptr) {
        ::GetClientRect(m_hwnd, &rc);
    }
    return UnscaleForDpi(Size{rc.right, rc.bottom}, m_dpi);
}

void CWin32DialogWindow::SetMinimumClientSize(Size client) {
    m_minClient = Size{std::max(0, client.cx), std::max(0, client.cy)};
    // A window smaller already grows to it.
    const Size now = GetClientSize();
    if (m_hwnd != nullptr && (now.cx < m_minClient->cx || now.cy < m_minClient->cy)) {
        SizeClientArea(ScaleForDpi(
            Size{std::max(now.cx, m_minClient->cx), std::max(now.cy, m_minClient->cy)}, m_dpi));
    }
}

void CWin32DialogWindow::AppendSystemMenu(std::string_view text, int nCommand) {
    const HMENU menu = m_hwnd != nullptr ? ::GetSystemMenu(m_hwnd, FALSE) : nullptr;
    if (menu == nullptr) {
        return;
    }
    if (m_sysCommands.empty()) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(nCommand), Utf16FromUtf8(text).c_str());
    m_sysCommands.push_back(static_cast<int>(static_cast<WPARAM>(nCommand) & kSysCommandMask));
}

void CWin32DialogWindow::SetFocus(int id) {
    const CControl* c = Find(id);
    if (c != nullptr && c->hwnd != nullptr) {
        // As the dialog manager moves it: the default button follows.
        ::SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c->hwnd), TRUE);
    }
}

void CWin32DialogWindow::EndDialog(int nResult) {
    m_nResult = nResult;
    m_bEnded = true;
    if (m_hwnd != nullptr) {
        ::EndDialog(m_hwnd, nResult);
    }
}

void CWin32DialogWindow::ApplyColour(CControl& control) {
    if (control.hwnd == nullptr) {
        return;
    }
    control.colours = m_handler.OnCtlColor(control.tmpl.id);
    ::InvalidateRect(control.hwnd, nullptr, TRUE);
}

HBRUSH CWin32DialogWindow::Brush(Colour colour) {
    for (const auto& [c, brush] : m_brushes) {
        if (c == colour) {
            return brush;
        }
    }
    const HBRUSH brush = ::CreateSolidBrush(ToColorRef(colour));
    m_brushes.emplace_back(colour, brush);
    return brush;
}

INT_PTR CWin32DialogWindow::OnCtlColorMessage(HDC hdc, HWND hwndCtl, UINT msg) {
    const CControl* c = FindByHwnd(hwndCtl);
    if (!m_bInitialised || c == nullptr || !c->colours) {
        return FALSE;
    }
    ::SetTextColor(hdc, ToColorRef(c->colours->crText));
    if (c->colours->crBack) {
        ::SetBkColor(hdc, ToColorRef(*c->colours->crBack));
        return reinterpret_cast<INT_PTR>(Brush(*c->colours->crBack));
    }
    // The background Windows would have given: a box she types in is white,
    // the rest is the dialog's face.
    const int face = msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
    ::SetBkColor(hdc, ::GetSysColor(face));
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(face));
}

int CWin32DialogWindow::DefaultCommand() const {
    for (const CControl& c : m_controls) {
        if (c.tmpl.kind == ControlKind::PushButton && (c.tmpl.style & kStyleDefault) != 0 &&
            c.hwnd != nullptr && HasVisibleStyle(c.hwnd) && ::IsWindowEnabled(c.hwnd)) {
            return c.tmpl.id;
        }
    }
    return IDOK;
}

void CWin32DialogWindow::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
    const auto hwndCtl = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) != BN_CLICKED) {
        return;  // edits' and the others' notifications
    }
    const CControl* c = FindByHwnd(hwndCtl);
    const bool fromButton =
        c != nullptr && (c->tmpl.kind == ControlKind::PushButton || IsCheckable(c->tmpl));
    const int id = c != nullptr ? c->tmpl.id : static_cast<short>(LOWORD(wParam));
    // Escape comes as IDCANCEL, with or without a Cancel button's handle.
    if (id == IDCANCEL && KeyDown(VK_ESCAPE) && !m_tmpl.bCloseOnEscape) {
        return;
    }
    // Enter in a date box chooses the date it shows, as well as being Enter.
    if (KeyDown(VK_RETURN)) {
        const HWND focus = ::GetFocus();
        for (const CControl& picker : m_controls) {
            if (picker.tmpl.kind == ControlKind::DatePicker && picker.hwnd != nullptr &&
                (focus == picker.hwnd || ::IsChild(picker.hwnd, focus))) {
                m_handler.OnDateChanged(picker.tmpl.id);
                break;
            }
        }
        if (!m_bInitialised || m_bEnded) {
            return;
        }
    }
    if (fromButton || hwndCtl == nullptr || c == nullptr) {
        m_handler.OnCommand(id);
    }
}

void CWin32DialogWindow::OnNotifyMessage(const ::NMHDR& nm) {
    const CControl* c = FindByHwnd(nm.hwndFrom);
    if (c == nullptr || !IsPicker(c->tmpl)) {
        return;
    }
    if (nm.code == DTN_DATETIMECHANGE) {
        if (!m_bSettingDate) {
            m_bDateChosen = true;
            m_handler.OnDateChanged(c->tmpl.id);
        }
    } else if (nm.code == DTN_DROPDOWN) {
        m_bDateChosen = false;
    } else if (nm.code == DTN_CLOSEUP && !m_bDateChosen) {
        // Choosing the date it already shows is a choice too, though the
        // picker reports no change.
        m_handler.OnDateChanged(c->tmpl.id);
    }
}

bool CWin32DialogWindow::OnSetCursor(HWND hwndUnder) {
    // Statics are transparent to the mouse: over them the dialog is asked.
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hwnd, &pt);
    const bool overLink = std::any_of(m_controls.begin(), m_controls.end(), [&](const CControl& c) {
        if (c.hwnd == nullptr || (c.tmpl.style & kStyleLink) == 0 || !::IsWindowVisible(c.hwnd)) {
            return false;
        }
        if (c.hwnd == hwndUnder) {
            return true;
        }
        return hwndUnder == m_hwnd && c.tmpl.kind == ControlKind::Static &&
               ChildRect(c.hwnd).Contains(Point{pt.x, pt.y});
    });
    if (overLink) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    }
    return overLink;
}

void CWin32DialogWindow::OnPaintMessage() {
    CBufferedPaint paint(m_hwnd);
    RECT rc{};
    ::GetClientRect(m_hwnd, &rc);
    ::FillRect(paint.Dc(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_bInitialised) {
        // The handler paints in 96-dpi pixels; GDI scales them, fonts and
        // pictures included, to the window's resolution.
        const HDC dc = paint.Dc();
        const int mode = ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowExtEx(dc, kDefaultDpi, kDefaultDpi, nullptr);
        ::SetViewportExtEx(dc, m_dpi, m_dpi, nullptr);
        {
            CGdiDrawSurface surface(dc, kDefaultDpi);
            m_handler.OnPaint(surface);
        }
        ::SetMapMode(dc, mode);
    }
    // Frames lie over what was painted beneath them; they draw the same
    // border again themselves.
    for (const CControl& c : m_controls) {
        if (c.tmpl.kind == ControlKind::Frame && c.hwnd != nullptr && HasVisibleStyle(c.hwnd)) {
            const RECT frame = ToRECT(ChildRect(c.hwnd));
            ::FrameRect(paint.Dc(), &frame, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        }
    }
}

void CWin32DialogWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi > 0 ? dpi : kDefaultDpi;
    // The dialog font at the new resolution, for every control without its own.
    const HFONT dialogFont =
        ::CreateFontW(-::MulDiv(kDialogPointSize, m_dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Shell Dlg");
    for (CControl& c : m_controls) {
        if (c.hwnd == nullptr) {
            continue;
        }
        ApplyBitmap(c);
        if (c.fontSpec) {
            ApplyFont(c);
        } else if (dialogFont != nullptr) {
            ::SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), TRUE);
        }
    }
    if (m_hDialogFont != nullptr) {
        ::DeleteObject(m_hDialogFont);
    }
    m_hDialogFont = dialogFont;
    PlaceControls();
    // The suggested rectangle last: its WM_SIZE lets the logic lay out anew.
    ::SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWin32DialogWindow::FreeResources() {
    for (CControl& c : m_controls) {
        if (c.hFont != nullptr) {
            ::DeleteObject(c.hFont);
            c.hFont = nullptr;
        }
        if (c.hScaled != nullptr) {
            ::DeleteObject(c.hScaled);
            c.hScaled = nullptr;
        }
        c.hwnd = nullptr;
    }
    for (const auto& [colour, brush] : m_brushes) {
        ::DeleteObject(brush);
    }
    m_brushes.clear();
    if (m_hDialogFont != nullptr) {
        ::DeleteObject(m_hDialogFont);
        m_hDialogFont = nullptr;
    }
}

}  // namespace gestalia::win32
