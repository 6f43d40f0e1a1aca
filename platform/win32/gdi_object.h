#pragma once
// GDI objects (fonts, brushes, bitmaps) that free themselves: a GdiObject
// deletes its object when it goes or takes another. MakeGdiFont makes every
// font the program draws with.

#include <memory>
#include <string>
#include <type_traits>

#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

struct CGdiDeleter {
    void operator()(HGDIOBJ object) const {
        if (object != nullptr) {
            ::DeleteObject(object);
        }
    }
};

template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, CGdiDeleter>;

// A font in `face`: `height` pixels, negative for the character's height (as
// a point size asks), positive for the whole cell; `weight` from 100 to 900;
// `family` FF_SWISS or FF_DONTCARE. None when GDI cannot make it.
inline GdiObject<HFONT> MakeGdiFont(int height, int weight, const std::wstring& face, BYTE family) {
    return GdiObject<HFONT>(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                          CLEARTYPE_QUALITY, DEFAULT_PITCH | family, face.c_str()));
}

}  // namespace gestalia::win32
