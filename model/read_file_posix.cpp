// Reading a whole agenda file with the POSIX calls.
#include "model/agenda_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "model/disk_state_posix.h"
#include "model/read_until_end.h"
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
    // As it was before the first byte was read: a write while it is read
    // leaves the file newer than this, so the next look sees the change.
    if (state != nullptr) {
        *state = DiskStateFromStat(st);
    }
    const auto readSome = [&](char* into, std::size_t room) -> Result<std::size_t> {
        for (;;) {
            const ssize_t got = ::read(fd.Get(), into, room);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            const int err = errno;
            if (err != EINTR) {
                return CError{ErrorKind::cannotOpen,
                              path + ": no se puede leer (" + SystemErrorText(err) + ")",
                              std::nullopt};
            }
        }
    };
    return ReadUntilEnd(path, static_cast<std::uintmax_t>(st.st_size), readSome);
}

}  // namespace gestalia
