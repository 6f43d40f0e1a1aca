#include "model/windows1252.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

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

constexpr char32_t ByteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        return kHighTable[b - 0x80];
    }
    return b;
}

// The UTF-8 form of every byte, worked out once at compile time.
struct Utf8Bytes {
    std::uint8_t length = 0;
    std::array<char, 4> bytes{};  // the fourth is padding: all four are copied at once
};

constexpr std::array<Utf8Bytes, 256> MakeDecodeTable() {
    std::array<Utf8Bytes, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) {
        const char32_t c = ByteToCodePoint(static_cast<unsigned char>(b));
        Utf8Bytes& u = table[b];
        if (c < 0x80) {
            u.length = 1;
            u.bytes[0] = static_cast<char>(c);
        } else if (c < 0x800) {
            u.length = 2;
            u.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
            u.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            // The table holds nothing beyond the Basic Multilingual Plane.
            u.length = 3;
            u.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
            u.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            u.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return table;
}

constexpr std::array<Utf8Bytes, 256> kDecodeTable = MakeDecodeTable();
static_assert(kDecodeTable[0xE9].length == 2 && kDecodeTable[0x80].length == 3);

// Bit k set: the byte 0x80 + k takes three bytes in UTF-8.
constexpr std::uint32_t MakeThreeByteC1() {
    std::uint32_t mask = 0;
    for (std::uint32_t k = 0; k < 32; ++k) {
        if (kDecodeTable[0x80 + k].length == 3) {
            mask |= 1u << k;
        }
    }
    return mask;
}
constexpr std::uint32_t kThreeByteC1 = MakeThreeByteC1();

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The length of the leading run of ASCII bytes, read eight at a time.
std::size_t AsciiPrefix(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) {
        ++i;
    }
    return i;
}

// True when one of the eight bytes of the word lies in 0x80 to 0x9F.
constexpr bool HasC1Byte(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    // Bytes of 0x80 to 0x9F become 0 here, and a zero byte is found by the
    // borrow it leaves.
    const std::uint64_t t = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ kHighBits;
    return ((t - kOnes) & ~t & kHighBits) != 0;
}
static_assert(HasC1Byte(0x4141414141418041ULL) && HasC1Byte(0x9F00000000000000ULL));
static_assert(!HasC1Byte(0x41414141414141E9ULL) && !HasC1Byte(0xA07F7F7F7F7F7F7FULL));

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

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    DecodeWindows1252(bytes, out);
    return out;
}

namespace {

// The UTF-8 form of `bytes` into `to`, which has room for its whole length
// and three bytes more, after the first `ascii` bytes that are known to be
// ASCII; gives the length.
std::size_t DecodeAfterAscii(std::string_view bytes, std::size_t ascii, char* const out) {
    const char* const from = bytes.data();
    const std::size_t n = bytes.size();
    char* to = out;
    std::memcpy(to, from, ascii);
    to += ascii;
    const auto put = [&to](unsigned char b) {
        if (b < 0x80) {
            *to++ = static_cast<char>(b);
            return;
        }
        const Utf8Bytes& u = kDecodeTable[b];
        std::memcpy(to, u.bytes.data(), u.bytes.size());
        to += u.length;
    };
    // Eight bytes are copied at a time up to the next byte from 0x80 up. The
    // whole word may be stored even when only its first bytes are kept: what
    // follows takes at least nine bytes of the output, so it stays inside.
    std::size_t i = ascii;
    while (i + 8 <= n) {
        std::uint64_t word = 0;
        std::memcpy(&word, from + i, sizeof word);
        std::memcpy(to, &word, sizeof word);
        const std::uint64_t high = word & kHighBits;
        if (high == 0) {
            to += sizeof word;
            i += sizeof word;
            continue;
        }
        const auto plain = static_cast<std::size_t>(std::countr_zero(high) / 8);
        to += plain;
        i += plain;
        put(static_cast<unsigned char>(from[i++]));
    }
    for (; i < n; ++i) {
        put(static_cast<unsigned char>(from[i]));
    }
    return static_cast<std::size_t>(to - out);
}

}  // namespace

std::size_t DecodeWindows1252(std::string_view bytes, char* out) {
    return DecodeAfterAscii(bytes, 0, out);
}

