#pragma once
// file: addresses of local files, as the program hands them to the desktop.
// There is one spelling for each path, and only that spelling reads back.

#include <optional>
#include <string>
#include <string_view>

namespace gestalia {

// The file: address of a local file (an absolute path, UTF-8): its path with
// "/" between the names and every byte outside RFC 3986's unreserved
// characters percent-escaped ("file:///home/ana/mi%20agenda.html",
// "file:///C:/Users/Ana/a.html").
std::string FileUrlOf(std::string_view path);

// The absolute path (in the system's own spelling) that `url` names when
// `url` is exactly what FileUrlOf gives for it; nothing for any other text:
// another spelling, a host, a query, a relative path.
std::optional<std::string> LocalPathOfFileUrl(std::string_view url);

// The text ends in `ending`, letters of either case alike (ASCII): how a
// file's ending (".ics", "informe.html") is told.
bool EndsWithNoCase(std::string_view text, std::string_view ending);

}  // namespace gestalia
