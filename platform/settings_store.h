#pragma once
// ISettingsStore: where the program remembers her agendas between runs. It
// holds paths only, never anything an agenda holds.
//
// What an implementation provides: Load gives what the last Save wrote, and
// an empty record when nothing was written or the store cannot be read or is
// damaged (no message: the next Save writes it afresh, whatever was there).
// Save fails silently, since forgetting a path loses no notes.
// AddRecentDocument hands a path to the desktop's own list of recently used
// documents where the system offers one, and does nothing otherwise. Paths
// are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace gestalia {

struct CRememberedAgendas {
    std::string strLast;              // the agenda she had open last; empty: none
    std::vector<std::string> recent;  // newest first
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;

    virtual CRememberedAgendas Load() const = 0;
    virtual void Save(const CRememberedAgendas& agendas) = 0;
    virtual void AddRecentDocument(std::string_view path) = 0;
};

}  // namespace gestalia
