#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace gestalia {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

template <class Number>
std::string ShortestText(Number value) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) {
        return {};
    }
    std::string text(buf, end);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace

std::string DecimalText(double value) {
    return ShortestText(value);
}

std::string DecimalText(float value) {
    return ShortestText(value);
}

std::optional<double> ParseDecimalText(std::string_view text) {
    std::string s(Trimmed(text));
    std::replace(s.begin(), s.end(), ',', '.');
    if (std::count(s.begin(), s.end(), '.') > 1 ||
        !std::all_of(s.begin(), s.end(), [](char c) { return IsDigit(c) || c == '.'; }) ||
        std::none_of(s.begin(), s.end(), IsDigit)) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseWholeText(std::string_view text) {
    constexpr std::size_t kMaxDigits = 6;
    const std::string_view s = Trimmed(text);
    if (s.empty() || s.size() > kMaxDigits || !std::all_of(s.begin(), s.end(), IsDigit)) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : s) {
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace gestalia
