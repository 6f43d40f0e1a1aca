#pragma once
// CWin32SettingsStore: the remembered agendas in the registry, under
// HKEY_CURRENT_USER\Software\Gestalia: the value "LastAgenda" (REG_SZ) and
// "RecentAgendas" (REG_MULTI_SZ, newest first). A value of another type
// reads as none and is replaced by the next save. AddRecentDocument hands the
// path to the shell's list of recent documents (SHAddToRecentDocs).

#include <string>
#include <string_view>
#include <utility>

#include "platform/settings_store.h"

namespace gestalia::win32 {

class CWin32SettingsStore final : public ISettingsStore {
  public:
    // Another key under HKEY_CURRENT_USER, for tests.
    explicit CWin32SettingsStore(std::wstring subKey = L"Software\\Gestalia")
        : m_subKey(std::move(subKey)) {}

    CRememberedAgendas Load() const override;
    void Save(const CRememberedAgendas& agendas) override;
    void AddRecentDocument(std::string_view path) override;

  private:
    std::wstring m_subKey;
};

}  // namespace gestalia::win32
