// Reading a whole agenda file with the Windows calls: the same limits and
// error kinds as on POSIX, the path in UTF-16.
#include "model/agenda_file.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "model/disk_state_win32.h"
#include "model/read_until_end.h"
#include "model/win32_handle.h"
#include "model/win32_text.h"

namespace gestalia {

Result<CDiskState> DiskStateOf(const std::string& path) {
    const std::wstring wide = win32::WidePath(path);
    if (wide.size() > win32::kMaxWidePath) {
        return CDiskState{};  // no file can have it
    }
    // No access asked: only what the file is, whoever else has it open.
    const win32::UniqueHandle file = win32::Own(
        ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !::GetFileInformationByHandle(file.get(), &info)) {
        const int err = win32::LastError();
        if (err == ENOENT) {
            return CDiskState{};
        }
        return CError{ErrorKind::cannotOpen, path + ": " + win32::ErrorText(err), std::nullopt};
    }
    return DiskStateFromInfo(info);
}

Result<CFileBytes> ReadFileBytes(const std::string& path, CDiskState* state) {
    const auto failure = [&path](int err) {
        return CError{ErrorKind::cannotOpen, path + ": " + win32::ErrorText(err), std::nullopt};
    };
    const std::wstring wide = win32::WidePath(path);
    if (wide.size() > win32::kMaxWidePath) {
        return failure(ENAMETOOLONG);  // no file can have it
    }
    // Backup semantics: a folder opens too, so that it is named as a folder
    // rather than as a refused permission. Others may go on reading and writing.
    const win32::UniqueHandle file = win32::Own(::CreateFileW(
        wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return failure(win32::LastError());
    }
    const bool onDisk = ::GetFileType(file.get()) == FILE_TYPE_DISK;
    BY_HANDLE_FILE_INFORMATION info{};
    if (onDisk && !::GetFileInformationByHandle(file.get(), &info)) {
        return failure(win32::LastError());
    }
    const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A folder, a named pipe or a device is never an agenda, whatever it gives.
    if (!onDisk || folder) {
        return CError{ErrorKind::notRegularFile,
                      path + (folder ? std::string(": es una carpeta")
                                     : std::string(": es una tubería con nombre o un dispositivo")),
                      std::nullopt};
    }
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (state != nullptr) {
        *state = DiskStateFromInfo(info);
    }
    return ReadUntilEnd(path, size, [&](char* into, std::size_t room) -> Result<std::size_t> {
        // One call reads at most 4 GiB - 1 bytes; an agenda is far smaller.
        const auto want = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), into, want, &got, nullptr)) {
            return CError{
                ErrorKind::cannotOpen,
                path + ": no se puede leer (" + win32::ErrorText(win32::LastError()) + ")",
                std::nullopt};
        }
        return std::size_t{got};
    });
}

}  // namespace gestalia
