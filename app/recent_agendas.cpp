#include "app/recent_agendas.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "model/utf8_path.h"

namespace gestalia {

namespace {

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

void Remove(std::vector<std::string>& paths, const std::string& path) {
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
}

}  // namespace

CRememberedAgendas Tidied(CRememberedAgendas agendas) {
    std::vector<std::string> kept;
    for (std::string& path : agendas.recent) {
        if (kept.size() == kRecentAgendaCount) {
            break;
        }
        if (!path.empty() && std::find(kept.begin(), kept.end(), path) == kept.end()) {
            kept.push_back(std::move(path));
        }
    }
    agendas.recent = std::move(kept);
    return agendas;
}

CRememberedAgendas WithAgendaOpened(CRememberedAgendas agendas, const std::string& path) {
    if (path.empty()) {
        return agendas;
    }
    Remove(agendas.recent, path);
    agendas.recent.insert(agendas.recent.begin(), path);
    agendas.strLast = path;
    return Tidied(std::move(agendas));
}

CRememberedAgendas WithAgendaForgotten(CRememberedAgendas agendas, const std::string& path) {
    Remove(agendas.recent, path);
    if (agendas.strLast == path) {
        agendas.strLast.clear();
    }
    return agendas;
}

std::string RememberedPath(std::string_view path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(PathFromUtf8(path), ec);
    return ec || path.empty() ? std::string(path) : Utf8FromPath(absolute.lexically_normal());
}

std::string RecentAgendaText(std::string_view path, bool bMissing) {
    const std::filesystem::path p = PathFromUtf8(path);
    std::string text = Utf8FromPath(p.filename());
    if (text.empty()) {
        text = path;
    }
    if (const std::string folder = Utf8FromPath(p.parent_path()); !folder.empty()) {
        text += "  (" + folder + ")";
    }
    if (bMissing) {
        text += " - no se encuentra";
    }
    std::string shown;
    for (char c : text) {
        shown += c;
        if (c == '&') {
            shown += '&';
        }
    }
    return shown;
}

}  // namespace gestalia