void DecodeWindows1252(std::string_view bytes, std::string& out) {
    // Most notes are plain ASCII, which is the same in both.
    const std::size_t ascii = AsciiPrefix(bytes);
    if (ascii == bytes.size()) {
        out.assign(bytes);
        return;
    }
    const char* const from = bytes.data();
    const std::size_t n = bytes.size();
    // Every byte from 0x80 up takes two bytes in UTF-8, and those of 0x80 to
    // 0x9F whose character lies beyond U+07FF take three. Words of eight
    // bytes at a time; only a word holding a byte of 0x80 to 0x9F is looked
    // at byte by byte.
    const auto extra = [](unsigned char b) {
        return static_cast<std::size_t>(
            (b >> 7) + (((b & 0xE0u) == 0x80u) & ((kThreeByteC1 >> (b & 0x1Fu)) & 1u)));
    };
    // A buffer that already has room for three bytes a byte is written at
    // once (a reused one); otherwise the length is counted first so that the
    // text gets no more memory than it needs.
    std::size_t length = n;
    std::size_t i = ascii;
    const std::size_t most = ascii + 3 * (n - ascii);
    if (out.capacity() >= most + 3) {
        i = n;
        length = most;
    }
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, from + i, sizeof word);
        const std::uint64_t high = word & kHighBits;
        if (high == 0) {
            continue;
        }
        if (HasC1Byte(word)) {
            for (std::size_t k = 0; k < 8; ++k) {
                length += extra(static_cast<unsigned char>(from[i + k]));
            }
        } else {
            // The count of high bits, summed into the top byte by one multiply.
            length += static_cast<std::size_t>(((high >> 7) * 0x0101010101010101ULL) >> 56);
        }
    }
    for (; i < n; ++i) {
        length += extra(static_cast<unsigned char>(from[i]));
    }

    // Three bytes of room past the end, for the whole table entry copied last.
    out.resize(length + 3);
    out.resize(DecodeAfterAscii(bytes, ascii, out.data()));
}

Status AppendWindows1252(std::string& out, std::string_view utf8) {
    const std::size_t before = out.size();
    const std::size_t n = utf8.size();
    // No character takes more bytes in Windows-1252 than in UTF-8.
    out.resize(before + n);
    char* to = out.data() + before;
    const char* const from = utf8.data();
    std::size_t pos = 0;
    while (pos < n) {
        // ASCII eight bytes at a time, as in decoding.
        if (pos + 8 <= n) {
            std::uint64_t word = 0;
            std::memcpy(&word, from + pos, sizeof word);
            const std::uint64_t high = word & kHighBits;
            const auto plain = static_cast<std::size_t>(
                high == 0 ? sizeof word : static_cast<std::size_t>(std::countr_zero(high) / 8));
            if (plain > 0) {
                std::memcpy(to, from + pos, plain);
                to += plain;
                pos += plain;
                continue;
            }
        }
        const auto b0 = static_cast<unsigned char>(from[pos]);
        const auto b1 = pos + 1 < n ? static_cast<unsigned char>(from[pos + 1]) : 0u;
        if (b0 < 0x80) {
            *to++ = static_cast<char>(b0);
            ++pos;
            continue;
        }
        // The Latin-1 letters and signs, U+00A0 to U+00FF, are the byte of
        // their number.
        if ((b0 == 0xC2 && b1 >= 0xA0 && b1 <= 0xBF) || (b0 == 0xC3 && (b1 & 0xC0) == 0x80)) {
            *to++ = static_cast<char>(((b0 & 0x03u) << 6) | (b1 & 0x3Fu));
            pos += 2;
            continue;
        }
        std::size_t len = 0;
        const std::optional<char32_t> c = NextCodePoint(utf8, pos, len);
        if (!c) {
            out.resize(before);
            return CError{ErrorKind::unstorableText,
                          "el texto no es UTF-8 válido en la posición " + std::to_string(pos), pos};
        }
        const std::optional<unsigned char> b = CodePointToByte(*c);
        if (!b) {
            out.resize(before);
            return CError{ErrorKind::unstorableText,
                          "el texto tiene en la posición " + std::to_string(pos) +
                              " un carácter que no se puede guardar en la agenda (" +
                              std::string(utf8.substr(pos, len)) + ")",
                          pos};
        }
        *to++ = static_cast<char>(*b);
        pos += len;
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return {};
}

Result<std::string> EncodeWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    Status encoded = AppendWindows1252(out, utf8);
    if (!encoded) {
        return encoded.error();
    }
    return out;
}

bool CanEncodeWindows1252(std::string_view utf8) {
    return EncodeWindows1252(utf8).ok();
}

}  // namespace gestalia
