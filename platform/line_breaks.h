#pragma once
// Line breaks between the program's texts and the toolkits' controls. The
// agenda, the window logic and Windows' edits and tips break lines with
// "\r\n"; Qt's editors and tips with "\n". A lone "\r" is neither and stays.

#include <string>
#include <string_view>

namespace gestalia {

// Every "\n" not already after a "\r" becomes "\r\n".
std::string WindowsLineBreaks(std::string_view text);
// Every "\r\n" becomes "\n".
std::string UnixLineBreaks(std::string_view text);

}  // namespace gestalia
