#pragma once
// Which web addresses the program hands to the desktop: only a well-formed
// http or https address with a host (RFC 3986's characters, percent signs
// followed by two hexadecimal digits). Every other scheme (file, mailto,
// javascript ...) and every malformed text is refused, so nothing but a web
// page is ever opened. Both window layers ask here.

#include <string_view>

namespace gestalia {

bool IsOpenableUrl(std::string_view url);

}  // namespace gestalia
