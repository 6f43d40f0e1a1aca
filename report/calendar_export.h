#pragma once
// Her agenda as an iCalendar file (RFC 5545) that any calendar program reads:
// one event for each note and an all-day event on the due date.
//
// Times are floating, local to wherever she opens the file, as the agenda
// keeps them. A note whose start is not a valid date has no place in a
// calendar and is left out. Each event's UID comes from what the note is (its
// start, its end and its text) and from how many identical notes come before
// it, so two exports of one file give the same UIDs, and adding, deleting or
// moving one note leaves every other note's UID as it was. DTSTAMP must be a
// UTC time and the agenda keeps no time of change, so each event's stamp is
// its own start read as UTC: two exports of one file are the same bytes.

#include <cstddef>
#include <string>
#include <string_view>

#include "model/agenda_file.h"

namespace gestalia {

std::string CalendarExport(const CAgendaData& agenda);

// How many notes CalendarExport leaves out for want of a valid start.
std::size_t NotesWithoutDate(const CAgendaData& agenda);

// A TEXT value: backslash, semicolon and comma escaped with a backslash, every
// line break (CR LF, CR or LF) as "\n", other control characters but the tab
// left out.
std::string IcsText(std::string_view text);

// One content line, ended by CR LF and folded so that no physical line holds
// more than 75 octets: each continuation starts with a space, and no UTF-8
// character is split.
std::string FoldContentLine(std::string_view line);

}  // namespace gestalia
