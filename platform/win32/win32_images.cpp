#include "platform/win32/win32_images.h"

#include <map>
#include <mutex>

namespace gestalia::win32 {

namespace {

constexpr int kProgramIcon = 138;

// The module's resources do not change while it runs: what was loaded once
// is handed out again, and freed with the process.
template <class Handle, class Load>
Handle Kept(std::map<int, Handle>& kept, int key, Load load) {
    static std::mutex guard;
    const std::lock_guard lock(guard);
    const auto found = kept.find(key);
    if (found != kept.end()) {
        return found->second;
    }
    return kept.emplace(key, load()).first->second;
}

}  // namespace

HBITMAP BitmapResource(int bitmapId) {
    static std::map<int, HBITMAP> kept;
    return Kept(kept, bitmapId, [bitmapId] {
        // A DIB section keeps the file's exact colours, pure green included.
        return static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0,
                                                 LR_CREATEDIBSECTION));
    });
}

HICON ProgramIcon(int pixelSize) {
    static std::map<int, HICON> kept;
    return Kept(kept, pixelSize, [pixelSize] {
        return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON,
                                               pixelSize, pixelSize, LR_DEFAULTCOLOR));
    });
}

}  // namespace gestalia::win32
