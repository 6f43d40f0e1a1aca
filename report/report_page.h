#pragma once
// The report she takes to her midwife: one HTML page that holds everything it
// shows (UTF-8, its style and its chart inside it, nothing from the network),
// laid out for the screen and for A4 paper.

#include <string>
#include <string_view>

#include "model/agenda_file.h"
#include "model/date_value.h"

namespace gestalia {

// Her dates and her weeks on `today`, her profile and the recommended gain,
// the chart of her weights, the table of her visits and every note by date.
std::string ReportPage(const CAgendaData& agenda, const CDateValue& today);

// The text with &, <, >, " and ' written as character references, fit for an
// element's content and for a quoted attribute.
std::string HtmlEscape(std::string_view text);

}  // namespace gestalia
