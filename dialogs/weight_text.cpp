#include "dialogs/weight_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

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
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<double>(fWeight),
                                         std::chars_format::fixed, 1);
    if (ec != std::errc()) {
        return "0.0";
    }
    return std::string(buf, end);
}

float ParseWeightText(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), ',', '.');

    std::size_t pos = 0;
    while (pos < s.size() && IsBlank(s[pos])) {
        ++pos;
    }
    // from_chars takes a leading minus but no plus; a plus is taken here.
    bool bNegative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        bNegative = s[pos] == '-';
        ++pos;
    }
    // Only a decimal number counts: digits, or a point followed by a digit (no
    // "inf", "nan" or hexadecimal forms).
    const bool bNumber =
        pos < s.size() &&
        (IsDigit(s[pos]) || (s[pos] == '.' && pos + 1 < s.size() && IsDigit(s[pos + 1])));
    if (!bNumber) {
        return 0.0f;
    }
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(s.data() + pos, s.data() + s.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        return 0.0f;  // far outside the accepted range either way
    }
    if (ec != std::errc()) {
        return 0.0f;
    }
    const float fWeight = static_cast<float>(bNegative ? -value : value);
    if (!std::isfinite(fWeight) || fWeight < 0.0f || fWeight > kMaxWeightKg) {
        return 0.0f;
    }
    // A typed "-0" is plain 0.
    return fWeight == 0.0f ? 0.0f : fWeight;
}

}  // namespace gestalia
