#include "model/windows1252.h"

#include <array>
#include <cstdint>
#include <optional>

#include "model/utf8.h"

namespace gestalia {

namespace {

// Unicode of the bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined map to the C1 control of the same number, so no byte is lost.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t ByteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        return kHighTable[b - 0x80];
    }
    return b;
}

std::optional<unsigned char> CodePointToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == c) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // The table holds nothing beyond the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(ch)));
    }
    return out;
}

Result<std::string> EncodeWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t len = 0;
        const std::optional<char32_t> c = NextCodePoint(utf8, pos, len);
        if (!c) {
            return CError{ErrorKind::unstorableText,
                          "el texto no es UTF-8 válido en la posición " + std::to_string(pos), pos};
        }
        const std::optional<unsigned char> b = CodePointToByte(*c);
        if (!b) {
            return CError{ErrorKind::unstorableText,
                          "el texto tiene en la posición " + std::to_string(pos) +
                              " un carácter que no se puede guardar en la agenda (" +
                              std::string(utf8.substr(pos, len)) + ")",
                          pos};
        }
        out += static_cast<char>(*b);
        pos += len;
    }
    return out;
}

bool CanEncodeWindows1252(std::string_view utf8) {
    return EncodeWindows1252(utf8).ok();
}

}  // namespace gestalia
