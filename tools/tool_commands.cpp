#include "tools/tool_commands.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "model/agenda_file.h"
#include "model/number_text.h"
#include "model/result.h"
#include "model/scan_dating.h"
#include "model/timeline.h"
#include "report/calendar_export.h"
#include "report/report_page.h"
#include "tools/agenda_export.h"
#include "tools/manual_pages.h"
#include "tools/usage_messages.h"

namespace gestalia {

namespace {

// Reads the agenda and checks it whole, without holding its notes, reporting
// any failure as one line on err; gives the file's bytes. A reading error
// names the file itself; damage is reported as "path: byte 40: what is wrong".
std::optional<CFileBytes> LoadForTool(const std::string& path, std::ostream& err) {
    Result<CFileBytes> bytes = ReadFileBytes(path);
    if (!bytes) {
        err << bytes.error().message << '\n';
        return std::nullopt;
    }
    Result<CAgendaSummary> agenda = CheckAgenda(bytes.value());
    if (!agenda) {
        const CError& error = agenda.error();
        err << path << ": ";
        if (error.offset) {
            err << "byte " << *error.offset << ": ";
        }
        err << error.message << '\n';
        return std::nullopt;
    }
    return std::move(bytes).value();
}

// The whole agenda, every note with its visit data, or nothing after the
// message LoadForTool writes.
std::optional<CAgendaData> ParseForTool(const std::string& path, std::ostream& err) {
    const std::optional<CFileBytes> bytes = LoadForTool(path, err);
    if (!bytes) {
        return std::nullopt;
    }
    Result<CAgendaData> agenda = ParseAgenda(*bytes);
    if (!agenda) {
        err << path << ": " << agenda.error().message << '\n';
        return std::nullopt;
    }
    return std::move(agenda).value();
}

void ReportBadDate(std::string_view text, std::ostream& err) {
    err << "Fecha no válida: \"" << text
        << "\". Escríbela como AAAA-MM-DD, por ejemplo 2027-01-01.\n";
}

}  // namespace

int RunDump(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::optional<CFileBytes> agenda = LoadForTool(path, err);
    if (!agenda || !WriteAgendaJson(*agenda, out)) {
        return kToolFailed;
    }
    out << '\n';
    return kToolOk;
}

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    if (!LoadForTool(path, err)) {
        return kToolFailed;
    }
    out << "OK\n";
    return kToolOk;
}

int RunExportCsv(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::optional<CFileBytes> agenda = LoadForTool(path, err);
    if (!agenda || !WriteAgendaCsv(*agenda, out)) {
        return kToolFailed;
    }
    return kToolOk;
}

int RunReport(const std::string& path, const IClock& clock, std::ostream& out, std::ostream& err) {
    const std::optional<CAgendaData> agenda = ParseForTool(path, err);
    if (!agenda) {
        return kToolFailed;
    }
    out << ReportPage(*agenda, CDateValue::Now(clock));
    return kToolOk;
}

int RunExportIcs(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::optional<CAgendaData> agenda = ParseForTool(path, err);
    if (!agenda) {
        return kToolFailed;
    }
    out << CalendarExport(*agenda);
    if (const std::size_t left = NotesWithoutDate(*agenda); left > 0) {
        err << path << ": " << left
            << (left == 1 ? " nota no tiene una fecha válida y no está en el calendario.\n"
                          : " notas no tienen una fecha válida y no están en el calendario.\n");
    }
    return kToolOk;
}

int RunTimeline(std::string_view lastPeriod, std::optional<std::string_view> day,
                const IClock& clock, std::ostream& out, std::ostream& err) {
    const std::optional<CDateValue> dtLastPeriod = ParseIsoDay(lastPeriod);
    if (!dtLastPeriod) {
        ReportBadDate(lastPeriod, err);
        return kToolBadUsage;
    }
    TimelineFigures figures;
    if (day) {
        const std::optional<CDateValue> dtDay = ParseIsoDay(*day);
        if (!dtDay) {
            ReportBadDate(*day, err);
            return kToolBadUsage;
        }
        figures = TimelineForDay(*dtLastPeriod, *dtDay);
    } else {
        figures = TimelineAsOfNow(*dtLastPeriod, CDateValue::Now(clock));
    }
    out << FormatDueDateText(figures) << '\n'
        << FormatDaysLeftText(figures) << '\n'
        << FormatWeeksText(figures) << '\n';
    return kToolOk;
}

