#pragma once
// The weight box of the note editor: kilograms to text and back, independent of
// the process locale.

#include <optional>
#include <string>
#include <string_view>

namespace gestalia {

inline constexpr float kMaxWeightKg = 140.0f;

// As many decimals as the weight needs to read back the same, with a decimal
// comma: 62.37 gives "62,37", 61.5 "61,5", 60 "60". No weight (0) is an empty
// box.
std::string FormatWeightText(float fWeight);

// The weight a text gives, or nothing when the text is not one: a decimal
// number from 0 to 140 with a comma or a point ("62,5", "62.5"), blanks around
// it and an optional "kg" after it. A blank text is 0, no weight. Signs,
// exponents, words and more than one number are not weights.
std::optional<float> ParseWeightText(std::string_view text);

// What the editor tells her when ParseWeightText refuses a text.
inline constexpr std::string_view kWeightHelp =
    "El peso debe ser un número de kilos de 0 a 140, por ejemplo 62,5. Déjalo vacío si no "
    "quieres anotar el peso.";

}  // namespace gestalia
