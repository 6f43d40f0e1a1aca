#include "platform/win32/win32_settings_store.h"

#include <vector>

#include "model/win32_text.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

namespace {

constexpr const wchar_t* kLastValue = L"LastAgenda";
constexpr const wchar_t* kRecentValue = L"RecentAgendas";

// A string value of the key (REG_SZ, or REG_MULTI_SZ with its strings
// separated by NULs), always terminated; nothing when it is missing, of
// another type or unreadable.
std::wstring ReadValue(const std::wstring& subKey, const wchar_t* name, DWORD type) {
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name, type, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name, type, nullptr, text.data(),
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(bytes / sizeof(wchar_t));
    return text;
}

// The key opened for writing; closed when it goes.
class CKey {
  public:
    explicit CKey(const std::wstring& subKey) {
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &m_key, nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~CKey() {
        if (m_key != nullptr) {
            ::RegCloseKey(m_key);
        }
    }
    CKey(const CKey&) = delete;
    CKey& operator=(const CKey&) = delete;

    void Set(const wchar_t* name, DWORD type, const std::wstring& data) {
        if (m_key != nullptr) {
            ::RegSetValueExW(m_key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                             static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        }
    }

  private:
    HKEY m_key = nullptr;
};

}  // namespace

CRememberedAgendas CWin32SettingsStore::Load() const {
    CRememberedAgendas agendas;
    const std::wstring last = ReadValue(m_subKey, kLastValue, RRF_RT_REG_SZ);
    agendas.strLast = Utf8FromUtf16(last.c_str());
    const std::wstring recent = ReadValue(m_subKey, kRecentValue, RRF_RT_REG_MULTI_SZ);
    for (std::size_t start = 0; start < recent.size();) {
        const std::size_t end = recent.find(L'\0', start);
        const std::wstring_view one(recent.data() + start,
                                    (end == std::wstring::npos ? recent.size() : end) - start);
        if (!one.empty()) {
            agendas.recent.push_back(Utf8FromUtf16(one));
        }
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    return agendas;
}

void CWin32SettingsStore::Save(const CRememberedAgendas& agendas) {
    CKey key(m_subKey);
    key.Set(kLastValue, REG_SZ, Utf16FromUtf8(agendas.strLast));
    // Each path ends in a NUL, and the list in one more (Set adds it).
    std::wstring recent;
    for (const std::string& path : agendas.recent) {
        if (!path.empty()) {
            recent += Utf16FromUtf8(path);
            recent += L'\0';
        }
    }
    key.Set(kRecentValue, REG_MULTI_SZ, recent);
}

void CWin32SettingsStore::AddRecentDocument(std::string_view path) {
    const std::wstring wide = Utf16FromUtf8(path);
    ::SHAddToRecentDocs(SHARD_PATHW, wide.c_str());
}

}  // namespace gestalia::win32
