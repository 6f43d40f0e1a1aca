#pragma once
// How both systems read a whole agenda file once it is open: straight into the
// result, in as few reads as the system allows.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/agenda_file.h"
#include "model/file_bytes.h"
#include "model/result.h"

namespace gestalia {

inline CError FileTooBig(const std::string& path) {
    return CError{ErrorKind::tooBig,
                  path + ": pasa de " + std::to_string(kMaxAgendaFileSize / (1024 * 1024)) +
                      " MiB, y una agenda ocupa unos pocos kilobytes",
                  std::nullopt};
}

// Reads until `read` gives no more. `size` is what the system said the file
// holds: too much is refused before anything is allocated for it; otherwise
// the whole size is read at once (one byte more, to see its end), then twice
// the room if the file grew meanwhile. Whatever the size said, a file that
// gives more than kMaxAgendaFileSize is refused, never cut.
// `read(into, room)` fills at most `room` bytes and returns a Result<std::size_t>
// with how many it filled, 0 at the end.
template <class Read>
Result<CFileBytes> ReadUntilEnd(const std::string& path, std::uintmax_t size, Read read) {
    if (size > kMaxAgendaFileSize) {
        return FileTooBig(path);
    }
    // The bytes count what they hold as they are read, so that a larger room
    // keeps them.
    CFileBytes bytes = CFileBytes::WithRoom(static_cast<std::size_t>(size) + 1);
    for (;;) {
        const std::size_t done = bytes.size();
        if (done == bytes.room()) {
            bytes.Grow(std::min(2 * bytes.room(), kMaxAgendaFileSize + 1));
        }
        const Result<std::size_t> got = read(bytes.data() + done, bytes.room() - done);
        if (!got) {
            return got.error();
        }
        if (got.value() == 0) {
            return bytes;
        }
        bytes.SetSize(done + got.value());
        if (bytes.size() > kMaxAgendaFileSize) {
            return FileTooBig(path);
        }
    }
}

}  // namespace gestalia
