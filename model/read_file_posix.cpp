// Reading a whole agenda file with the POSIX calls.
#include "model/agenda_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "model/system_error_text.h"

namespace gestalia {

Result<std::string> ReadFileBytes(const std::string& path) {
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return failure(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return failure(err);
    }
    // A folder, a named pipe or a device is never an agenda, whatever it gives.
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return CError{ErrorKind::notRegularFile,
                      path + (S_ISDIR(st.st_mode)
                                  ? std::string(": es una carpeta")
                                  : std::string(": es una tubería con nombre o un dispositivo")),
                      std::nullopt};
    }
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxAgendaFileSize) {
        ::close(fd);
        return tooBig();
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            return CError{ErrorKind::cannotOpen,
                          path + ": no se puede leer (" + SystemErrorText(err) + ")", std::nullopt};
        }
        if (got == 0) {
            break;
        }
        // The size may change while it is read; the limit holds whatever it says.
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxAgendaFileSize) {
            ::close(fd);
            return tooBig();
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

}  // namespace gestalia
