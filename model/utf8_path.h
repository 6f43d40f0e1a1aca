#pragma once
// A file system path from the program's UTF-8 text. On Windows a path made
// from a plain std::string is read in the ANSI code page, which garbles every
// accented name; from UTF-8 code units it is right on every system.

#include <filesystem>
#include <string>
#include <string_view>

namespace gestalia {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace gestalia
