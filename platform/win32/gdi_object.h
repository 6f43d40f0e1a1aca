#pragma once
// GDI objects (fonts, brushes, bitmaps) that free themselves: a GdiObject
// deletes its object when it goes or takes another.

#include <memory>
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

}  // namespace gestalia::win32
