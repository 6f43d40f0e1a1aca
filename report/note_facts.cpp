#include "report/note_facts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/spanish_text.h"
#include "model/visit.h"

namespace gestalia {

std::string KilosText(float kilograms) {
    if (!std::isfinite(kilograms) || kilograms == 0.0f) {
        return {};
    }
    // The shortest text that reads back as the stored float.
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, kilograms, std::chars_format::fixed);
    if (ec != std::errc()) {
        return {};
    }
    std::string text(buf, end);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string NoteFacts(const CAgendaRecord& note) {
    std::string facts;
    if (const std::string kilos = KilosText(note.fWeight); !kilos.empty()) {
        facts = "Peso: " + kilos + " kg";
    }
    if (const std::string visit = VisitSummary(note.visit); !visit.empty()) {
        facts += (facts.empty() ? "" : "; ") + visit;
    }
    return facts;
}

std::string DayText(const CDateValue& day) {
    CDateFields fields;
    if (!DayNumberOf(day) || !day.GetFields(fields)) {
        return {};
    }
    return SpanishDateText(fields.day, fields.month, fields.year);
}

}  // namespace gestalia
