#pragma once
// What a prenatal visit records, kept on a note: her blood pressure, the
// height of her uterus, the baby's heart rate and whether she had swelling.
// Every field is optional; a note with none of them has no visit. Gestalia
// shows what she entered, as a diary does, and never judges it.

#include <optional>
#include <string>

#include "result.h"

namespace gestalia {

struct CVisit {
    std::optional<int> nSystolic;           // mmHg
    std::optional<int> nDiastolic;          // mmHg
    std::optional<double> fFundalHeightCm;  // cm
    std::optional<int> nFetalHeartRate;     // beats a minute
    std::optional<bool> bOedema;

    bool empty() const {
        return !nSystolic && !nDiastolic && !fFundalHeightCm && !nFetalHeartRate && !bOedema;
    }
    friend bool operator==(const CVisit&, const CVisit&) = default;
};

// The values the editor takes, both ends included: what a measuring device
// can show, not what is healthy.
struct CVisitRange {
    double min;
    double max;
};
inline constexpr CVisitRange kSystolicRange{50, 250};
inline constexpr CVisitRange kDiastolicRange{30, 150};
inline constexpr CVisitRange kFundalHeightRange{5, 50};
inline constexpr CVisitRange kFetalHeartRateRange{60, 220};

// Fails, with a Spanish sentence that gives the range, for a value outside
// its range or a diastolic pressure not below the systolic.
Status CheckVisit(const CVisit& visit);

// "TA 120/80 mmHg", "AU 28,5 cm", "FCF 140 lpm", "edemas: sí", joined by ", ";
// empty for an empty visit.
std::string VisitSummary(const CVisit& visit);

}  // namespace gestalia
