#pragma once
// Windows-1252 at the file boundary. Decoding maps all 256 bytes to Unicode
// (the five bytes the code page leaves undefined become U+0081, U+008D, U+008F,
// U+0090 and U+009D), so decode followed by encode gives back every byte.

#include <cstddef>
#include <string>
#include <string_view>

#include "result.h"

namespace gestalia {

// Bytes in Windows-1252 to UTF-8. Never fails.
std::string DecodeWindows1252(std::string_view bytes);
// The same into `out`, replacing what it held and reusing its memory.
void DecodeWindows1252(std::string_view bytes, std::string& out);
// The room DecodeWindows1252 needs in memory of the caller's: three bytes a
// byte, and three more for its last step.
constexpr std::size_t Windows1252DecodeRoom(std::size_t bytes) {
    return 3 * bytes + 3;
}
// The same into `out`, which has Windows1252DecodeRoom(bytes.size()) bytes;
// gives the length of the UTF-8 text written.
std::size_t DecodeWindows1252(std::string_view bytes, char* out);
// UTF-8 to Windows-1252 bytes. Fails, naming the offset in the UTF-8 text, on a
// character the code page cannot hold or on malformed UTF-8.
Result<std::string> EncodeWindows1252(std::string_view utf8);
// The same, appended to `out`; on failure `out` is left as it was.
Status AppendWindows1252(std::string& out, std::string_view utf8);
// True when every character of the UTF-8 text can be stored.
bool CanEncodeWindows1252(std::string_view utf8);

}  // namespace gestalia
