#pragma once
// Dialogs laid out in pixels at 96 dpi and shown at the window's resolution:
// the scaling, the window size around a client area, and keeping Windows'
// own dialog rescaling out of the way (the window rescales from its template).

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
// The window size that holds a client area of `client`, for these styles
// (AdjustWindowRectExForDpi, else AdjustWindowRectEx).
Size WindowSizeForClient(Size client, DWORD style, DWORD exStyle, int dpi);
// Turns off the dialog manager's own rescaling when the window moves to a
// screen of another resolution (Windows 10 1703 and later).
void KeepDialogScalingToSelf(HWND hwnd);

}  // namespace gestalia::win32
