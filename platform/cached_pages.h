#pragma once
// The reading pages as the browser opens them while the site is a stand-in:
// every embedded page (content/offline_pages.h) is written to the "paginas"
// folder inside the program's cache folder, where their links to each other
// resolve, and a page is opened by its file: address there. These addresses,
// and no other file: address, are what the opener takes besides web pages.

#include <optional>
#include <string>
#include <string_view>

#include "model/result.h"

namespace gestalia {

// Writes every page into the cache folder's "paginas" folder, making the
// folders as needed; each page replaces the one there whole, never leaving
// half a page.
Status WriteCachedPages(const std::string& cacheFolder);

// The file: address of a page of that name in the cache folder (an absolute
// path, UTF-8): its path with "/" between the names and every byte outside
// RFC 3986's unreserved characters percent-escaped.
std::string CachedPageUrl(std::string_view cacheFolder, std::string_view page);

// The local path of the page that `url` names, when `url` is exactly the
// address CachedPageUrl gives for that folder and one of the embedded pages;
// nothing for any other text.
std::optional<std::string> CachedPagePath(std::string_view url, std::string_view cacheFolder);

}  // namespace gestalia
