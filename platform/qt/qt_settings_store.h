#pragma once
// CQtSettingsStore: the remembered agendas in an INI file through QSettings,
// by default Gestalia/Gestalia.conf in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config). Qt offers no list of recently used
// documents of the desktop, so AddRecentDocument does nothing here.

#include <QString>
#include <string_view>
#include <utility>

#include "platform/settings_store.h"

namespace gestalia {

class CQtSettingsStore final : public ISettingsStore {
  public:
    // The file in the user's configuration folder.
    CQtSettingsStore();
    // Another file, for tests.
    explicit CQtSettingsStore(QString file) : m_file(std::move(file)) {}

    CRememberedAgendas Load() const override;
    void Save(const CRememberedAgendas& agendas) override;
    void AddRecentDocument(std::string_view) override {}

  private:
    QString m_file;
};

}  // namespace gestalia
