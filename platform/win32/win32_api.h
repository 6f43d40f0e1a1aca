#pragma once
// The Windows API as the Win32 front end includes it: include this, never
// <windows.h> directly.
//
// <windows.h> defines as macros names the program also uses: RGB, the A/W
// switches DrawText, MessageBox, GetOpenFileName and GetSaveFileName (method
// names of the window layer), and the constants IDOK ... IDNO, NM_CLICK ...
// and VK_RETURN ..., which the program defines itself with the desktop's own
// numbers. Those macros are undefined here: the front end calls the wide
// functions by their full names (DrawTextW, MessageBoxW, ...) and uses the
// program's constants, checked below to be Windows' values.

#include <windows.h>
// These need <windows.h> first.
#include <commctrl.h>
#include <commdlg.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

namespace gestalia::win32::detail {
inline constexpr int kWinIds[] = {IDOK, IDCANCEL, IDYES, IDNO};
// UINT in commctrl.h: (0U - 2U) and so on.
inline constexpr int kWinNotifications[] = {static_cast<int>(NM_CLICK), static_cast<int>(NM_DBLCLK),
                                            static_cast<int>(NM_RCLICK),
                                            static_cast<int>(NM_KEYDOWN)};
inline constexpr int kWinKeys[] = {VK_RETURN, VK_SPACE, VK_PRIOR,  VK_NEXT, VK_HOME, VK_LEFT, VK_UP,
                                   VK_RIGHT,  VK_DOWN,  VK_DELETE, VK_APPS, VK_F2,   VK_F10};
}  // namespace gestalia::win32::detail

#undef RGB
#undef DrawText
#undef MessageBox
#undef GetOpenFileName
#undef GetSaveFileName
#undef IDOK
#undef IDCANCEL
#undef IDYES
#undef IDNO
#undef NM_CLICK
#undef NM_DBLCLK
#undef NM_RCLICK
#undef NM_KEYDOWN
#undef VK_RETURN
#undef VK_SPACE
#undef VK_PRIOR
#undef VK_NEXT
#undef VK_HOME
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_DELETE
#undef VK_APPS
#undef VK_F2
#undef VK_F10

#include "calendar/keys.h"
#include "calendar/notify.h"
#include "model/colour.h"
#include "platform/dialog_template.h"

namespace gestalia::win32 {

namespace detail {
inline constexpr int kOurIds[] = {IDOK, IDCANCEL, IDYES, IDNO};
inline constexpr int kOurNotifications[] = {NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_KEYDOWN};
inline constexpr int kOurKeys[] = {VK_RETURN, VK_SPACE, VK_PRIOR,  VK_NEXT, VK_HOME, VK_LEFT, VK_UP,
                                   VK_RIGHT,  VK_DOWN,  VK_DELETE, VK_APPS, VK_F2,   VK_F10};
template <std::size_t N>
constexpr bool Same(const int (&a)[N], const int (&b)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}
static_assert(Same(kWinIds, kOurIds));
static_assert(Same(kWinNotifications, kOurNotifications));
static_assert(Same(kWinKeys, kOurKeys));
}  // namespace detail

// Colour has COLORREF's layout: red in the low byte.
static_assert(sizeof(Colour) == sizeof(COLORREF));
constexpr COLORREF ToColorRef(Colour c) {
    return static_cast<COLORREF>(c);
}

constexpr RECT ToRECT(const Rect& rc) {
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}
constexpr Rect FromRECT(const RECT& rc) {
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace gestalia::win32
