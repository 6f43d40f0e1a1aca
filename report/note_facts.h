#pragma once
// What a note measures, in the words both the report and the calendar export
// use for it.

#include <string>

#include "model/agenda_file.h"
#include "model/date_value.h"

namespace gestalia {

// A weight as she typed it, with a decimal comma and as many decimals as the
// stored value needs ("61,5", "62,37"); empty for no weight (0) or a value
// that is not a finite number.
std::string KilosText(float kilograms);

// "Peso: 61,5 kg; TA 120/80 mmHg, AU 28 cm": the weight, then VisitSummary;
// empty when the note measures nothing.
std::string NoteFacts(const CAgendaRecord& note);

// "5 de Marzo de 2027"; empty for a date that is not valid.
std::string DayText(const CDateValue& day);

}  // namespace gestalia