int RunDating(std::string_view lastPeriod, std::string_view scanDay, std::string_view crlMm,
              std::ostream& out, std::ostream& err) {
    const std::optional<CDateValue> dtLastPeriod = ParseIsoDay(lastPeriod);
    if (!dtLastPeriod) {
        ReportBadDate(lastPeriod, err);
        return kToolBadUsage;
    }
    const std::optional<CDateValue> dtScan = ParseIsoDay(scanDay);
    if (!dtScan) {
        ReportBadDate(scanDay, err);
        return kToolBadUsage;
    }
    const std::optional<double> length = ParseDecimalText(crlMm);
    const std::optional<int> gaScan = length ? GestationalAgeFromCrl(*length) : std::nullopt;
    if (!gaScan) {
        err << "Longitud cráneo-caudal no válida: \"" << crlMm
            << "\". Escribe los milímetros, de 15 a 95, por ejemplo 45 o 45.5.\n";
        return kToolBadUsage;
    }
    const Result<CDatingComparison> dating = CompareDating(*dtLastPeriod, *dtScan, *gaScan);
    if (!dating) {
        err << dating.error().message << '\n';
        return kToolBadUsage;
    }
    const CDatingComparison& c = dating.value();
    nlohmann::ordered_json j;
    j["gaLastPeriodDays"] = c.nGaLastPeriodDays;
    j["gaScanDays"] = c.nGaScanDays;
    j["differenceDays"] = c.nDifferenceDays;
    j["thresholdDays"] = c.nMarginDays;
    j["redated"] = c.bRedate;
    j["dueDate"] = IsoDayText(c.RecommendedDue());
    out << j.dump(2) << '\n';
    return kToolOk;
}

int RunTool(int argc, const char* const* argv, const IClock& clock, std::ostream& out,
            std::ostream& err) {
    const ManualPage manual = ToolManual();
    CLI::App app{manual.summary, "gestalia-tool"};
    app.require_subcommand(1);
    // "/ruta/agenda.gst" is a file on every system, never a Windows-style option.
    app.allow_windows_style_options(false);
    SpeakSpanish(app, manual);

    // The commands the manual documents, in its order; asking for one it does
    // not document throws rather than going on without it.
    for (const ToolCommandDoc& command : kToolCommands) {
        app.add_subcommand(std::string(command.name), std::string(command.summary));
    }
    std::string path;
    CLI::App* dump = app.get_subcommand("dump");
    dump->add_option("FICHERO", path)->required();
    CLI::App* check = app.get_subcommand("check");
    check->add_option("FICHERO", path)->required();
    CLI::App* csv = app.get_subcommand("export-csv");
    csv->add_option("FICHERO", path)->required();
    CLI::App* report = app.get_subcommand("informe");
    report->add_option("FICHERO", path)->required();
    CLI::App* ics = app.get_subcommand("export-ics");
    ics->add_option("FICHERO", path)->required();

    std::string lastPeriod;
    std::string day;
    CLI::App* timeline = app.get_subcommand("timeline");
    timeline->add_option("REGLA", lastPeriod)->required();
    CLI::Option* dayOption = timeline->add_option("DÍA", day);

    std::string scanDay;
    std::string crlMm;
    CLI::App* dating = app.get_subcommand("datacion");
    dating->add_option("FUR", lastPeriod)->required();
    dating->add_option("FECHA_ECO", scanDay)->required();
    dating->add_option("LCC_MM", crlMm)->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? kToolOk : kToolBadUsage;
    }

    if (*dump) {
        return RunDump(path, out, err);
    }
    if (*check) {
        return RunCheck(path, out, err);
    }
    if (*csv) {
        return RunExportCsv(path, out, err);
    }
    if (*report) {
        return RunReport(path, clock, out, err);
    }
    if (*ics) {
        return RunExportIcs(path, out, err);
    }
    if (*dating) {
        return RunDating(lastPeriod, scanDay, crlMm, out, err);
    }
    std::optional<std::string_view> chosenDay;
    if (dayOption->count() > 0) {
        chosenDay = day;
    }
    return RunTimeline(lastPeriod, chosenDay, clock, out, err);
}

}  // namespace gestalia
