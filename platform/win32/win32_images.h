#pragma once
// The program's pictures as Windows resources (gestalia.rc), made from the
// same artwork as resources/images/: the bitmaps by resource id and the
// program icon.

#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

// The bitmap resource of an id (131, 132, 139, 195 ...), loaded once and kept
// for the life of the program; nullptr if there is none.
HBITMAP BitmapResource(int bitmapId);
// The program icon (138) at the given pixel size (the system's small or large
// icon size at the window's dpi).
HICON ProgramIcon(int pixelSize);

}  // namespace gestalia::win32
