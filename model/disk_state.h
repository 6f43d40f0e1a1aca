#pragma once
// What a file on disk was when it was last read or written: which file it is
// (device and inode, or volume and file index), its size and its last
// modification. Another program that writes the file, or a sync tool that
// puts another file in its place, changes at least one of them.

#include <cstdint>
#include <string>

#include "result.h"

namespace gestalia {

struct CDiskState {
    bool bExists = false;  // false: nothing was at the path
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;  // bytes
    // Nanoseconds since 1970 on POSIX, 100-nanosecond ticks since 1601 on Windows.
    std::int64_t modified = 0;

    friend bool operator==(const CDiskState&, const CDiskState&) = default;
};

// The state of the file a path names now (through symbolic links); nothing
// there is a state with bExists false, not an error.
Result<CDiskState> DiskStateOf(const std::string& path);

}  // namespace gestalia
