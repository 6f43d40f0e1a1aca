#pragma once
// A file's state from what stat() or fstat() told of it, the same whether the
// file was just read or just written.

#include <sys/stat.h>

#include <cstdint>

#include "model/disk_state.h"

namespace gestalia {

inline CDiskState DiskStateFromStat(const struct stat& st) {
    return {true, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

}  // namespace gestalia
