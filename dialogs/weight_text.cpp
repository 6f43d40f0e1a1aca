#include "dialogs/weight_text.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "model/spanish_text.h"

namespace gestalia {

namespace {

// The blanks that a C-locale number conversion skips.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatWeightText(float fWeight) {
    return SpanishDecimal(fWeight, 1);
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
    // Digits with at most one decimal comma or point, and at least one digit.
    std::replace(s.begin(), s.end(), ',', '.');
    if (std::count(s.begin(), s.end(), '.') > 1 ||
        !std::all_of(s.begin(), s.end(), [](char c) { return IsDigit(c) || c == '.'; }) ||
        std::none_of(s.begin(), s.end(), IsDigit)) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    const auto fWeight = static_cast<float>(value);
    if (!(fWeight >= 0.0f && fWeight <= kMaxWeightKg)) {
        return std::nullopt;
    }
    return fWeight;
}

}  // namespace gestalia
