#pragma once
// CRC-32 as zlib's crc32() computes it (the reflected polynomial 0xEDB88320,
// starting from and finished with all bits set): the check value of the
// extension block of an agenda file. The Windows build has no zlib to link.

#include <cstdint>
#include <string_view>

namespace gestalia {

std::uint32_t Crc32(std::string_view bytes);

}  // namespace gestalia
