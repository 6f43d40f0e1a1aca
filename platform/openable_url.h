#pragma once
// Which web addresses the program hands to the desktop: only a well-formed
// http or https address with a host (RFC 3986's characters, percent signs
// followed by two hexadecimal digits). Every other scheme (file, mailto,
// javascript ...) and every malformed text is refused, so nothing but a web
// page is ever opened. Both window layers ask here.
//
// The exceptions are pages the program writes itself, taken by their exact
// file: addresses (platform/file_url.h) and opened as the local files they
// name: the reading pages in its cache folder (platform/cached_pages.h), and
// the reports of an agenda, whose names end in "informe.html".

#include <optional>
#include <string>
#include <string_view>

namespace gestalia {

bool IsOpenableUrl(std::string_view url);

// The end of every report page's name ("ana - informe.html").
inline constexpr std::string_view kReportPageEnding = "informe.html";
// The path names a report page: its file name ends in kReportPageEnding,
// whatever the case of its letters.
bool IsReportPagePath(std::string_view path);

// What the desktop is handed for an address: the web address itself, or the
// local path of a cached reading page.
struct COpenTarget {
    std::string strTarget;
    bool bLocalFile = false;
};

// The target for `url`, or nothing when it is refused. `cacheFolder` is the
// program's cache folder, when the system has one.
std::optional<COpenTarget> OpenTargetOf(std::string_view url,
                                        const std::optional<std::string>& cacheFolder);

}  // namespace gestalia
