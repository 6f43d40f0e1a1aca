#include "dialogs/profile_fields.h"

#include "dialogs/weight_text.h"
#include "model/number_text.h"

namespace gestalia {

namespace {

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

std::string WholeOrDecimal(double value) {
    // The shortest text that reads back as the same number, with a comma.
    return FormatWeightText(static_cast<float>(value));
}

// The number in `text` when it lies in [low, high]; otherwise the message.
Result<double> ReadInRange(const std::string& text, double low, double high,
                           const std::string& message) {
    const std::optional<double> value = ParseDecimalText(text);
    if (!value || *value < low || *value > high) {
        return CError{ErrorKind::badInput, message, std::nullopt};
    }
    return *value;
}

}  // namespace

CProfileFields ProfileFieldsOf(const std::optional<CProfile>& profile) {
    if (!profile) {
        return {};
    }
    return {WholeOrDecimal(profile->fHeightCm), WholeOrDecimal(profile->fWeightBeforeKg),
            profile->bTwins};
}

Result<std::optional<CProfile>> ReadProfileFields(const CProfileFields& fields) {
    if (IsBlank(fields.strHeightCm) && IsBlank(fields.strWeightBeforeKg)) {
        return std::optional<CProfile>();
    }
    const Result<double> height = ReadInRange(
        fields.strHeightCm, kMinHeightCm, kMaxHeightCm,
        "Tu altura debe ser un número de centímetros de " + WholeOrDecimal(kMinHeightCm) + " a " +
            WholeOrDecimal(kMaxHeightCm) + ", por ejemplo 163.");
    if (!height) {
        return height.error();
    }
    const Result<double> weight =
        ReadInRange(fields.strWeightBeforeKg, kMinWeightBeforeKg, kMaxWeightBeforeKg,
                    "Tu peso de antes del embarazo debe ser un número de kilos de " +
                        WholeOrDecimal(kMinWeightBeforeKg) + " a " +
                        WholeOrDecimal(kMaxWeightBeforeKg) + ", por ejemplo 58,5.");
    if (!weight) {
        return weight.error();
    }
    return std::optional<CProfile>(CProfile{height.value(), weight.value(), fields.bTwins});
}

}  // namespace gestalia
