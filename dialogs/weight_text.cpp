#include "dialogs/weight_text.h"

#include <string>

#include "model/number_text.h"

namespace gestalia {

namespace {

// The blanks that a C-locale number conversion skips.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string FormatWeightText(float fWeight) {
    return fWeight == 0.0f ? std::string() : DecimalText(fWeight);
}

std::optional<float> ParseWeightText(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    std::string s(text.substr(first, last - first));
    if (s.size() >= 2 && (s[s.size() - 2] == 'k' || s[s.size() - 2] == 'K') &&
        (s.back() == 'g' || s.back() == 'G')) {
        s.resize(s.size() - 2);
        while (!s.empty() && IsBlank(s.back())) {
            s.pop_back();
        }
    }
    if (s.empty()) {
        // Nothing typed is no weight; a lone "kg" is not a weight.
        return first == last ? std::optional<float>(0.0f) : std::nullopt;
    }
    const std::optional<double> value = ParseDecimalText(s);
    if (!value) {
        return std::nullopt;
    }
    const auto fWeight = static_cast<float>(*value);
    if (!(fWeight >= 0.0f && fWeight <= kMaxWeightKg)) {
        return std::nullopt;
    }
    return fWeight;
}

}  // namespace gestalia
