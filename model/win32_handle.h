#pragma once
// A Windows handle closed when it goes out of scope.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace gestalia::win32 {

struct CHandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CHandleCloser>;

// Takes a handle from CreateFileW, OpenProcess ...; none when it failed.
inline UniqueHandle Own(HANDLE h) {
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

}  // namespace gestalia::win32
