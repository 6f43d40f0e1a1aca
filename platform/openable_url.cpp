#include "platform/openable_url.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "model/utf8_path.h"
#include "platform/cached_pages.h"
#include "platform/file_url.h"

namespace gestalia {

namespace {

bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsUnreserved(char c) {
    const auto u = static_cast<unsigned char>(c);
    // Letters of other scripts (UTF-8 bytes) are taken, as browsers take them.
    return std::isalnum(u) != 0 || c == '-' || c == '.' || c == '_' || c == '~' || u >= 0x80;
}

bool IsSubDelim(char c) {
    return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos;
}

// Every character is one of `extra`, unreserved, a sub-delimiter or a valid
// percent escape.
bool AllValid(std::string_view text, std::string_view extra) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !IsHex(text[i + 1]) || !IsHex(text[i + 2])) {
                return false;
            }
            i += 2;
        } else if (!IsUnreserved(c) && !IsSubDelim(c) && extra.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool IsValidHost(std::string_view host) {
    if (host.empty()) {
        return false;
    }
    if (host.front() == '[') {
        // An IPv6 address in brackets.
        return host.size() > 2 && host.back() == ']' &&
               std::all_of(host.begin() + 1, host.end() - 1,
                           [](char c) { return IsHex(c) || c == ':' || c == '.'; });
    }
    return std::all_of(host.begin(), host.end(),
                       [](char c) { return IsUnreserved(c) || IsSubDelim(c); });
}

bool IsValidPort(std::string_view port) {
    return port.size() <= 5 &&
           std::all_of(port.begin(), port.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }) &&
           (port.empty() || std::stoi(std::string(port)) <= 65535);
}

}  // namespace

bool IsOpenableUrl(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    std::string scheme(url.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (scheme != "http" && scheme != "https") {
        return false;
    }
    std::string_view rest = url.substr(colon + 1);
    if (rest.substr(0, 2) != "//") {
        return false;
    }
    rest.remove_prefix(2);
    const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
    std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view tail = rest.substr(authorityEnd);

    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        if (!AllValid(authority.substr(0, at), ":")) {
            return false;
        }
        authority.remove_prefix(at + 1);
    }
    // The port follows the last colon, unless that colon is inside an IPv6 address.
    std::string_view host = authority;
    const std::size_t portColon = authority.rfind(':');
    if (portColon != std::string_view::npos &&
        authority.find(']', portColon) == std::string_view::npos) {
        host = authority.substr(0, portColon);
        if (!IsValidPort(authority.substr(portColon + 1))) {
            return false;
        }
    }
    if (!IsValidHost(host)) {
        return false;
    }
    // Path, query and fragment: one "#" at most, and only the fragment after it.
    const std::size_t hash = tail.find('#');
    if (hash != std::string_view::npos && tail.find('#', hash + 1) != std::string_view::npos) {
        return false;
    }
    return AllValid(tail.substr(0, hash), ":@/?") &&
           (hash == std::string_view::npos || AllValid(tail.substr(hash + 1), ":@/?"));
}

bool IsReportPagePath(std::string_view path) {
    const std::u8string name = PathFromUtf8(path).filename().u8string();
    return EndsWithNoCase(std::string(name.begin(), name.end()), kReportPageEnding);
}

std::optional<COpenTarget> OpenTargetOf(std::string_view url,
                                        const std::optional<std::string>& cacheFolder) {
    if (IsOpenableUrl(url)) {
        return COpenTarget{std::string(url), false};
    }
    if (cacheFolder) {
        if (std::optional<std::string> path = CachedPagePath(url, *cacheFolder)) {
            return COpenTarget{std::move(*path), true};
        }
    }
    if (std::optional<std::string> path = LocalPathOfFileUrl(url);
        path && IsReportPagePath(*path)) {
        return COpenTarget{std::move(*path), true};
    }
    return std::nullopt;
}

}  // namespace gestalia
