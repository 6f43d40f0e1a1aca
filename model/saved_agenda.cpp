#include "model/saved_agenda.h"

#include <functional>
#include <utility>

#include "model/safe_save.h"

namespace gestalia {

void CSavedAgenda::Remember(const CDiskState& state, std::string bytes) {
    m_state = state;
    m_strBase = std::move(bytes);
    m_baseHash.reset();
}

std::size_t CSavedAgenda::BaseHash() {
    if (!m_baseHash) {
        m_baseHash = std::hash<std::string_view>{}(m_strBase);
    }
    return *m_baseHash;
}

CDiskLook CSavedAgenda::Look(const std::string& path) {
    CDiskLook look;
    Result<CDiskState> now = DiskStateOf(path);
    if (!now) {
        look.change = DiskChange::unreadable;
        look.error = now.error();
        return look;
    }
    look.state = now.value();
    if (look.state == m_state) {
        return look;
    }
    if (!look.state.bExists) {
        look.change = DiskChange::missing;
        return look;
    }
    Result<CFileBytes> read = ReadFileBytes(path, &look.state);
    if (!read) {
        look.change = DiskChange::unreadable;
        look.error = read.error();
        return look;
    }
    const std::string_view bytes = read.value().View();
    if (bytes.size() == m_strBase.size() && std::hash<std::string_view>{}(bytes) == BaseHash() &&
        bytes == m_strBase) {
        m_state = look.state;
        return look;
    }
    const Result<CAgendaSummary> sound = CheckAgenda(bytes);
    if (!sound) {
        look.change = DiskChange::unreadable;
        look.error = sound.error();
        return look;
    }
    look.change = DiskChange::changed;
    look.bytes = std::move(read.value());
    return look;
}

Status CSavedAgenda::SaveIfUnchanged(const std::string& path, std::string bytes) {
    Result<CDiskState> saved = SaveFileIfUnchanged(path, bytes, m_state);
    if (!saved) {
        return saved.error();
    }
    Remember(saved.value(), std::move(bytes));
    return {};
}

}  // namespace gestalia
