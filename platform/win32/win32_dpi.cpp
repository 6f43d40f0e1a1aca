#include "platform/win32/win32_dpi.h"

namespace gestalia::win32 {

namespace {

constexpr int kDefaultDpi = 96;

// A function of user32.dll by name; nullptr where this Windows lacks it.
template <class Function>
Function User32Function(const char* name) {
    static const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    // The documented way to reach an optional export: the cast from FARPROC.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
    return reinterpret_cast<Function>(::GetProcAddress(user32, name));
#pragma GCC diagnostic pop
}

}  // namespace

int WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && hwnd != nullptr) {
        if (const UINT dpi = getDpiForWindow(hwnd); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    int dpi = kDefaultDpi;
    if (HDC screen = ::GetDC(nullptr)) {
        dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDefaultDpi;
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi != nullptr && dpi > 0) {
        return forDpi(index, static_cast<UINT>(dpi));
    }
    return ::GetSystemMetrics(index);
}

}  // namespace gestalia::win32
