#include "content/offline_pages.h"

#include <algorithm>
#include <cctype>

namespace gestalia {

std::optional<std::string_view> FindOfflinePage(std::string_view name) {
    for (const COfflinePage& page : OfflinePages()) {
        if (page.strName == name) {
            return page.strBytes;
        }
    }
    return std::nullopt;
}

bool IsPlaceholderSite(std::string_view baseUrl) {
    const std::size_t scheme = baseUrl.find("://");
    if (scheme == std::string_view::npos) {
        return false;
    }
    std::string_view host = baseUrl.substr(scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) {
        host.remove_prefix(at + 1);
    }
    host = host.substr(0, host.rfind(':'));
    // A fully qualified name may end with a dot.
    if (host.ends_with('.')) {
        host.remove_suffix(1);
    }
    constexpr std::string_view kReserved = "example";
    if (host.size() < kReserved.size()) {
        return false;
    }
    const std::string_view last = host.substr(host.size() - kReserved.size());
    const bool named = std::equal(last.begin(), last.end(), kReserved.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return named &&
           (host.size() == kReserved.size() || host[host.size() - kReserved.size() - 1] == '.');
}

}  // namespace gestalia
