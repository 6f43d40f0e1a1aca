#include "platform/file_url.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "model/utf8_path.h"

namespace gestalia {

namespace {

constexpr std::string_view kScheme = "file://";
constexpr std::string_view kHex = "0123456789ABCDEF";

bool IsUnreservedByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
    const std::size_t at = kHex.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::string Utf8(const std::u8string& text) {
    return {text.begin(), text.end()};
}

}  // namespace

std::string FileUrlOf(std::string_view path) {
    const std::string generic = Utf8(PathFromUtf8(path).generic_u8string());
    // "C:/Users/..." on Windows takes a slash before its drive letter.
    std::string url = generic.starts_with('/') ? "file://" : "file:///";
    for (const char c : generic) {
        const auto byte = static_cast<unsigned char>(c);
        // The drive letter's colon is the only one a Windows path holds.
        if (IsUnreservedByte(byte) || c == '/' || c == ':') {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), text.end() - ending.size(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::optional<std::string> LocalPathOfFileUrl(std::string_view url) {
    if (!url.starts_with(kScheme)) {
        return std::nullopt;
    }
    std::string path;
    const std::string_view rest = url.substr(kScheme.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            path += rest[i];
            continue;
        }
        const int high = i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
        const int low = i + 2 < rest.size() ? HexValue(rest[i + 2]) : -1;
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    // "/C:/Users/..." is the drive's path on Windows.
    if (path.size() > 2 && path[0] == '/' && path[2] == ':') {
        path.erase(0, 1);
    }
    std::filesystem::path native = PathFromUtf8(path);
    if (path.find('\0') != std::string::npos || !native.is_absolute() || FileUrlOf(path) != url) {
        return std::nullopt;
    }
    return Utf8(native.make_preferred().u8string());
}

}  // namespace gestalia
