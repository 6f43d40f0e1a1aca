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
// UTF-8 to Windows-1252 bytes. Fails, naming the offset in the UTF-8 text, on a
// character the code page cannot hold or on malformed UTF-8.
Result<std::string> EncodeWindows1252(std::string_view utf8);
// The same, appended to `out`; on failure `out` is left as it was.
Status AppendWindows1252(std::string& out, std::string_view utf8);
// True when every character of the UTF-8 text can be stored.
bool CanEncodeWindows1252(std::string_view utf8);

}  // namespace gestalia
