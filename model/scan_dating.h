#pragma once
// Dating a pregnancy by its first scan. Pure functions of their arguments.
//
// The age from the crown-rump length follows the INTERGROWTH-21st standard
// (Papageorghiou AT et al., "International standards for early fetal size and
// pregnancy dating based on ultrasound measurement of crown-rump length in
// the first trimester of pregnancy", Ultrasound Obstet Gynecol 2014;44:641-8):
// GA (days) = 40.9041 + 3.21585 * sqrt(CRL) + 0.348956 * CRL, for CRL in mm
// from 15 to 95. Whether the scan re-dates the pregnancy follows ACOG, AIUM
// and SMFM, Committee Opinion 700, "Methods for estimating the due date"
// (2017): the margin depends on the age from the last period.

#include <optional>

#include "date_value.h"
#include "result.h"

namespace gestalia {

inline constexpr double kMinCrlMm = 15.0;  // the standard's range, both ends included
inline constexpr double kMaxCrlMm = 95.0;

// What she entered about her first scan: its day and either the crown-rump
// length it measured or the age the clinic gave.
struct CScanDating {
    CDateValue dtScan;             // at midnight
    std::optional<double> fCrlMm;  // crown-rump length in mm
    std::optional<int> nGaDays;    // the age the clinic gave, when no length is given
    bool bChosen = false;          // she dates her pregnancy by this scan

    friend bool operator==(const CScanDating&, const CScanDating&) = default;
};

// The age in whole days (rounded to the nearest) for a crown-rump length in
// mm; nothing outside 15 to 95 mm or for a value that is not a number.
std::optional<int> GestationalAgeFromCrl(double crlMm);

// The difference in days beyond which the scan re-dates, for an age from the
// last period in days: up to 8+6, 5; 9+0 to 15+6, 7; 16+0 to 21+6, 10;
// 22+0 to 27+6, 14; from 28+0, 21.
int RedatingMarginDays(int gaLastPeriodDays);

// The two datings side by side, and the one the rule recommends.
struct CDatingComparison {
    int nGaLastPeriodDays = 0;  // on the scan's day
    int nGaScanDays = 0;
    int nDifferenceDays = 0;  // scan minus last period
    int nMarginDays = 0;
    bool bRedate = false;  // the difference is beyond the margin
    CDateValue dtDueByLastPeriod;
    CDateValue dtDueByScan;  // scan day + (280 - age from the scan)

    const CDateValue& RecommendedDue() const { return bRedate ? dtDueByScan : dtDueByLastPeriod; }
};

// Fails, with a Spanish message, for an invalid day or a scan before the last
// period; the age from the scan is one already checked.
Result<CDatingComparison> CompareDating(const CDateValue& dtLastPeriod, const CDateValue& dtScan,
                                        int gaScanDays);

// The age the scan gives: from the length when there is one, else the age
// the clinic gave; nothing when neither is usable.
std::optional<int> ScanAgeDays(const CScanDating& scan);

// The last-period date the scan's dating stands for: the scan day minus the
// age it gave, so that 280 days on is the due date by the scan.
std::optional<CDateValue> LastPeriodByScan(const CScanDating& scan);

}  // namespace gestalia
