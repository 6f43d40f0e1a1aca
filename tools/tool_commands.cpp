#include "tools/tool_commands.h"

#include <CLI/CLI.hpp>

#include "model/agenda_file.h"
#include "model/result.h"
#include "model/timeline.h"
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

void ReportBadDate(std::string_view text, std::ostream& err) {
    err << "Fecha no válida: \"" << text
        << "\". Escríbela como AAAA-MM-DD, por ejemplo 2027-01-01.\n";
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

    std::string lastPeriod;
    std::string day;
    CLI::App* timeline = app.get_subcommand("timeline");
    timeline->add_option("REGLA", lastPeriod)->required();
    CLI::Option* dayOption = timeline->add_option("DÍA", day);

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
    std::optional<std::string_view> chosenDay;
    if (dayOption->count() > 0) {
        chosenDay = day;
    }
    return RunTimeline(lastPeriod, chosenDay, clock, out, err);
}

}  // namespace gestalia
