// Saving the Windows way: the bytes go to a temporary file beside the target,
// are flushed to disk (FlushFileBuffers), and the temporary file replaces the
// target in one step (MoveFileExW, written through). A file with the read-only
// attribute is refused, and the hidden, system and archive attributes of the
// old file are kept. On any failure the old file is left byte-exact and the
// temporary file is removed. A symbolic link at the path is replaced itself:
// agendas behind links are a POSIX matter.
#include "model/safe_save.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "model/disk_state_win32.h"
#include "model/save_steps.h"
#include "model/win32_handle.h"
#include "model/win32_text.h"

namespace gestalia {

namespace {

// The attributes a new agenda takes over from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// The C library's descriptors stand for the handles, so that IFileOps stays
// the same on every system; the calls themselves are Windows'.
class CSystemFileOps final : public IFileOps {
  public:
    int Open(const std::string& path, int flags, int /*mode*/, int& fd) override {
        DWORD disposition = OPEN_EXISTING;
        if ((flags & O_CREAT) != 0) {
            disposition = (flags & O_EXCL) != 0    ? CREATE_NEW
                          : (flags & O_TRUNC) != 0 ? CREATE_ALWAYS
                                                   : OPEN_ALWAYS;
        } else if ((flags & O_TRUNC) != 0) {
            disposition = TRUNCATE_EXISTING;
        }
        const bool writes = (flags & (O_WRONLY | O_RDWR)) != 0;
        const DWORD access = (flags & O_RDWR) != 0     ? GENERIC_READ | GENERIC_WRITE
                             : (flags & O_WRONLY) != 0 ? GENERIC_WRITE
                                                       : GENERIC_READ;
        const HANDLE h = ::CreateFileW(win32::WidePath(path).c_str(), access, FILE_SHARE_READ,
                                       nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            return win32::LastError();
        }
        fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(h),
                               _O_BINARY | (writes ? 0 : _O_RDONLY));
        if (fd < 0) {
            ::CloseHandle(h);
            return EMFILE;
        }
        return 0;
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        DWORD n = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
        if (!::WriteFile(HandleOf(fd), data, chunk, &n, nullptr)) {
            return win32::LastError();
        }
        written = n;
        return 0;
    }
    int Sync(int fd) override { return ::FlushFileBuffers(HandleOf(fd)) ? 0 : win32::LastError(); }
    // Closes the descriptor and the handle under it.
    int Close(int fd) override { return ::_close(fd) == 0 ? 0 : errno; }
    int Rename(const std::string& from, const std::string& to) override {
        return ::MoveFileExW(win32::WidePath(from).c_str(), win32::WidePath(to).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : win32::LastError();
    }
    int Unlink(const std::string& path) override {
        return ::DeleteFileW(win32::WidePath(path).c_str()) ? 0 : win32::LastError();
    }
};

// The folder part of a path with its separator ("" for a bare name), and the name.
std::string FolderPrefix(const std::string& path) {
    const std::size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string BaseName(const std::string& path) {
    const std::size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

CError Failure(const std::string& path, const std::string& what, int err) {
    return CError{ErrorKind::cannotSave, path + ": " + what + " (" + win32::ErrorText(err) + ")",
                  std::nullopt};
}

bool ProcessIsGone(DWORD pid) {
    const win32::UniqueHandle process =
        win32::Own(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) {
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    }
    DWORD code = 0;
    return ::GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE;
}

// A save that was killed half-way leaves its temporary file behind. The next
// save to the same target removes those whose process no longer exists, so
// that crashes do not pile up copies of the agenda beside it.
void RemoveAbandonedTemps(const std::string& folder, const std::string& target, IFileOps& ops) {
    const std::string prefix = TempPrefix(BaseName(target));
    for (const std::string& name : win32::FolderNames(folder)) {
        if (name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        DWORD pid = 0;
        const auto [rest, parsed] = std::from_chars(first, last, pid);
        if (parsed != std::errc() || rest == last || *rest != '-' || pid == 0) {
            continue;
        }
        if (ProcessIsGone(pid)) {
            (void)ops.Unlink(folder + name);
        }
    }
}

// The real calls hold no state, so one object serves the whole process.
CSystemFileOps g_systemFileOps;

}  // namespace

// Windows files have no permission bits; what an agenda keeps of the file it
// replaces are its attributes, which the save passes here.
int IFileOps::Chmod(int fd, int mode) {
    FILE_BASIC_INFO info{};  // zero times: left as they are
    info.FileAttributes =
        static_cast<DWORD>(mode) == 0 ? FILE_ATTRIBUTE_NORMAL : static_cast<DWORD>(mode);
    return ::SetFileInformationByHandle(HandleOf(fd), FileBasicInfo, &info, sizeof info)
               ? 0
               : win32::LastError();
}

int IFileOps::Stat(int fd, CDiskState& state) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(HandleOf(fd), &info)) {
        return win32::LastError();
    }
    state = DiskStateFromInfo(info);
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
    const std::string folder = FolderPrefix(path);

    const std::wstring wide = win32::WidePath(path);
    if (wide.size() > win32::kMaxWidePath) {
        return Failure(path, "no se puede crear un fichero temporal en " + folder, ENAMETOOLONG);
    }
    Result<CReplaceChecks> checks = ExpectingChecks(path, path, expected, written);
    if (!checks) {
        return checks.error();
    }
    const DWORD old = ::GetFileAttributesW(wide.c_str());
    const bool exists = old != INVALID_FILE_ATTRIBUTES;
    if (exists && (old & FILE_ATTRIBUTE_DIRECTORY) == 0 && (old & FILE_ATTRIBUTE_READONLY) != 0) {
        return Failure(path, "el fichero está protegido contra escritura", EACCES);
    }

    RemoveAbandonedTemps(folder, path, ops);

    // A fresh name next to the target, so that the move stays on one volume.
    std::string temp;
    int fd = -1;
    const int err =
        OpenTempBeside(ops, folder, BaseName(path), ::GetCurrentProcessId(), 0, fd, temp);
    if (err != 0) {
        return Failure(
            path, "no se puede crear un fichero temporal en " + (folder.empty() ? "." : folder),
            err);
    }

    const std::optional<CKeptMode> kept =
        exists && (old & kKeptAttributes) != 0
            ? std::optional<CKeptMode>(
                  {static_cast<int>(old & kKeptAttributes),
                   "no se pueden dar al fichero nuevo los atributos del anterior"})
            : std::nullopt;
    return WriteAndReplace(
        ops, {fd, temp, path}, bytes, kept,
        [&path](const std::string& what, int e) { return Failure(path, what, e); }, checks.value());
}

}  // namespace gestalia
