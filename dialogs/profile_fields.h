#pragma once
// The profile dialog's rules, apart from any window: what its boxes show for
// a stored profile and what they give back.

#include <optional>
#include <string>

#include "model/result.h"
#include "model/weight_gain.h"

namespace gestalia {

// The profile's boxes as typed.
struct CProfileFields {
    std::string strHeightCm;
    std::string strWeightBeforeKg;
    bool bTwins = false;
};

// The boxes that show a stored profile; empty ones without it.
CProfileFields ProfileFieldsOf(const std::optional<CProfile>& profile);

// The profile the boxes give: nothing when both are blank (she has no
// profile, or cleared it); a Spanish message that names the range when a box
// is blank alone, is not a number or is out of its range.
Result<std::optional<CProfile>> ReadProfileFields(const CProfileFields& fields);

}  // namespace gestalia
