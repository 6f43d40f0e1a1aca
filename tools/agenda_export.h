#pragma once
// Plain forms of an agenda for other programs: JSON for inspection and CSV for
// spreadsheets. Texts come out as UTF-8.

#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "model/agenda_file.h"
#include "model/date_value.h"
#include "model/result.h"

namespace gestalia {

// {"oadate": m_dt, "status": "valid"|"invalid"|"null", "iso": "YYYY-MM-DDTHH:MM:SS" or null}.
// "iso" is null unless the value is valid and names a calendar date; an
// oadate that is not a finite number comes out as null.
nlohmann::ordered_json DateToJson(const CDateValue& dt);

// {"lastPeriod": date, "items": [{"id", "text", "from", "to", "image", "weight"}, ...]}
// with the items in file order and ids 1 to N, then "extension": the agenda's
// extension object whole, when it holds something. The weight is the shortest
// decimal that reads back as the stored float (62.3, not 62.29999923706055);
// a weight that is not a finite number comes out as null.
nlohmann::ordered_json AgendaToJson(const CAgendaData& data);

// One CSV field (RFC 4180): quoted when it holds a comma, a double quote, a
// carriage return or a line feed, with inner double quotes doubled.
std::string CsvField(std::string_view text);

// "YYYY-MM-DD" of the date part; empty for a date that is not valid.
std::string CsvDate(const CDateValue& dt);

// The weight with one decimal ("62.5"); empty for 0 or a value that is not a
// finite number.
std::string CsvWeight(float kilograms);

// The notes as CSV: the header "fecha,texto,peso_kg", then one row per item in
// file order (date from m_dtFrom), every line ended by CR LF.
std::string AgendaToCsv(const CAgendaData& data);

// The same two forms written straight from a file image, one note at a time,
// so that a large agenda is never held whole in another form: the text is
// AgendaToJson(...) dumped with an indent of 2 (no line break after it), and
// AgendaToCsv(...). The image is parsed twice, first whole, so a damaged one
// gives its error and nothing is written.
Status WriteAgendaJson(std::string_view bytes, std::ostream& out);
Status WriteAgendaCsv(std::string_view bytes, std::ostream& out);

}  // namespace gestalia
