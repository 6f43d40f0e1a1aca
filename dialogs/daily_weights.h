#pragma once
// The table of daily weights behind the weight chart: one entry per day of
// pregnancy (index 0 = the last-period date, kChartDays entries), holding the
// largest weight of the notes that start on that day, 0 for none.

#include <array>

#include "model/globals.h"

namespace gestalia {

class CItemStore;
class CDateValue;

using DailyWeightTable = std::array<float, kChartDays>;

// The day of a note is its start minus the last-period date in days, truncated
// towards zero, so a note less than a day before the last period counts as day
// 0. Notes outside days 0 to kChartDays - 1 and weights that are not finite
// numbers are left out.
DailyWeightTable ComputeDailyWeights(const CItemStore& items, const CDateValue& dtLastPeriod);

// Fills globals.afDailyWeights from globals.listItems and globals.dtLastPeriod.
void FillDailyWeights(CGlobals& globals);

}  // namespace gestalia
