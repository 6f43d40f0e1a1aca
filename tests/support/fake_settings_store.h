#pragma once
// A settings store in memory: what the window saved, what it handed to the
// desktop's list of recent documents, and what the next Load gives.

#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace gestalia::test {

class CFakeSettingsStore final : public ISettingsStore {
  public:
    CRememberedAgendas Load() const override { return stored; }
    void Save(const CRememberedAgendas& agendas) override {
        stored = agendas;
        ++nSaves;
    }
    void AddRecentDocument(std::string_view path) override { desktopRecent.emplace_back(path); }

    CRememberedAgendas stored;
    int nSaves = 0;
    std::vector<std::string> desktopRecent;
};

}  // namespace gestalia::test
