#include "platform/win32/win32_dialog_window.h"

#include <windowsx.h>

#include <algorithm>

#include "model/win32_text.h"
#include "platform/calendar_parent.h"
#include "platform/surface_rules.h"
#include "platform/win32/calendar_window.h"
#include "platform/win32/dialog_font.h"
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
// The system menu's own commands have the low four bits free for Windows' use.
constexpr WPARAM kSysCommandMask = 0xFFF0;

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

// A control's own font: its height is the character cell (ascent plus
// descent), positive.
GdiObject<HFONT> MakeFont(int pixelHeight, int weight, const std::wstring& face) {
    return MakeGdiFont(std::max(1, pixelHeight), FontWeight(weight), face, FF_SWISS);
}

}  // namespace

CWin32DialogWindow::CWin32DialogWindow(const CDialogTemplate& tmpl, IDialogHandler& handler)
    : CDialogWindowBase(tmpl, &handler), m_handles(tmpl.controls.size()) {}

CWin32DialogWindow::~CWin32DialogWindow() {
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
    }
}

int CWin32DialogWindow::RunModal(HWND hwndOwner) {
    const std::vector<DWORD> bytes = DialogTemplateBytes(Template());
    const INT_PTR result = ::DialogBoxIndirectParamW(
        ::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hwndOwner,
        &CWin32DialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1 || !Ended()) {
        return IDCANCEL;
    }
    return *Result();
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
        // The controls are gone with the window; what was made for them goes
        // with this object.
        for (CHandles& h : self->m_handles) {
            h.hwnd = nullptr;
        }
        self->m_hwnd = nullptr;
    }
    return handled;
}

INT_PTR CWin32DialogWindow::Handled(LRESULT result) {
    ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CWin32DialogWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (Live()) {
                OnCommandMessage(wParam, lParam);
            }
            return TRUE;
        case WM_NOTIFY:
            if (Live() && lParam != 0) {
                OnNotifyMessage(*reinterpret_cast<const ::NMHDR*>(lParam));
            }
            return FALSE;
        case DM_GETDEFID:
            // The dialog manager presses a focused push button itself.
            return Handled(MAKELRESULT(EnterCommand(std::nullopt), DC_HASDEFID));
        case WM_SIZE:
            if (Live() && wParam != SIZE_MINIMIZED) {
                Handler()->OnSize(UnscaleForDpi(Size{LOWORD(lParam), HIWORD(lParam)}, m_dpi));
            }
            return FALSE;
        case WM_GETMINMAXINFO:
            if (m_bHasMinimum) {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                const Size least = WindowSizeForClient(
                    ScaleForDpi(MinimumClientSize(), m_dpi),
                    static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
                    static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), m_dpi);
                info->ptMinTrackSize.x = least.cx;
                info->ptMinTrackSize.y = least.cy;
                return Handled(0);
            }
            return FALSE;
        case WM_LBUTTONDOWN:
            if (Live()) {
                Handler()->OnLButtonDown(Point{UnscaleForDpi(GET_X_LPARAM(lParam), m_dpi),
                                               UnscaleForDpi(GET_Y_LPARAM(lParam), m_dpi)});
            }
            return Handled(0);
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && OnSetCursor(reinterpret_cast<HWND>(wParam))) {
                return Handled(TRUE);
            }
            return FALSE;
        case WM_ERASEBKGND:
            // The paint fills the whole background off screen: nothing flickers.
            return Handled(TRUE);
        case WM_PAINT:
            OnPaintMessage();
            return Handled(0);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return OnCtlColorMessage(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                     msg);
        case WM_SYSCOMMAND: {
            const int command = static_cast<int>(wParam & kSysCommandMask);
            if (Live() && std::find(m_sysCommands.begin(), m_sysCommands.end(), command) !=
                              m_sysCommands.end()) {
                Handler()->OnSysCommand(command);
                return Handled(0);
            }
            return FALSE;
        }
        case WM_ACTIVATE:
            if (Live() && LOWORD(wParam) != WA_INACTIVE) {
                Activated();
            }
            return FALSE;
        case WM_CLOSE:
            if (Live()) {
                CloseBoxPressed();
            }
            return Handled(0);
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return Handled(0);
        case WM_DESTROY:
            Destroyed();
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

    const bool bFirstFocus = InitDialog();
    if (!Live() || Ended()) {
        return;  // the handler's OnInitDialog ended the run, or the window
    }
    // The window logic lays out for the size the window has when shown.
    Handler()->OnSize(GetClientSize());
    if (!bFirstFocus) {
        return;  // the handler gave the focus
    }
    // The focus starts on the first control she can Tab to in template order
    // (raising a control for its drawing changes the dialog manager's order).
    for (const CControlSlot& slot : Slots()) {
        if (HwndOf(slot) != nullptr && (slot.tmpl.style & kStyleTabStop) != 0 && slot.bVisible &&
            slot.bEnabled) {
            ::SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(HwndOf(slot)), TRUE);
            break;
        }
    }
}

