#pragma once
// The commands of gestalia-tool. Each writes to the streams it is given and
// returns the process exit code, so tests run them without starting a process.
//
//   dump FILE            the agenda as JSON
//   check FILE           "OK", or what is wrong and at which byte offset
//   export-csv FILE      the notes as CSV
//   timeline LMP [DAY]   the three status texts, for DAY or for now
//   datacion LMP SCAN CRL  the dating by the last period against the first
//                        scan's crown-rump length, as JSON
//   informe FILE         the report page, HTML, as of the clock's today
//   export-ics FILE      the notes and the due date as iCalendar

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "model/clock.h"
#include "model/date_value.h"
#include "model/iso_day.h"

namespace gestalia {

inline constexpr int kToolOk = 0;
inline constexpr int kToolFailed = 1;    // the agenda cannot be read or is damaged
inline constexpr int kToolBadUsage = 2;  // bad arguments or date text

int RunDump(const std::string& path, std::ostream& out, std::ostream& err);
int RunCheck(const std::string& path, std::ostream& out, std::ostream& err);
int RunExportCsv(const std::string& path, std::ostream& out, std::ostream& err);
int RunReport(const std::string& path, const IClock& clock, std::ostream& out, std::ostream& err);
int RunExportIcs(const std::string& path, std::ostream& out, std::ostream& err);
// Without a day the figures are as of the clock's now.
int RunTimeline(std::string_view lastPeriod, std::optional<std::string_view> day,
                const IClock& clock, std::ostream& out, std::ostream& err);

// {"gaLastPeriodDays", "gaScanDays", "differenceDays" (scan minus last
// period), "thresholdDays", "redated", "dueDate": the recommended one}.
int RunDating(std::string_view lastPeriod, std::string_view scanDay, std::string_view crlMm,
              std::ostream& out, std::ostream& err);

// Parses the command line (argv[0] is the program name) and runs the command.
int RunTool(int argc, const char* const* argv, const IClock& clock, std::ostream& out,
            std::ostream& err);

}  // namespace gestalia
