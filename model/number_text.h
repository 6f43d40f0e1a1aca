#pragma once
// Numbers she types, whatever the process locale.

#include <optional>
#include <string>
#include <string_view>

namespace gestalia {

// A plain decimal number: digits with at most one decimal comma or point
// ("45", "45,5", "45.5"), blanks around it allowed; nothing for signs,
// exponents, words or an empty text.
std::optional<double> ParseDecimalText(std::string_view text);

// The shortest text that reads back as the same number, with a decimal
// comma: 28.5 gives "28,5", 61 "61"; empty when it cannot be written.
std::string DecimalText(double value);
std::string DecimalText(float value);

// A whole number of at most six digits, blanks around it allowed.
std::optional<int> ParseWholeText(std::string_view text);

}  // namespace gestalia
