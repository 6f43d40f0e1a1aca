#pragma once
// Days written as YYYY-MM-DD, as the command line and the agenda's extension
// block write them.

#include <optional>
#include <string>
#include <string_view>

#include "date_value.h"

namespace gestalia {

// A day written as YYYY-MM-DD (exactly ten characters), at midnight; nothing
// for any other text or for a day the calendar does not have.
std::optional<CDateValue> ParseIsoDay(std::string_view text);
// The day of a valid date as YYYY-MM-DD; empty for any other.
std::string IsoDayText(const CDateValue& day);

}  // namespace gestalia
