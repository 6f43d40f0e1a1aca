#pragma once
// The reading pages that ship inside the program: one HTML page for each day
// link and a home page that lists them by week. They are the files of
// content/pages, embedded byte for byte when the program is built, so the
// program alone can show them with no network.

#include <optional>
#include <span>
#include <string_view>

namespace gestalia {

struct COfflinePage {
    std::string_view strName;   // the file name, "index.html"
    std::string_view strBytes;  // the whole page, UTF-8 HTML
};

// The site's home page among them.
inline constexpr std::string_view kHomePage = "index.html";

// Every page, in the order the build lists them.
std::span<const COfflinePage> OfflinePages();
// The bytes of the page of that file name; nothing for any other name.
std::optional<std::string_view> FindOfflinePage(std::string_view name);

// Whether a site address (scheme and host) is a stand-in whose host lies
// under ".example", the name kept for examples that never resolves: its pages
// exist only as the ones above.
bool IsPlaceholderSite(std::string_view baseUrl);

}  // namespace gestalia
