#pragma once
// The agendas she had open, as the window remembers them between runs: the
// last one, reopened at a start without an argument, and the recent ones,
// listed while no agenda is open. Plain values; the window reads and writes
// them through its settings store.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace gestalia {

// The recent list holds at most this many agendas.
inline constexpr std::size_t kRecentAgendaCount = 5;

// What a store gave back, made sound: no empty path, no path twice, at most
// kRecentAgendaCount of them. A store written by hand may hold anything.
CRememberedAgendas Tidied(CRememberedAgendas agendas);
// The path becomes the last agenda and heads the list.
CRememberedAgendas WithAgendaOpened(CRememberedAgendas agendas, const std::string& path);
// The path leaves the list, and stops being the last agenda if it was.
CRememberedAgendas WithAgendaForgotten(CRememberedAgendas agendas, const std::string& path);

// The path as remembered: absolute, so that it opens from any working folder;
// as it stands when it cannot be made so.
std::string RememberedPath(std::string_view path);

// The text of a recent agenda's button: its file name, then its folder in
// brackets, and a note when nothing is there any more. An "&" is doubled, so
// the toolkits show it rather than take it as a keyboard shortcut.
std::string RecentAgendaText(std::string_view path, bool bMissing);

}  // namespace gestalia
