#include "platform/win32/labelled_accessible.h"

#include <string>

#include "platform/win32/accessible_object.h"

namespace gestalia::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x4C42;  // 'LB'

// The system's object for a control, with the label's name. Everything but
// the control's own name is the system's answer.
class CLabelledAccessible final : public CAccessibleObject {
  public:
    CLabelledAccessible(HWND hwnd, IAccessible* inner) : m_hwnd(hwnd), m_pInner(inner) {}

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && ::IsWindow(m_hwnd)) {
            const std::wstring label = LabelBefore(m_hwnd);
            if (!label.empty()) {
                *name = ::SysAllocStringLen(label.data(), static_cast<UINT>(label.size()));
                return *name != nullptr ? S_OK : E_OUTOFMEMORY;
            }
        }
        return m_pInner->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_pInner->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return m_pInner->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return m_pInner->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_pInner->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return m_pInner->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return m_pInner->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return m_pInner->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return m_pInner->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return m_pInner->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return m_pInner->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_pInner->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_pInner->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return m_pInner->get_accDefaultAction(child, text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return m_pInner->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return m_pInner->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return m_pInner->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return m_pInner->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return m_pInner->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_pInner->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_pInner->put_accValue(child, value);
    }

  private:
    ~CLabelledAccessible() override { m_pInner->Release(); }

    HWND m_hwnd;
    IAccessible* m_pInner;  // owned: one reference
};

LRESULT CALLBACK LabelledProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        IAccessible* inner = nullptr;
        if (SUCCEEDED(::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&inner)))) {
            auto* named = new CLabelledAccessible(hwnd, inner);
            const LRESULT answer = ::LresultFromObject(__uuidof(IAccessible), wParam, named);
            named->Release();  // the answer holds its own reference
            return answer;
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &LabelledProc, kSubclassId);
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

std::wstring LabelBefore(HWND control) {
    HWND before = ::GetWindow(control, GW_HWNDPREV);
    wchar_t className[16] = {};
    if (before == nullptr || ::GetClassNameW(before, className, 16) == 0 ||
        ::CompareStringOrdinal(className, -1, L"Static", -1, TRUE) != CSTR_EQUAL) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(before)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(before, text.data(), static_cast<int>(text.size()))));
    if ((::GetWindowLongPtrW(before, GWL_STYLE) & SS_NOPREFIX) != 0) {
        return text;
    }
    // "&&" is an ampersand; a single "&" marks the mnemonic's letter.
    std::wstring name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        name += text[i];
    }
    return name;
}

bool NameByLabel(HWND control) {
    return ::SetWindowSubclass(control, &LabelledProc, kSubclassId, 0) != FALSE;
}

}  // namespace gestalia::win32
