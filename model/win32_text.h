#pragma once
// Windows speaks UTF-16 at its API; the program's texts and paths are UTF-8.
// The conversions, the path form the wide file functions take, and Windows'
// error codes told in the same Spanish as the operating system's error numbers.

#include <string>
#include <string_view>
#include <vector>

namespace gestalia::win32 {

// Malformed UTF-8 (or a lone surrogate) becomes U+FFFD.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

// The longest path Windows takes, in UTF-16 units, even with the \\?\ prefix.
inline constexpr std::size_t kMaxWidePath = 32767;

// A path for the wide file functions: UTF-16, and one too long for MAX_PATH
// made absolute with the \\?\ prefix, which lifts that limit.
std::wstring WidePath(const std::string& path);

// The names in a folder (not "." and ".."), in UTF-8; none when it cannot be
// read. Unlike std::filesystem here, it takes long paths.
std::vector<std::string> FolderNames(const std::string& folder);

// Windows error codes without an errno value of their own are kept apart,
// above every errno value.
inline constexpr int kWindowsErrorBase = 0x40000000;

// The errno value that names the same failure as a Windows error code
// (GetLastError), or kWindowsErrorBase plus the code.
int ErrnoFromWindowsError(unsigned long code);
// ErrnoFromWindowsError(GetLastError()).
int LastError();

// SystemErrorText, and "error de Windows número N" for a code kept apart.
std::string ErrorText(int err);

}  // namespace gestalia::win32