void CWin32DialogWindow::BindControls() {
    // The dialog manager made the controls in template order, each below the
    // ones before: the same order among the window's children.
    HWND child = ::GetWindow(m_hwnd, GW_CHILD);
    HWND previous = HWND_TOP;
    for (const CControlSlot& slot : Slots()) {
        HWND& hwnd = m_handles[IndexOf(slot)].hwnd;
        if (InDialogTemplate(slot.tmpl)) {
            hwnd = child;
            child = child != nullptr ? ::GetWindow(child, GW_HWNDNEXT) : nullptr;
        } else {
            ICalendarParent* parent = Handler()->AsCalendarParent();
            CWMDateCtrl* calendar = parent != nullptr ? parent->GetCalendar(slot.tmpl.id) : nullptr;
            if (calendar != nullptr) {
                hwnd = CreateCalendarWindow(m_hwnd, slot.tmpl.id, ScaleForDpi(slot.rc, m_dpi),
                                            *calendar, *parent);
            }
            // Else an empty area: a template with a calendar its handler does
            // not know keeps its other controls working.
            if (hwnd != nullptr) {
                // In its template place among the others, for drawing and Tab.
                ::SetWindowPos(hwnd, previous, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                if (!slot.bVisible) {
                    ::ShowWindow(hwnd, SW_HIDE);
                }
                ::EnableWindow(hwnd, slot.bEnabled ? TRUE : FALSE);
            }
        }
        if (hwnd != nullptr) {
            previous = hwnd;
        }
        if (hwnd != nullptr && IsPicker(slot.tmpl)) {
            ::SendMessageW(
                hwnd, DTM_SETFORMATW, 0,
                reinterpret_cast<LPARAM>(slot.tmpl.kind == ControlKind::DatePicker ? kDateFormat
                                                                                   : kTimeFormat));
            // Screen readers would name a picker by its date, an edit box by its label.
            NameByLabel(hwnd);
        }
    }
}

void CWin32DialogWindow::PlaceControls() {
    for (const CControlSlot& slot : Slots()) {
        if (const HWND hwnd = HwndOf(slot)) {
            const Rect rc = ScaleForDpi(slot.rc, m_dpi);
            ::SetWindowPos(hwnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SizeClientArea(ScaleForDpi(DialogSizeToPixels(Template().cx, Template().cy), m_dpi));
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

const CControlSlot* CWin32DialogWindow::SlotOf(HWND hwnd) const {
    if (hwnd == nullptr) {
        return nullptr;
    }
    for (const CControlSlot& slot : Slots()) {
        if (HwndOf(slot) == hwnd) {
            return &slot;
        }
    }
    return nullptr;
}

HWND CWin32DialogWindow::ControlHwnd(int id) const {
    const CControlSlot* slot = Slot(id);
    return slot != nullptr ? HwndOf(*slot) : nullptr;
}

void CWin32DialogWindow::Push(CControlSlot& slot, Part part) {
    const HWND hwnd = HwndOf(slot);
    if (hwnd == nullptr) {
        return;
    }
    switch (part) {
        case Part::Visible:
            ::ShowWindow(hwnd, slot.bVisible ? SW_SHOWNA : SW_HIDE);
            break;
        case Part::Enabled:
            ::EnableWindow(hwnd, slot.bEnabled ? TRUE : FALSE);
            break;
        case Part::Text:
            ::SetWindowTextW(hwnd, Utf16FromUtf8(slot.tmpl.kind == ControlKind::Edit
                                                     ? WindowsLineBreaks(slot.strText)
                                                     : slot.strText)
                                       .c_str());
            break;
        case Part::Rect: {
            // Inverted rectangles of a very small window become empty controls.
            const Rect device = ScaleForDpi(slot.rc, m_dpi);
            ::MoveWindow(hwnd, device.left, device.top, std::max(0, device.Width()),
                         std::max(0, device.Height()), TRUE);
            ::InvalidateRect(hwnd, nullptr, TRUE);
            break;
        }
        case Part::Raise:
            ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case Part::Font:
            ApplyFont(slot);
            break;
        case Part::Bitmap:
            ApplyBitmap(slot);
            break;
        case Part::Date:
            ShowDate(slot, hwnd);
            break;
        case Part::Check:
            ::SendMessageW(hwnd, BM_SETCHECK, slot.bCheck ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Part::Colours:
            // The colours are the slot's; the control asks for them as it paints.
            ::InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case Part::Focus:
            // As the dialog manager moves it: the default button follows.
            ::SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
            break;
    }
}

CShownValue CWin32DialogWindow::Shown(const CControlSlot& slot) const {
    CShownValue shown;
    const HWND hwnd = HwndOf(slot);
    if (hwnd == nullptr) {
        return shown;
    }
    if (slot.tmpl.kind == ControlKind::Edit || IsPicker(slot.tmpl)) {
        shown.strText = Utf8FromUtf16(WindowText(hwnd));
    }
    SYSTEMTIME st{};
    if (IsPicker(slot.tmpl) &&
        ::SendMessageW(hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID) {
        shown.dtShown = CDateValue(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    }
    if (IsCheckable(slot.tmpl)) {
        shown.bCheck = ::SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return shown;
}

void CWin32DialogWindow::ApplyFont(const CControlSlot& slot) {
    if (!slot.font) {
        return;
    }
    const CControlFont& spec = *slot.font;
    GdiObject<HFONT> font =
        MakeFont(ScaleForDpi(spec.nPixelHeight, m_dpi), spec.nWeight, Utf16FromUtf8(spec.strFace));
    if (font == nullptr) {
        return;
    }
    CHandles& handles = m_handles[IndexOf(slot)];
    ::SendMessageW(handles.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    handles.font = std::move(font);
}

void CWin32DialogWindow::ApplyBitmap(const CControlSlot& slot) {
    HBITMAP bitmap = slot.nBitmap != 0 ? BitmapResource(slot.nBitmap) : nullptr;
    if (bitmap == nullptr) {
        return;
    }
    // The picture drawn for 96 dpi, stretched to the window's resolution.
    GdiObject<HBITMAP> scaled;
    BITMAP size{};
    if (m_dpi != kDefaultDpi && ::GetObjectW(bitmap, sizeof(size), &size) != 0) {
        scaled.reset(
            static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, ScaleForDpi(size.bmWidth, m_dpi),
                                             ScaleForDpi(size.bmHeight, m_dpi), 0)));
    }
    // The text stays the button's name (screen readers say it), unshown.
    CHandles& handles = m_handles[IndexOf(slot)];
    const LONG_PTR style = ::GetWindowLongPtrW(handles.hwnd, GWL_STYLE);
    ::SetWindowLongPtrW(handles.hwnd, GWL_STYLE, (style & ~BS_MULTILINE) | BS_BITMAP);
    ::SendMessageW(handles.hwnd, BM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(scaled != nullptr ? scaled.get() : bitmap));
    handles.scaled = std::move(scaled);
}

void CWin32DialogWindow::ShowDate(const CControlSlot& slot, HWND hwnd) {
    const std::optional<SYSTEMTIME> st = ToSystemTime(slot.dt);
    if (!st) {
        // A picker cannot show an invalid date: it keeps what it shows.
        return;
    }
    SYSTEMTIME shown = *st;
    if (slot.tmpl.kind == ControlKind::TimePicker) {
        // Only the time is edited; the day it shows does not matter.
        SYSTEMTIME today{};
        ::GetLocalTime(&today);
        shown.wYear = today.wYear;
        shown.wMonth = today.wMonth;
        shown.wDay = today.wDay;
    }
    m_bSettingDate = true;
    ::SendMessageW(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
    m_bSettingDate = false;
}

void CWin32DialogWindow::PushWindow(WindowPart part) {
    if (m_hwnd == nullptr) {
        return;
    }
    switch (part) {
        case WindowPart::Caption:
            ::SetWindowTextW(m_hwnd, Utf16FromUtf8(Caption()).c_str());
            break;
        case WindowPart::MinimumSize: {
            m_bHasMinimum = true;
            // A window smaller already grows to it.
            const Size least = MinimumClientSize();
            const Size now = GetClientSize();
            if (now.cx < least.cx || now.cy < least.cy) {
                SizeClientArea(ScaleForDpi(
                    Size{std::max(now.cx, least.cx), std::max(now.cy, least.cy)}, m_dpi));
            }
            break;
        }
        case WindowPart::Menu: {
            const HMENU menu = ::GetSystemMenu(m_hwnd, FALSE);
            if (menu == nullptr) {
                break;
            }
            if (m_sysCommands.empty()) {
                ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            }
            const CMenuEntry& entry = SystemMenu().back();
            ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.nCommand),
                          Utf16FromUtf8(entry.strText).c_str());
            m_sysCommands.push_back(
                static_cast<int>(static_cast<WPARAM>(entry.nCommand) & kSysCommandMask));
            break;
        }
        case WindowPart::Repaint:
            ::InvalidateRect(m_hwnd, nullptr, FALSE);
            break;
        case WindowPart::End:
            ::EndDialog(m_hwnd, *Result());
            break;
    }
}

Size CWin32DialogWindow::ClientSize() const {
    RECT rc{};
    if (m_hwnd != nullptr) {
        ::GetClientRect(m_hwnd, &rc);
    }
    return UnscaleForDpi(Size{rc.right, rc.bottom}, m_dpi);
}

Rect CWin32DialogWindow::ChildRect(HWND hwnd) const {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, m_hwnd, reinterpret_cast<POINT*>(&rc), 2);
    return FromRECT(rc);
}

HBRUSH CWin32DialogWindow::Brush(Colour colour) {
    for (const auto& [c, brush] : m_brushes) {
        if (c == colour) {
            return brush.get();
        }
    }
    m_brushes.emplace_back(colour, GdiObject<HBRUSH>(::CreateSolidBrush(ToColorRef(colour))));
    return m_brushes.back().second.get();
}

INT_PTR CWin32DialogWindow::OnCtlColorMessage(HDC hdc, HWND hwndCtl, UINT msg) {
    const CControlSlot* slot = SlotOf(hwndCtl);
    if (!Live() || slot == nullptr || !slot->colours) {
        return FALSE;
    }
    const CCtlColor& colours = *slot->colours;
    ::SetTextColor(hdc, ToColorRef(colours.crText));
    if (colours.crBack) {
        ::SetBkColor(hdc, ToColorRef(*colours.crBack));
        return reinterpret_cast<INT_PTR>(Brush(*colours.crBack));
    }
    // The background Windows would have given: a box she types in is white,
    // the rest is the dialog's face.
    const int face = msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
    ::SetBkColor(hdc, ::GetSysColor(face));
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(face));
}

void CWin32DialogWindow::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
    const auto hwndCtl = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) != BN_CLICKED) {
        return;  // edits' and the others' notifications
    }
    const CControlSlot* slot = SlotOf(hwndCtl);
    const bool fromButton =
        slot != nullptr && (slot->tmpl.kind == ControlKind::PushButton || IsCheckable(slot->tmpl));
    const int id = slot != nullptr ? slot->tmpl.id : static_cast<short>(LOWORD(wParam));
    // Escape comes as IDCANCEL, with or without a Cancel button's handle.
    if (id == IDCANCEL && KeyDown(VK_ESCAPE)) {
        EscapePressed();
        return;
    }
    // Enter in a date box chooses the date it shows, as well as being Enter.
    if (KeyDown(VK_RETURN)) {
        const HWND focus = ::GetFocus();
        for (const CControlSlot& picker : Slots()) {
            const HWND hwnd = HwndOf(picker);
            if (picker.tmpl.kind == ControlKind::DatePicker && hwnd != nullptr &&
                (focus == hwnd || ::IsChild(hwnd, focus))) {
                Handler()->OnDateChanged(picker.tmpl.id);
                break;
            }
        }
        if (!Live() || Ended()) {
            return;
        }
    }
    if (fromButton || hwndCtl == nullptr || slot == nullptr) {
        Handler()->OnCommand(id);
    }
}

void CWin32DialogWindow::OnNotifyMessage(const ::NMHDR& nm) {
    const CControlSlot* slot = SlotOf(nm.hwndFrom);
    if (slot == nullptr || !IsPicker(slot->tmpl)) {
        return;
    }
    if (nm.code == DTN_DATETIMECHANGE) {
        if (!m_bSettingDate) {
            m_bDateChosen = true;
            Handler()->OnDateChanged(slot->tmpl.id);
        }
    } else if (nm.code == DTN_DROPDOWN) {
        m_bDateChosen = false;
    } else if (nm.code == DTN_CLOSEUP && !m_bDateChosen) {
        // Choosing the date it already shows is a choice too, though the
        // picker reports no change.
        Handler()->OnDateChanged(slot->tmpl.id);
    }
}

bool CWin32DialogWindow::OnSetCursor(HWND hwndUnder) {
    bool overLink = false;
    if (const CControlSlot* slot = SlotOf(hwndUnder)) {
        overLink = (slot->tmpl.style & kStyleLink) != 0 && ::IsWindowVisible(hwndUnder);
    } else if (hwndUnder == m_hwnd) {
        // Statics are transparent to the mouse: over them the dialog is asked.
        POINT pt{};
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hwnd, &pt);
        overLink = LinkStaticAt(Point{UnscaleForDpi(static_cast<int>(pt.x), m_dpi),
                                      UnscaleForDpi(static_cast<int>(pt.y), m_dpi)});
    }
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
    if (Live()) {
        // The handler paints in 96-dpi pixels; GDI scales them, fonts and
        // pictures included, to the window's resolution.
        const HDC dc = paint.Dc();
        const int mode = ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowExtEx(dc, kDefaultDpi, kDefaultDpi, nullptr);
        ::SetViewportExtEx(dc, m_dpi, m_dpi, nullptr);
        {
            CGdiDrawSurface surface(dc, kDefaultDpi);
            Handler()->OnPaint(surface);
        }
        ::SetMapMode(dc, mode);
    }
    // Frames lie over what was painted beneath them; they draw the same
    // border again themselves.
    for (const CControlSlot& slot : Slots()) {
        if (slot.tmpl.kind == ControlKind::Frame && HwndOf(slot) != nullptr && slot.bVisible) {
            const RECT frame = ToRECT(ChildRect(HwndOf(slot)));
            ::FrameRect(paint.Dc(), &frame, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        }
    }
}

void CWin32DialogWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi > 0 ? dpi : kDefaultDpi;
    // The dialog font at the new resolution, for every control without its own.
    GdiObject<HFONT> dialogFont = MakeDialogFont(m_dpi);
    for (const CControlSlot& slot : Slots()) {
        const HWND hwnd = HwndOf(slot);
        if (hwnd == nullptr) {
            continue;
        }
        ApplyBitmap(slot);
        if (slot.font) {
            ApplyFont(slot);
        } else if (dialogFont != nullptr) {
            ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont.get()), TRUE);
        }
    }
    m_dialogFont = std::move(dialogFont);
    PlaceControls();
    // The suggested rectangle last: its WM_SIZE lets the logic lay out anew.
    ::SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace gestalia::win32
