#include "platform/win32/calendar_accessible.h"

#include <string>

#include "calendar/cell_data.h"
#include "model/win32_text.h"
#include "platform/win32/accessible_object.h"

namespace gestalia::win32 {

namespace {

constexpr wchar_t kName[] = L"Calendario";

// The child id of a VARIANT: CHILDID_SELF (0), 1 to 42, or -1 for anything else.
long ChildOf(const VARIANT& child) {
    if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > kCells) {
        return -1;
    }
    return child.lVal;
}

VARIANT ChildVariant(long id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// An empty answer in an out parameter; false when there is none to fill.
bool Emptied(BSTR* out) {
    return out != nullptr && (*out = nullptr, true);
}
bool Emptied(VARIANT* out) {
    return out != nullptr && (::VariantInit(out), true);
}
bool Emptied(IDispatch** out) {
    return out != nullptr && (*out = nullptr, true);
}

// The list and its days. Each day is a simple element of the list (a child
// id, no object of its own). While connected it reads the control and the
// window; Disconnect() cuts both, for the clients that still hold it.
class CCalendarAccessible final : public CAccessibleObject {
  public:
    CCalendarAccessible(HWND hwnd, CWMDateCtrl& ctrl) : m_hwnd(hwnd), m_pCtrl(&ctrl) {}

    void Disconnect() {
        m_hwnd = nullptr;
        m_pCtrl = nullptr;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return NoText(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        return NoText(text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return NoText(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (topic != nullptr) {
            *topic = 0;
        }
        return NoText(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
        return NoText(text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* text) override {
        return NoText(text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override {
        return Gone() ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override {
        return Gone() ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    bool Gone() const { return m_pCtrl == nullptr; }
    // What a question about one child checks once its answer is emptied:
    // the connection, then the child (CHILDID_SELF or a day) into `id`.
    HRESULT Asked(const VARIANT& child, long& id) const {
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        id = ChildOf(child);
        return id < 0 ? E_INVALIDARG : S_OK;
    }
    // A property none of the days has.
    HRESULT NoText(BSTR* text) const {
        if (!Emptied(text)) {
            return E_POINTER;
        }
        return Gone() ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
    }
    // The cell of a child id, in the window's client pixels; empty when not laid out.
    Rect CellRect(long id) const { return m_pCtrl->GetCell(static_cast<int>(id))->m_rcCell; }

    HWND m_hwnd;
    CWMDateCtrl* m_pCtrl;
};

HRESULT CCalendarAccessible::get_accParent(IDispatch** parent) {
    if (!Emptied(parent)) {
        return E_POINTER;
    }
    if (Gone()) {
        return RPC_E_DISCONNECTED;
    }
    // The window object around the client area, as the system makes it.
    return ::AccessibleObjectFromWindow(m_hwnd, static_cast<DWORD>(OBJID_WINDOW),
                                        __uuidof(IDispatch), reinterpret_cast<void**>(parent));
}

HRESULT CCalendarAccessible::get_accChildCount(long* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = Gone() ? 0 : kCells;
    return Gone() ? RPC_E_DISCONNECTED : S_OK;
}

HRESULT CCalendarAccessible::get_accChild(VARIANT child, IDispatch** out) {
    long id = 0;
    if (!Emptied(out)) {
        return E_POINTER;
    }
    const HRESULT asked = Asked(child, id);
    // The days are simple elements: S_FALSE says so.
    return asked != S_OK ? asked : id != CHILDID_SELF ? S_FALSE : E_INVALIDARG;
}

HRESULT CCalendarAccessible::get_accName(VARIANT child, BSTR* name) {
    long id = 0;
    if (!Emptied(name)) {
        return E_POINTER;
    }
    if (const HRESULT asked = Asked(child, id); asked != S_OK) {
        return asked;
    }
    return Text(id == CHILDID_SELF ? std::wstring(kName)
                                   : Utf16FromUtf8(m_pCtrl->DayDescription(static_cast<int>(id))),
                name);
}

HRESULT CCalendarAccessible::get_accRole(VARIANT child, VARIANT* role) {
    long id = 0;
    if (!Emptied(role)) {
        return E_POINTER;
    }
    if (const HRESULT asked = Asked(child, id); asked != S_OK) {
        return asked;
    }
    *role = ChildVariant(id == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
    return S_OK;
}

HRESULT CCalendarAccessible::get_accState(VARIANT child, VARIANT* state) {
    long id = 0;
    if (!Emptied(state)) {
        return E_POINTER;
    }
    if (const HRESULT asked = Asked(child, id); asked != S_OK) {
        return asked;
    }
    const bool focused = m_pCtrl->HasFocus();
    long s = STATE_SYSTEM_FOCUSABLE;
    if (id == CHILDID_SELF) {
        s |= focused ? STATE_SYSTEM_FOCUSED : 0;
        s |= ::IsWindowVisible(m_hwnd) ? 0 : STATE_SYSTEM_INVISIBLE;
    } else {
        const bool chosen = m_pCtrl->ChosenCellIndex() == id;
        s |= STATE_SYSTEM_SELECTABLE;
        s |= chosen ? STATE_SYSTEM_SELECTED : 0;
        s |= chosen && focused ? STATE_SYSTEM_FOCUSED : 0;
        s |= CellRect(id).IsEmpty() ? STATE_SYSTEM_INVISIBLE : 0;
    }
    *state = ChildVariant(s);
    return S_OK;
}

HRESULT CCalendarAccessible::get_accFocus(VARIANT* child) {
    if (!Emptied(child)) {
        return E_POINTER;
    }
    if (Gone()) {
        return RPC_E_DISCONNECTED;
    }
    if (!m_pCtrl->HasFocus()) {
        return S_FALSE;  // VT_EMPTY: the focus is elsewhere
    }
    // The chosen day, or the list itself when that day is not shown.
    *child = ChildVariant(m_pCtrl->ChosenCellIndex());
    return S_OK;
}

HRESULT CCalendarAccessible::get_accSelection(VARIANT* children) {
    if (!Emptied(children)) {
        return E_POINTER;
    }
    if (Gone()) {
        return RPC_E_DISCONNECTED;
    }
    const int chosen = m_pCtrl->ChosenCellIndex();
    if (chosen == 0) {
        return S_FALSE;
    }
    *children = ChildVariant(chosen);
    return S_OK;
}

HRESULT CCalendarAccessible::accLocation(long* left, long* top, long* width, long* height,
                                         VARIANT child) {
    long id = 0;
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    if (const HRESULT asked = Asked(child, id); asked != S_OK) {
        return asked;
    }
    RECT rc{};
    if (id == CHILDID_SELF) {
        ::GetClientRect(m_hwnd, &rc);
    } else {
        rc = ToRECT(CellRect(id));
    }
    // Screen pixels, as every client asks.
    ::MapWindowPoints(m_hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    *left = rc.left;
    *top = rc.top;
    *width = rc.right - rc.left;
    *height = rc.bottom - rc.top;
    return S_OK;
}

HRESULT CCalendarAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    long id = 0;
    if (!Emptied(end)) {
        return E_POINTER;
    }
    if (const HRESULT asked = Asked(start, id); asked != S_OK) {
        return asked;
    }
    // Among the days, in index order: a week is a row.
    long to = 0;
    switch (direction) {
        case NAVDIR_FIRSTCHILD:
            to = id == CHILDID_SELF ? 1 : 0;
            break;
        case NAVDIR_LASTCHILD:
            to = id == CHILDID_SELF ? kCells : 0;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT:
            to = id != CHILDID_SELF && id < kCells ? id + 1 : 0;
            break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT:
            to = id > 1 ? id - 1 : 0;
            break;
        case NAVDIR_DOWN:
            to = id != CHILDID_SELF && id + kDaysPerRow <= kCells ? id + kDaysPerRow : 0;
            break;
        case NAVDIR_UP:
            to = id > kDaysPerRow ? id - kDaysPerRow : 0;
            break;
        default:
            return E_INVALIDARG;
    }
    if (to == 0) {
        return S_FALSE;  // none that way (the list's siblings are the system's)
    }
    *end = ChildVariant(to);
    return S_OK;
}

HRESULT CCalendarAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!Emptied(child)) {
        return E_POINTER;
    }
    if (Gone()) {
        return RPC_E_DISCONNECTED;
    }
    POINT pt{x, y};
    ::ScreenToClient(m_hwnd, &pt);
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    if (!::PtInRect(&client, pt)) {
        return S_FALSE;
    }
    long hit = CHILDID_SELF;
    for (long id = 1; id <= kCells && hit == CHILDID_SELF; ++id) {
        hit = CellRect(id).Contains({pt.x, pt.y}) ? id : CHILDID_SELF;
    }
    *child = ChildVariant(hit);
    return S_OK;
}

CCalendarAccessibility::~CCalendarAccessibility() {
    if (m_pObject != nullptr) {
        m_pObject->Disconnect();
        // Clients in other processes hold proxies: they get RPC_E_DISCONNECTED.
        ::CoDisconnectObject(m_pObject, 0);
        m_pObject->Release();
    }
}

LRESULT CCalendarAccessibility::GetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return 0;
    }
    if (m_pObject == nullptr) {
        m_pObject = new CCalendarAccessible(m_hwnd, m_ctrl);
    }
    return ::LresultFromObject(__uuidof(IAccessible), wParam, m_pObject);
}

void CCalendarAccessibility::FollowChosenDay() {
    const int chosen = m_ctrl.ChosenCellIndex();
    const bool focus = m_ctrl.HasFocus();
    const CDateValue day = m_ctrl.GetChosenDay();
    const bool moved = chosen != m_nChosen || !(day == m_dtChosen);
    const bool focusTaken = focus && !m_bFocus;
    m_nChosen = chosen;
    m_dtChosen = day;
    m_bFocus = focus;
    if (chosen == 0) {
        return;
    }
    if (moved) {
        ::NotifyWinEvent(EVENT_OBJECT_SELECTION, m_hwnd, OBJID_CLIENT, chosen);
    }
    if (focus && (moved || focusTaken)) {
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hwnd, OBJID_CLIENT, chosen);
    }
}

}  // namespace gestalia::win32
