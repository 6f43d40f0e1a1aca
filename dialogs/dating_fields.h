#pragma once
// The dating dialog's rules, apart from any window: what its fields give and
// what it tells her.

#include <optional>
#include <string>

#include "model/date_value.h"
#include "model/result.h"
#include "model/scan_dating.h"

namespace gestalia {

inline constexpr int kMaxGivenWeeks = 42;  // the age a clinic gives, at most 42+6

// The scan fields as typed.
struct CScanFields {
    CDateValue dtScan;
    std::string strCrl;    // mm
    std::string strWeeks;  // the age the clinic gave
    std::string strDays;
};

// The fields that show a stored scan (the scan day is today without one).
CScanFields ScanFieldsOf(const std::optional<CScanDating>& scan, const CDateValue& dtToday);

// The scan the fields give (not chosen yet): nothing when the three texts are
// blank; a Spanish message when a text is not what it should be, both the
// length and the age are given, or the day is after today or before the last
// period.
Result<std::optional<CScanDating>> ReadScanFields(const CScanFields& fields,
                                                  const CDateValue& dtLastPeriod,
                                                  const CDateValue& dtToday);

// A birth on that day: not before the last period, not after today.
Status CheckBirthDate(const CDateValue& dtBirth, const CDateValue& dtLastPeriod,
                      const CDateValue& dtToday);

// The comparison in four lines: both ages, the difference and the margin,
// the recommendation, the due date each way.
std::string ComparisonText(const CDatingComparison& c);

// "Nacimiento: sin anotar", or "Ya ha nacido: 30/09/2027".
std::string BirthStateText(const std::optional<CDateValue>& dtBirth);

}  // namespace gestalia
