#pragma once
// Texts of the main window (template 102) that its logic shows again in code:
// the template and the code both take them from here.

#include <string_view>

namespace gestalia {

// The label over the last-period picker, set again whenever an agenda opens.
inline constexpr std::string_view kLastPeriodLabel = "Fecha de la última regla";
// The create button, and the title of the question before a file is replaced.
inline constexpr std::string_view kCreateAgendaText = "CREAR AGENDA";
// The hint under the calendar, shown again when a warning leaves its place.
inline constexpr std::string_view kHintText = "* Doble click sobre el día para añadir una nota";
// The hint's line when notes from elsewhere were taken in (the counts follow),
// and when her agenda was saved apart from a file changed elsewhere. Each
// fits the hint's one line at the window's least size.
inline constexpr std::string_view kTakenInLead = "Cambios de fuera:";
inline constexpr std::string_view kKeptApartText =
    "Tu agenda se guardó aparte; la otra sigue igual.";

// The start of the line that says the agenda she had open last is gone; its
// path follows.
inline constexpr std::string_view kLastAgendaGoneText = "No encuentro tu última agenda: ";

}  // namespace gestalia
