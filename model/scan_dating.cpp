#include "model/scan_dating.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "model/timeline.h"

namespace gestalia {

namespace {

// The upper end of each band of the age from the last period, in days, and
// its margin; past the last band the margin is 21 days.
struct CMarginBand {
    int nUpToDays;
    int nMarginDays;
};
constexpr std::array<CMarginBand, 4> kMarginBands{{
    {8 * 7 + 6, 5},
    {15 * 7 + 6, 7},
    {21 * 7 + 6, 10},
    {27 * 7 + 6, 14},
}};
constexpr int kLastMarginDays = 21;

constexpr bool Ascending(const std::array<CMarginBand, 4>& bands) {
    for (std::size_t i = 1; i < bands.size(); ++i) {
        if (bands[i].nUpToDays <= bands[i - 1].nUpToDays) {
            return false;
        }
    }
    return true;
}
static_assert(Ascending(kMarginBands));

CDateValue DaysAfter(const CDateValue& day, int n) {
    CDateValue d = day;
    d.AddDays(n);
    return d;
}

}  // namespace

std::optional<int> GestationalAgeFromCrl(double crlMm) {
    if (!(crlMm >= kMinCrlMm && crlMm <= kMaxCrlMm)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(40.9041 + 3.21585 * std::sqrt(crlMm) + 0.348956 * crlMm));
}

int RedatingMarginDays(int gaLastPeriodDays) {
    for (const CMarginBand& band : kMarginBands) {
        if (gaLastPeriodDays <= band.nUpToDays) {
            return band.nMarginDays;
        }
    }
    return kLastMarginDays;
}

Result<CDatingComparison> CompareDating(const CDateValue& dtLastPeriod, const CDateValue& dtScan,
                                        int gaScanDays) {
    if (!dtLastPeriod.IsValid() || !dtScan.IsValid()) {
        return CError{ErrorKind::badInput, "La fecha no es válida.", std::nullopt};
    }
    const std::int32_t elapsed = ElapsedDays(dtScan.GetDatePart(), dtLastPeriod.GetDatePart());
    if (elapsed < 0) {
        return CError{ErrorKind::badInput,
                      "La fecha de la ecografía es anterior a la de la última regla.",
                      std::nullopt};
    }
    CDatingComparison c;
    c.nGaLastPeriodDays = elapsed;
    c.nGaScanDays = gaScanDays;
    c.nDifferenceDays = gaScanDays - elapsed;
    c.nMarginDays = RedatingMarginDays(elapsed);
    c.bRedate = std::abs(c.nDifferenceDays) > c.nMarginDays;
    c.dtDueByLastPeriod = DaysAfter(dtLastPeriod.GetDatePart(), static_cast<int>(kGestationDays));
    c.dtDueByScan = DaysAfter(dtScan.GetDatePart(), static_cast<int>(kGestationDays) - gaScanDays);
    return c;
}

std::optional<int> ScanAgeDays(const CScanDating& scan) {
    if (scan.fCrlMm) {
        return GestationalAgeFromCrl(*scan.fCrlMm);
    }
    return scan.nGaDays;
}

std::optional<CDateValue> LastPeriodByScan(const CScanDating& scan) {
    const std::optional<int> age = ScanAgeDays(scan);
    if (!age || !scan.dtScan.IsValid()) {
        return std::nullopt;
    }
    return DaysAfter(scan.dtScan.GetDatePart(), -*age);
}

}  // namespace gestalia
