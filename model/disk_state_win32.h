#pragma once
// A file's state from what GetFileInformationByHandle told of it, the same
// whether the file was just read or just written.

#include <windows.h>

#include <cstdint>

#include "model/disk_state.h"

namespace gestalia {

inline CDiskState DiskStateFromInfo(const BY_HANDLE_FILE_INFORMATION& info) {
    const auto ticks = (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                       info.ftLastWriteTime.dwLowDateTime;
    return {true, info.dwVolumeSerialNumber,
            (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
            (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow,
            static_cast<std::int64_t>(ticks)};
}

}  // namespace gestalia
