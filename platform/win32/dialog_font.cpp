#include "platform/win32/dialog_font.h"

#include <string>

#include "model/win32_text.h"

namespace gestalia::win32 {

namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

GdiObject<HFONT> MakeDialogFont(int dpi) {
    const std::wstring face = Utf16FromUtf8(kDialogFontFace);
    // A negative height asks for the character height, as a point size does.
    return GdiObject<HFONT>(
        ::CreateFontW(-::MulDiv(kDialogFontPoints, dpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, FALSE,
                      FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str()));
}

}  // namespace gestalia::win32
