#include "model/utf8.h"

namespace gestalia {

std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t pos, std::size_t& len) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    char32_t c = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        len = 1;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        c = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        c = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        c = b0 & 0x07;
        min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - pos < len) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    return c;
}

std::size_t CharacterLength(std::string_view s, std::size_t pos) {
    std::size_t len = 0;
    return NextCodePoint(s, pos, len) ? len : 1;
}

std::size_t CharacterCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += CharacterLength(s, pos)) {
        ++n;
    }
    return n;
}

}  // namespace gestalia
