#pragma once
// Dialogs laid out in pixels at 96 dpi and shown at the window's resolution.
// The window logic works in 96-dpi pixels throughout (its layout, its
// painting, the templates' DialogUnitsToPixels), as Qt's logic does in its
// device-independent pixels; the Win32 window scales at its edge, both ways.
// Also the window size around a client area, and keeping Windows' own dialog
// rescaling out of the way (the window rescales from its template).

#include "model/colour.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

inline constexpr int kDefaultDpi = 96;

// A length in pixels at 96 dpi, at `dpi`, rounded to nearest as MulDiv does.
constexpr int ScaleForDpi(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kDefaultDpi / 2) / kDefaultDpi
                                        : -((-scaled + kDefaultDpi / 2) / kDefaultDpi));
}
// Each edge scaled on its own, so that controls that touch still touch.
constexpr Rect ScaleForDpi(const Rect& rc, int dpi) {
    return Rect{ScaleForDpi(rc.left, dpi), ScaleForDpi(rc.top, dpi), ScaleForDpi(rc.right, dpi),
                ScaleForDpi(rc.bottom, dpi)};
}
// The inverse: pixels at `dpi` back to 96 dpi. UnscaleForDpi(ScaleForDpi(x))
// is x for every dpi of 96 and more.
constexpr int UnscaleForDpi(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * kDefaultDpi;
    return static_cast<int>(scaled >= 0 ? (scaled + dpi / 2) / dpi : -((-scaled + dpi / 2) / dpi));
}
constexpr Rect UnscaleForDpi(const Rect& rc, int dpi) {
    return Rect{UnscaleForDpi(rc.left, dpi), UnscaleForDpi(rc.top, dpi),
                UnscaleForDpi(rc.right, dpi), UnscaleForDpi(rc.bottom, dpi)};
}
constexpr Size ScaleForDpi(Size size, int dpi) {
    return Size{ScaleForDpi(size.cx, dpi), ScaleForDpi(size.cy, dpi)};
}
constexpr Size UnscaleForDpi(Size size, int dpi) {
    return Size{UnscaleForDpi(size.cx, dpi), UnscaleForDpi(size.cy, dpi)};
}

// The window size that holds a client area of `client`, for these styles
// (AdjustWindowRectExForDpi, else AdjustWindowRectEx).
Size WindowSizeForClient(Size client, DWORD style, DWORD exStyle, int dpi);
// Turns off the dialog manager's own rescaling when the window moves to a
// screen of another resolution (Windows 10 1703 and later).
void KeepDialogScalingToSelf(HWND hwnd);

}  // namespace gestalia::win32
