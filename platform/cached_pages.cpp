#include "platform/cached_pages.h"

#include <filesystem>
#include <system_error>

#include "content/offline_pages.h"
#include "model/safe_save.h"
#include "model/utf8_path.h"
#include "platform/file_url.h"

namespace gestalia {

namespace {

constexpr std::string_view kPagesFolder = "paginas";

std::filesystem::path PagePath(std::string_view cacheFolder, std::string_view page) {
    return PathFromUtf8(cacheFolder) / PathFromUtf8(kPagesFolder) / PathFromUtf8(page);
}

std::string Utf8(const std::u8string& text) {
    return {text.begin(), text.end()};
}

}  // namespace

Status WriteCachedPages(const std::string& cacheFolder) {
    const std::filesystem::path folder = PagePath(cacheFolder, "").parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return CError{ErrorKind::cannotSave,
                      "No se puede crear la carpeta " + Utf8(folder.u8string()) + ".",
                      std::nullopt};
    }
    for (const COfflinePage& page : OfflinePages()) {
        if (Status saved = SaveFileAtomically(Utf8(PagePath(cacheFolder, page.strName).u8string()),
                                              page.strBytes);
            !saved) {
            return saved;
        }
    }
    return {};
}

std::string CachedPageUrl(std::string_view cacheFolder, std::string_view page) {
    return FileUrlOf(Utf8(PagePath(cacheFolder, page).u8string()));
}

std::optional<std::string> CachedPagePath(std::string_view url, std::string_view cacheFolder) {
    if (!PathFromUtf8(cacheFolder).is_absolute()) {
        return std::nullopt;
    }
    for (const COfflinePage& page : OfflinePages()) {
        if (url == CachedPageUrl(cacheFolder, page.strName)) {
            return Utf8(PagePath(cacheFolder, page.strName).u8string());
        }
    }
    return std::nullopt;
}

}  // namespace gestalia
