#pragma once
// The weight box of the note editor: kilograms to text and back, independent of
// the process locale.

#include <string>
#include <string_view>

namespace gestalia {

inline constexpr float kMaxWeightKg = 140.0f;

// One decimal ("%2.1f" in the C locale): 0 gives "0.0", 62.5 gives "62.5".
std::string FormatWeightText(float fWeight);

// The leading decimal number of the text (blanks skipped), with a decimal comma
// read as a point: "62,5" and "62.5" both give 62.5. A text that does not begin
// with a number gives 0; a weight below 0 or above 140 gives 0.
float ParseWeightText(std::string_view text);

}  // namespace gestalia
