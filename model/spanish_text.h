#pragma once
// The fixed Spanish weekday names, month names and date phrases. Texts are UTF-8
// in memory; they become Windows-1252 only at the file boundary.

#include <string>

namespace gestalia {

// 1 = "Lunes" .. 7 = "Domingo"; an empty text outside 1 to 7.
std::string SpanishDayName(int n);
// 1 = "Enero" .. 12 = "Diciembre"; "?" outside 1 to 12.
std::string SpanishMonthName(int month);
// "5 de Marzo de 2012", "5 de Marzo" (year 0), "Marzo 2012" (day 0).
std::string SpanishDateText(int day, int month, int year);
// A number with `decimals` digits after a decimal comma, as Spanish writes it
// ("61,5"), whatever the process locale; "?" when it cannot be written.
std::string SpanishDecimal(double value, int decimals);

}  // namespace gestalia
