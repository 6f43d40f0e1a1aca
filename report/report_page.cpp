#include "report/report_page.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "model/dating.h"
#include "model/spanish_text.h"
#include "model/timeline.h"
#include "model/visit.h"
#include "model/weight_gain.h"
#include "report/note_facts.h"
#include "report/weight_chart_svg.h"

namespace gestalia {

namespace {

// Screen and A4 paper alike; a row, a note or the chart is never split across
// two sheets, and the visit table repeats its head on each.
constexpr std::string_view kStyle = R"(
@page { size: A4; margin: 16mm 15mm 18mm 15mm; }
html { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 10.5pt;
       color: #222; background: #fff; }
body { max-width: 180mm; margin: 0 auto; padding: 0 4mm; line-height: 1.4; }
h1 { font-size: 17pt; color: #ad1457; margin: 0 0 2mm; }
h2 { font-size: 12.5pt; color: #ad1457; border-bottom: 1px solid #e8b4c8; margin: 6mm 0 2mm;
     padding-bottom: 1mm; break-after: avoid; }
p { margin: 1mm 0; }
.lead { color: #555; }
dl.dates { display: grid; grid-template-columns: max-content auto; gap: 1mm 5mm; margin: 0; }
dl.dates dt { font-weight: bold; }
dl.dates dd { margin: 0; }
figure { margin: 2mm 0; break-inside: avoid; }
svg.chart { width: 100%; height: auto; display: block; }
svg .frame { fill: #fff; stroke: #999; stroke-width: 1; }
svg .band { fill: #c8e6c9; stroke: #81c784; stroke-width: 1; }
svg .grid line { stroke: #ddd; stroke-width: 0.8; }
svg .grid text { font-size: 11px; fill: #555; }
svg .grid text.kg { text-anchor: end; dominant-baseline: middle; }
svg .grid text.week { text-anchor: middle; }
svg .grid text.axis { text-anchor: end; font-style: italic; }
svg .weights { fill: none; stroke: #ad1457; stroke-width: 1.6; }
svg .dots circle { fill: #ad1457; }
figcaption, .source { font-size: 9pt; color: #555; }
.source { margin-top: 1mm; }
table { width: 100%; border-collapse: collapse; font-size: 9.5pt; }
thead { display: table-header-group; }
tr { break-inside: avoid; }
th, td { border: 1px solid #ccc; padding: 1mm 1.5mm; text-align: left; vertical-align: top; }
th { background: #fbe9f0; }
td.num { text-align: right; white-space: nowrap; }
td.day { width: 17%; }
td.text { width: 36%; white-space: pre-wrap; overflow-wrap: anywhere; }
.note { break-inside: avoid; border-left: 3px solid #e8b4c8; padding: 0.5mm 0 0.5mm 3mm;
        margin: 0 0 3mm; }
.note h3 { font-size: 10.5pt; margin: 0; }
.note .text { white-space: pre-wrap; overflow-wrap: anywhere; margin: 0.5mm 0; }
.note .facts { color: #444; font-size: 9.5pt; }
footer { margin-top: 8mm; font-size: 9pt; color: #666; }
)";

std::string Element(std::string_view tag, std::string_view text, std::string_view attributes = {}) {
    return "<" + std::string(tag) + (attributes.empty() ? "" : " ") + std::string(attributes) +
           ">" + HtmlEscape(text) + "</" + std::string(tag) + ">";
}

bool HasDay(const CDateValue& day) {
    return DayNumberOf(day).has_value();
}

// The notes by start, stable; notes without a valid start at the end.
std::vector<const CAgendaRecord*> ByDate(const std::vector<CAgendaRecord>& notes) {
    std::vector<const CAgendaRecord*> sorted;
    sorted.reserve(notes.size());
    for (const CAgendaRecord& note : notes) {
        sorted.push_back(&note);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CAgendaRecord* a, const CAgendaRecord* b) {
                         const bool dated = HasDay(a->dtFrom);
                         if (dated != HasDay(b->dtFrom)) {
                             return dated;
                         }
                         return dated && a->dtFrom.GetRaw() < b->dtFrom.GetRaw();
                     });
    return sorted;
}

std::string DatesSection(const CAgendaData& agenda, const CDating& dating,
                         const CDateValue& today) {
    std::string html = "<section><h2>Tus fechas</h2>";
    if (!HasDay(agenda.dtLastPeriod)) {
        return html + "<p>Aún no has puesto la fecha de tu última regla.</p></section>";
    }
    const auto row = [](std::string_view term, std::string_view value) {
        return Element("dt", term) + Element("dd", value);
    };
    const TimelineFigures figures = TimelineAsOfNow(dating.dtLastPeriod, today);
    html += "<dl class=\"dates\">" + row("Última regla", DayText(agenda.dtLastPeriod)) +
            row("Fecha probable de parto",
                DayText(figures.dtDue) +
                    (dating.bByScan ? " (por ecografía)" : " (por la última regla)"));
    // As the window's status box says them on this day.
    const CStatusTexts status = StatusTexts(dating, today, true);
    if (dating.BornBy(today)) {
        html += row("Nacimiento",
                    status.strDueDate + ". " + status.strDaysLeft + ". " + status.strWeeks + ".");
    } else {
        html += row("Hoy, " + DayText(today), status.strWeeks + ". " + status.strDaysLeft + ".");
    }
    return html + "</dl></section>";
}

std::string ProfileLine(const std::optional<CProfile>& profile, std::optional<double> bmi) {
    if (!profile || !bmi) {
        return "<p>No has puesto tu perfil (tu altura y tu peso antes del embarazo), así que no "
               "hay ganancia recomendada que mostrar.</p>";
    }
    std::string html = "<p>Altura " + SpanishDecimal(profile->fHeightCm, 0) +
                       " cm; peso antes del embarazo " +
                       KilosText(static_cast<float>(profile->fWeightBeforeKg)) + " kg.</p>";
    if (profile->bTwins) {
        return html + Element("p", BmiCaption(*bmi)) +
               "<p>Embarazo de gemelos: la gráfica no dibuja la franja recomendada, porque para "
               "gemelos solo hay recomendaciones provisionales.</p>";
    }
    return html + Element("p", GainCaption(*bmi), "class=\"gain\"");
}

std::string WeightSection(const CAgendaData& agenda, const CDating& dating) {
    const std::optional<CProfile> profile = agenda.extension.Profile();
    const std::optional<double> bmi =
        profile ? BodyMassIndex(profile->fHeightCm, profile->fWeightBeforeKg) : std::nullopt;
    std::string html = "<section><h2>Tu peso</h2>" + ProfileLine(profile, bmi);
    if (!HasDay(dating.dtLastPeriod)) {
        return html +
               "<p>La gráfica cuenta las semanas desde tu última regla; sin esa fecha no "
               "se puede dibujar.</p></section>";
    }
    std::optional<CBandBasis> band;
    if (profile && bmi && !profile->bTwins) {
        band = CBandBasis{profile->fWeightBeforeKg, ClassOfBmi(*bmi)};
    }
    const std::vector<CWeekWeight> points = WeekWeights(agenda.items, dating);
    html += "<figure>" + WeightChartSvg(points, band) + "<figcaption>";
    html += points.empty() ? "Aún no has anotado ningún peso." : "Los puntos son tus pesos.";
    html += std::string(" Semanas contadas ") +
            (dating.bByScan ? "según la ecografía." : "desde la última regla.");
    if (band) {
        html += " La franja verde es la ganancia recomendada para tu IMC antes del embarazo.";
    }
    html += "</figcaption></figure>";
    if (band) {
        html +=
            "<p class=\"source\">Fuente de la franja: Institute of Medicine (IOM, hoy "
            "National Academy of Medicine), <cite>Weight Gain During Pregnancy: "
            "Reexamining the Guidelines</cite>, 2009. Hasta la semana 13 sube de 0,5 a "
            "2 kg; después, lo que marca cada semana la tabla del IOM para tu IMC.</p>";
    }
    return html + "</section>";
}

std::string Cell(std::string_view text, std::string_view cls = {}) {
    return Element("td", text, cls.empty() ? "" : "class=\"" + std::string(cls) + "\"");
}

std::string VisitRow(const CAgendaRecord& note) {
    const CVisit& v = note.visit;
    const auto whole = [](const std::optional<int>& n) {
        return n ? std::to_string(*n) : std::string("?");
    };
    const std::string kilos = KilosText(note.fWeight);
    std::string pressure;
    if (v.nSystolic || v.nDiastolic) {
        pressure = whole(v.nSystolic) + "/" + whole(v.nDiastolic);
    }
    std::string fundal;
    if (v.fFundalHeightCm) {
        const double cm = *v.fFundalHeightCm;
        fundal = SpanishDecimal(cm, std::round(cm) == cm ? 0 : 1) + " cm";
    }
    return "<tr>" + Cell(DayText(note.dtFrom), "day") +
           Cell(kilos.empty() ? "" : kilos + " kg", "num") + Cell(pressure, "num") +
           Cell(fundal, "num") +
           Cell(v.nFetalHeartRate ? std::to_string(*v.nFetalHeartRate) + " lpm" : "", "num") +
           Cell(v.bOedema ? (*v.bOedema ? "sí" : "no") : "") + Cell(note.strText, "text") + "</tr>";
}

std::string VisitsSection(const std::vector<const CAgendaRecord*>& notes) {
    std::string rows;
    for (const CAgendaRecord* note : notes) {
        if (!note->visit.empty() || !KilosText(note->fWeight).empty()) {
            rows += VisitRow(*note);
        }
    }
    std::string html = "<section><h2>Tus visitas y tus pesos</h2>";
    if (rows.empty()) {
        return html + "<p>Aún no has anotado ninguna visita ni ningún peso.</p></section>";
    }
    return html +
           "<table><thead><tr><th>Fecha</th><th>Peso</th><th>Tensión (mmHg)</th><th>Altura "
           "uterina</th><th>Latido fetal</th><th>Edemas</th><th>Nota</th></tr></thead><tbody>" +
           rows + "</tbody></table></section>";
}

std::string NotesSection(const std::vector<const CAgendaRecord*>& notes) {
    std::string html = "<section><h2>Tus notas</h2>";
    if (notes.empty()) {
        return html + "<p>Aún no has escrito ninguna nota.</p></section>";
    }
    for (const CAgendaRecord* note : notes) {
        const std::string day = DayText(note->dtFrom);
        html += "<article class=\"note\">" + Element("h3", day.empty() ? "Sin fecha" : day) +
                Element("p", note->strText, "class=\"text\"");
        if (const std::string facts = NoteFacts(*note); !facts.empty()) {
            html += Element("p", facts, "class=\"facts\"");
        }
        html += "</article>";
    }
    return html + "</section>";
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string ReportPage(const CAgendaData& agenda, const CDateValue& today) {
    const CDating dating = EffectiveDating(agenda.dtLastPeriod, agenda.extension);
    const std::vector<const CAgendaRecord*> notes = ByDate(agenda.items);
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<title>Informe de tu embarazo</title><style>" +
        std::string(kStyle) + "</style></head><body><header><h1>Informe de tu embarazo</h1>" +
        "<p class=\"lead\">Lo que has anotado en tu agenda de Gestalia, para llevarlo a tus "
        "visitas.</p></header>";
    html += DatesSection(agenda, dating, today);
    html += WeightSection(agenda, dating);
    html += VisitsSection(notes);
    html += NotesSection(notes);
    const std::string day = DayText(today);
    html += "<footer>" +
            HtmlEscape(day.empty() ? "Hecho con Gestalia." : "Hecho con Gestalia el " + day + ".") +
            " Recoge lo que tú has escrito, tal como lo escribiste.</footer></body></html>\n";
    return html;
}

}  // namespace gestalia
