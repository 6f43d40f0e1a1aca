#pragma once
// The day link table: a web page (address and title) for certain days of
// pregnancy, keyed by whole days since the first day of the last period.
// Every address is the site's base address followed by a fixed path.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gestalia {

inline constexpr int kDayLinkCount = 32;

struct CDayLink {
    std::string strUrl;    // the whole address
    std::string strTitle;  // UTF-8
};

// The site's home page (scheme and host), set when the program is built.
std::string_view SiteBaseUrl();

bool HasDayLink(std::int32_t day);
std::optional<CDayLink> FindDayLink(std::int32_t day);
// The link of the pregnancy week that holds the day: the week's first entry,
// else the last entry before the week; none before the first entry's week.
std::optional<CDayLink> FindWeekLink(std::int32_t day);
// The offline page (content/offline_pages.h) that stands for an address of
// the site: the home page for the base address, with or without its slash,
// and each day link's own page for its address; nothing for any other.
std::optional<std::string_view> OfflinePageFor(std::string_view url);

}  // namespace gestalia
