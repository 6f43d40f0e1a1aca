#pragma once
// Little-endian images of numbers, as the agenda file stores them, for tests
// that build or patch files by hand. Written a byte at a time from the value,
// so the host's own byte order never shows.

#include <bit>
#include <cstdint>
#include <string>

namespace gestalia::test {

inline void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}
inline void PutI32(std::string& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}
inline void PutFloat(std::string& out, float v) {
    PutU32(out, std::bit_cast<std::uint32_t>(v));
}
inline void PutDouble(std::string& out, double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    PutU32(out, static_cast<std::uint32_t>(bits));
    PutU32(out, static_cast<std::uint32_t>(bits >> 32));
}

// The same images as values, to build a file with +.
inline std::string U32(std::uint32_t v) {
    std::string out;
    PutU32(out, v);
    return out;
}
inline std::string I32(std::int32_t v) {
    std::string out;
    PutI32(out, v);
    return out;
}
inline std::string F32(float v) {
    std::string out;
    PutFloat(out, v);
    return out;
}
inline std::string F64(double v) {
    std::string out;
    PutDouble(out, v);
    return out;
}

}  // namespace gestalia::test
