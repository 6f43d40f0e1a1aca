#include "model/iso_day.h"

#include <array>
#include <cstdio>

namespace gestalia {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Digits(std::string_view text) {
    int n = 0;
    for (const char c : text) {
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::optional<CDateValue> ParseIsoDay(std::string_view text) {
    constexpr std::size_t kLength = 10;  // YYYY-MM-DD
    if (text.size() != kLength || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (!IsDigit(text[i])) {
            return std::nullopt;
        }
    }
    const CDateValue day(Digits(text.substr(0, 4)), Digits(text.substr(5, 2)),
                         Digits(text.substr(8, 2)));
    if (!day.IsValid()) {
        return std::nullopt;
    }
    return day;
}

std::string IsoDayText(const CDateValue& day) {
    CDateFields fields;
    if (!day.IsValid() || !day.GetFields(fields)) {
        return {};
    }
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", fields.year, fields.month,
                  fields.day);
    return text.data();
}

}  // namespace gestalia
