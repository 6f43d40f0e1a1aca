#include "platform/win32/dialog_scaling.h"

namespace gestalia::win32 {

namespace {

// A function of user32 looked up by name; nullptr where it does not exist.
template <typename F>
F User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

}  // namespace

Size WindowSizeForClient(Size client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT rc{0, 0, client.cx, client.cy};
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&rc, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        rc = RECT{0, 0, client.cx, client.cy};
        ::AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    }
    return Size{rc.right - rc.left, rc.bottom - rc.top};
}

void KeepDialogScalingToSelf(HWND hwnd) {
    static const auto setBehaviour =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (setBehaviour != nullptr) {
        constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
        setBehaviour(hwnd, kDisableAll, kDisableAll);
    }
}

}  // namespace gestalia::win32
