#include "dialogs/dating_fields.h"

#include <array>
#include <charconv>
#include <cstdlib>

#include "model/number_text.h"
#include "model/timeline.h"

namespace gestalia {

namespace {

CError Refused(std::string message) {
    return CError{ErrorKind::badInput, std::move(message), std::nullopt};
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// "8+3": weeks and days, as clinics write an age.
std::string AgeText(int days) {
    return std::to_string(days / kDaysPerWeek) + "+" + std::to_string(days % kDaysPerWeek);
}

std::string DayText(const CDateValue& day) {
    return day.Format("%d/%m/%Y");
}

}  // namespace

CScanFields ScanFieldsOf(const std::optional<CScanDating>& scan, const CDateValue& dtToday) {
    CScanFields fields;
    fields.dtScan = scan ? scan->dtScan : dtToday.GetDatePart();
    if (scan && scan->fCrlMm) {
        // The shortest text that reads back as the same length, whatever the
        // process locale: "45", "45.5".
        std::array<char, 64> text{};
        const auto written = std::to_chars(text.data(), text.data() + text.size(), *scan->fCrlMm);
        fields.strCrl.assign(text.data(), written.ptr);
    } else if (scan && scan->nGaDays) {
        fields.strWeeks = std::to_string(*scan->nGaDays / kDaysPerWeek);
        fields.strDays = std::to_string(*scan->nGaDays % kDaysPerWeek);
    }
    return fields;
}

Result<std::optional<CScanDating>> ReadScanFields(const CScanFields& fields,
                                                  const CDateValue& dtLastPeriod,
                                                  const CDateValue& dtToday) {
    const bool bCrl = !IsBlank(fields.strCrl);
    const bool bAge = !IsBlank(fields.strWeeks) || !IsBlank(fields.strDays);
    if (!bCrl && !bAge) {
        return std::optional<CScanDating>();
    }
    if (bCrl && bAge) {
        return Refused("Escribe la longitud cráneo-caudal o la edad que te dieron, no las dos.");
    }
    CScanDating scan;
    scan.dtScan = fields.dtScan.GetDatePart();
    if (bCrl) {
        const std::optional<double> crl = ParseDecimalText(fields.strCrl);
        if (!crl || !GestationalAgeFromCrl(*crl)) {
            return Refused(
                "La longitud cráneo-caudal debe ser un número de 15 a 95 mm, por ejemplo 45 o "
                "45,5.");
        }
        scan.fCrlMm = *crl;
    } else {
        const std::optional<int> weeks = ParseWholeText(fields.strWeeks);
        const std::optional<int> days =
            IsBlank(fields.strDays) ? std::optional<int>(0) : ParseWholeText(fields.strDays);
        if (!weeks || !days || *weeks > kMaxGivenWeeks || *days >= kDaysPerWeek) {
            return Refused(
                "La edad debe ser de 0 a 42 semanas y de 0 a 6 días, por ejemplo 8 semanas y 3 "
                "días.");
        }
        scan.nGaDays = *weeks * kDaysPerWeek + *days;
    }
    if (!scan.dtScan.IsValid()) {
        return Refused("La fecha de la ecografía no es válida.");
    }
    if (ElapsedDays(scan.dtScan, dtToday.GetDatePart()) > 0) {
        return Refused("La fecha de la ecografía no puede ser posterior a hoy.");
    }
    if (dtLastPeriod.IsValid() && ElapsedDays(scan.dtScan, dtLastPeriod.GetDatePart()) < 0) {
        return Refused("La fecha de la ecografía no puede ser anterior a la de la última regla.");
    }
    return std::optional<CScanDating>(scan);
}

Status CheckBirthDate(const CDateValue& dtBirth, const CDateValue& dtLastPeriod,
                      const CDateValue& dtToday) {
    if (!dtBirth.IsValid()) {
        return Refused("La fecha de nacimiento no es válida.");
    }
    const CDateValue day = dtBirth.GetDatePart();
    if (ElapsedDays(day, dtToday.GetDatePart()) > 0) {
        return Refused("La fecha de nacimiento no puede ser posterior a hoy.");
    }
    if (dtLastPeriod.IsValid() && ElapsedDays(day, dtLastPeriod.GetDatePart()) < 0) {
        return Refused("La fecha de nacimiento no puede ser anterior a la de la última regla.");
    }
    return {};
}

std::string ComparisonText(const CDatingComparison& c) {
    return "Edad por la última regla: " + AgeText(c.nGaLastPeriodDays) +
           "; por la ecografía: " + AgeText(c.nGaScanDays) + " (semanas+días)\n" +
           "Diferencia: " + std::to_string(std::abs(c.nDifferenceDays)) +
           " días; margen: " + std::to_string(c.nMarginDays) + " días\n" +
           (c.bRedate ? "Recomendación: fechar por la ecografía\n"
                      : "Recomendación: mantener la fecha por la última regla\n") +
           "Parto: " + DayText(c.dtDueByLastPeriod) + " por la última regla; " +
           DayText(c.dtDueByScan) + " por la ecografía";
}

std::string BirthStateText(const std::optional<CDateValue>& dtBirth) {
    if (!dtBirth) {
        return "Nacimiento: sin anotar";
    }
    return "Ya ha nacido: " + DayText(*dtBirth);
}

}  // namespace gestalia
