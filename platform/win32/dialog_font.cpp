#include "platform/win32/dialog_font.h"

#include "model/win32_text.h"
#include "platform/surface_rules.h"

namespace gestalia::win32 {

GdiObject<HFONT> MakeDialogFont(int dpi) {
    const CFontSpec spec{kDialogFontFace, kDialogFontPoints * 10, FW_NORMAL};
    // A negative height asks for the character height, as a point size does.
    return MakeGdiFont(-FontPixelHeight(spec, dpi), spec.nWeight, Utf16FromUtf8(spec.strFace),
                       FF_SWISS);
}

}  // namespace gestalia::win32
