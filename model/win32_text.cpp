#include "model/win32_text.h"

#include <windows.h>

#include <array>
#include <climits>

#include "model/system_error_text.h"

namespace gestalia::win32 {

namespace {

// Not in mingw-w64's winerror.h.
constexpr DWORD kErrorDiskQuotaExceeded = 1295;

struct CWindowsError {
    DWORD code;
    int err;
};

constexpr std::array<CWindowsError, 27> kWindowsErrors = {{
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_NET_NAME, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_PRIVILEGE_NOT_HELD, EPERM},
    {ERROR_SHARING_VIOLATION, EBUSY},
    {ERROR_LOCK_VIOLATION, EBUSY},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {kErrorDiskQuotaExceeded, EDQUOT},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_BUFFER_OVERFLOW, ENAMETOOLONG},
    {ERROR_CANT_RESOLVE_FILENAME, ELOOP},
    {ERROR_CRC, EIO},
    {ERROR_READ_FAULT, EIO},
    {ERROR_WRITE_FAULT, EIO},
    {ERROR_GEN_FAILURE, EIO},
    {ERROR_IO_DEVICE, EIO},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_NOT_SAME_DEVICE, EXDEV},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_INVALID_NAME, EINVAL},
}};

// Paths shorter than this need no prefix; a folder's path must leave room for
// an 8.3 file name inside it.
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;

}  // namespace

std::wstring Utf16FromUtf8(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int wide = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), wide);
    return out;
}

std::string Utf8FromUtf16(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int narrow =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(narrow), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), narrow, nullptr, nullptr);
    return out;
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide = Utf16FromUtf8(path);
    if (wide.size() < kShortPathLimit || wide.starts_with(L"\\\\?\\")) {
        return wide;
    }
    // The prefix turns off every interpretation of the path: it must be absolute,
    // with backslashes, without "." or ".." - which GetFullPathNameW gives.
    const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return wide;
    }
    std::wstring full(needed, L'\0');
    const DWORD got = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (got == 0 || got >= needed) {
        return wide;
    }
    full.resize(got);
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\...
    }
    return L"\\\\?\\" + full;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    std::string base = folder.empty() ? std::string(".") : folder;
    while (base.size() > 1 && (base.back() == '\\' || base.back() == '/')) {
        base.pop_back();  // a prefixed path takes no doubled separator
    }
    const std::wstring pattern = WidePath(base) + L"\\*";
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(Utf8FromUtf16(name));
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

int ErrnoFromWindowsError(unsigned long code) {
    for (const CWindowsError& entry : kWindowsErrors) {
        if (entry.code == code) {
            return entry.err;
        }
    }
    return kWindowsErrorBase + static_cast<int>(code & 0xFFFF);
}

int LastError() {
    return ErrnoFromWindowsError(::GetLastError());
}

std::string ErrorText(int err) {
    if (err >= kWindowsErrorBase) {
        return "error de Windows número " + std::to_string(err - kWindowsErrorBase);
    }
    return SystemErrorText(err);
}

}  // namespace gestalia::win32
