#include "model/spanish_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace gestalia {

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"Lunes",   "Martes", "Miércoles", "Jueves",
                                                       "Viernes", "Sábado", "Domingo"};

constexpr std::array<std::string_view, 12> kMonthNames = {
    "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};

}  // namespace

std::string SpanishDayName(int n) {
    if (n < 1 || n > static_cast<int>(kDayNames.size())) {
        return {};
    }
    return std::string(kDayNames[static_cast<std::size_t>(n - 1)]);
}

std::string SpanishMonthName(int month) {
    if (month < 1 || month > static_cast<int>(kMonthNames.size())) {
        return "?";
    }
    return std::string(kMonthNames[static_cast<std::size_t>(month - 1)]);
}

std::string SpanishDateText(int day, int month, int year) {
    const std::string name = SpanishMonthName(month);
    if (day == 0) {
        return name + " " + std::to_string(year);
    }
    std::string text = std::to_string(day) + " de " + name;
    if (year != 0) {
        text += " de " + std::to_string(year);
    }
    return text;
}

std::string SpanishDecimal(double value, int decimals) {
    char buf[400];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) {
        return "?";
    }
    std::string text(buf, end);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace gestalia
