#pragma once
// The dialog font as a GDI font: kDialogFontFace at kDialogFontPoints
// (platform/dialog_template.h), the font the dialog manager gives the
// template's controls, made again when the window moves to another
// resolution.

#include "platform/dialog_template.h"
#include "platform/win32/gdi_object.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

// The dialog font at a dpi (96 at 100 %); none when GDI cannot make it.
GdiObject<HFONT> MakeDialogFont(int dpi);

}  // namespace gestalia::win32
