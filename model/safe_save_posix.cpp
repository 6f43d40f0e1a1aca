#include "model/safe_save.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <optional>

#include "model/disk_state_posix.h"
#include "model/save_steps.h"
#include "model/system_error_text.h"
#include "model/unique_fd.h"

namespace gestalia {

namespace {

constexpr int kMaxLinkDepth = 40;  // as the kernel's own limit on nested links

class CSystemFileOps final : public IFileOps {
  public:
    int Open(const std::string& path, int flags, int mode, int& fd) override {
        do {
            fd = ::open(path.c_str(), flags, static_cast<mode_t>(mode));
        } while (fd < 0 && errno == EINTR);
        return fd < 0 ? errno : 0;
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        ssize_t n = 0;
        do {
            n = ::write(fd, data, size);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            return errno;
        }
        written = static_cast<std::size_t>(n);
        return 0;
    }
    int Sync(int fd) override { return ::fsync(fd) == 0 ? 0 : errno; }
    int Close(int fd) override { return ::close(fd) == 0 ? 0 : errno; }
    int Rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    int Unlink(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
};

std::string DirName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names, following symbolic links (a dangling one too,
// so that saving through it creates its target).
Result<std::string> ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n < 0) {
            return CError{
                ErrorKind::cannotSave,
                "no se puede leer el enlace " + current + " (" + SystemErrorText(errno) + ")",
                std::nullopt};
        }
        const std::string link(target, static_cast<std::size_t>(n));
        current = (!link.empty() && link[0] == '/') ? link : DirName(current) + "/" + link;
    }
    return CError{ErrorKind::cannotSave, "hay demasiados enlaces encadenados en " + path,
                  std::nullopt};
}

CError Failure(const std::string& path, const std::string& what, int err) {
    return CError{ErrorKind::cannotSave, path + ": " + what + " (" + SystemErrorText(err) + ")",
                  std::nullopt};
}

// Whether this user may write the existing file, as if the save wrote into it:
// a rename needs only the folder's permission, and must not get round a file
// marked read-only. Root may write anything, so for root the mark is any
// write bit at all, as for running a program.
bool MayWrite(const std::string& target, const struct stat& st) {
    if (::geteuid() == 0) {
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    }
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// Flushes the folder entry of the renamed file; the save has already happened,
// so a failure here is not reported.
void SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        ::fsync(fd.Get());
    }
}

// A save that was killed half-way leaves its temporary file behind. The next
// save to the same target removes those whose process no longer exists, so
// that crashes do not pile up copies of the agenda beside it.
void RemoveAbandonedTemps(const std::string& folder, const std::string& target, IFileOps& ops) {
    const std::string prefix = TempPrefix(BaseName(target));
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        pid_t pid = 0;
        const auto [rest, parsed] = std::from_chars(first, last, pid);
        if (parsed != std::errc() || rest == last || *rest != '-' || pid <= 0) {
            continue;
        }
        if (::kill(pid, 0) != 0 && errno == ESRCH) {
            (void)ops.Unlink(folder + "/" + name);
        }
    }
}

// The real calls hold no state, so one object serves the whole process.
CSystemFileOps g_systemFileOps;

}  // namespace

int IFileOps::Chmod(int fd, int mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

int IFileOps::Stat(int fd, CDiskState& state) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return errno;
    }
    state = DiskStateFromStat(st);
    return 0;
}

IFileOps& SystemFileOps() {
    return g_systemFileOps;
}

Status SaveFileAtomically(const std::string& path, std::string_view bytes) {
    return SaveFileAtomically(path, bytes, SystemFileOps());
}

Status SaveChecked(const std::string& path, std::string_view bytes, IFileOps& ops,
                   const CDiskState* expected, CDiskState* written) {
    if (path.empty()) {
        return CError{ErrorKind::cannotSave, "el fichero no tiene nombre", std::nullopt};
    }
    Result<std::string> resolved = ResolveLinks(path);
    if (!resolved) {
        return CError{ErrorKind::cannotSave, path + ": " + resolved.error().message, std::nullopt};
    }
    const std::string target = resolved.value();
    const std::string folder = DirName(target);

    Result<CReplaceChecks> checks = ExpectingChecks(path, target, expected, written);
    if (!checks) {
        return checks.error();
    }

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISREG(old.st_mode) && !MayWrite(target, old)) {
        return Failure(path, "el fichero está protegido contra escritura", EACCES);
    }

    RemoveAbandonedTemps(folder, target, ops);

    // A fresh name next to the target, so that the rename stays in one file system.
    std::string temp;
    int opened = -1;
    const int err = OpenTempBeside(ops, folder + "/", BaseName(target),
                                   static_cast<unsigned long>(::getpid()), O_CLOEXEC, opened, temp);
    if (err != 0) {
        return Failure(path, "no se puede crear un fichero temporal en " + folder, err);
    }

    const std::optional<CKeptMode> kept =
        exists ? std::optional<CKeptMode>(
                     {static_cast<int>(old.st_mode & 07777),
                      "no se pueden dar al fichero nuevo los permisos del anterior"})
               : std::nullopt;
    const Status replaced = WriteAndReplace(
        ops, {opened, temp, target}, bytes, kept,
        [&path](const std::string& what, int e) { return Failure(path, what, e); }, checks.value());
    if (!replaced) {
        return replaced;
    }
    SyncFolder(folder);
    return {};
}

}  // namespace gestalia
