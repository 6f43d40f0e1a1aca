// Reading a whole agenda file with the POSIX calls.
#include "model/agenda_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "model/disk_state_posix.h"
#include "model/system_error_text.h"
#include "model/unique_fd.h"

namespace gestalia {

Result<CDiskState> DiskStateOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return DiskStateFromStat(st);
    }
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR) {
        return CDiskState{};
    }
    return CError{ErrorKind::cannotOpen, path + ": " + SystemErrorText(err), std::nullopt};
}

Result<CFileBytes> ReadFileBytes(const std::string& path, CDiskState* state) {
    const auto failure = [&path](int err) {
        return CError{ErrorKind::cannotOpen, path + ": " + SystemErrorText(err), std::nullopt};
    };
    const auto tooBig = [&path] {
        return CError{ErrorKind::tooBig,
                      path + ": pasa de " + std::to_string(kMaxAgendaFileSize / (1024 * 1024)) +
                          " MiB, y una agenda ocupa unos pocos kilobytes",
                      std::nullopt};
    };
    // Not blocking: opening a named pipe that no one writes to would otherwise wait
    // for ever, and a read that would wait fails instead. Regular files are unaffected.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.IsOpen()) {
        return failure(errno);
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        return failure(errno);
    }
    // A folder, a named pipe or a device is never an agenda, whatever it gives.
    if (!S_ISREG(st.st_mode)) {
        return CError{ErrorKind::notRegularFile,
                      path + (S_ISDIR(st.st_mode)
                                  ? std::string(": es una carpeta")
                                  : std::string(": es una tubería con nombre o un dispositivo")),
                      std::nullopt};
    }
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxAgendaFileSize) {
        return tooBig();
    }
    // As it was before the first byte was read: a write while it is read
    // leaves the file newer than this, so the next look sees the change.
    if (state != nullptr) {
        *state = DiskStateFromStat(st);
    }
    // Straight into the result, in as few reads as the kernel allows: the
    // whole size at once (one byte more, to see its end), then twice the
    // room if the file grew meanwhile. The bytes count what they hold as they
    // are read, so that a larger room keeps them.
    CFileBytes bytes = CFileBytes::WithRoom(static_cast<std::size_t>(st.st_size) + 1);
    for (;;) {
        const std::size_t size = bytes.size();
        if (size == bytes.room()) {
            bytes.Grow(std::min(2 * bytes.room(), kMaxAgendaFileSize + 1));
        }
        const ssize_t got = ::read(fd.Get(), bytes.data() + size, bytes.room() - size);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            return CError{ErrorKind::cannotOpen,
                          path + ": no se puede leer (" + SystemErrorText(err) + ")", std::nullopt};
        }
        if (got == 0) {
            break;
        }
        bytes.SetSize(size + static_cast<std::size_t>(got));
        // The size may change while it is read; the limit holds whatever it says.
        if (bytes.size() > kMaxAgendaFileSize) {
            return tooBig();
        }
    }
    return bytes;
}

}  // namespace gestalia
