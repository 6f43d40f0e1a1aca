#include "dialogs/daily_weights.h"

#include <cmath>

#include "model/date_value.h"
#include "model/dating.h"
#include "model/item_store.h"

namespace gestalia {

DailyWeightTable ComputeDailyWeights(const CItemStore& items, const CDateValue& dtLastPeriod) {
    DailyWeightTable table{};
    items.ForEach([&](const CWVCellDataItem& item) {
        // Days with their fraction; truncation towards zero makes anything in
        // (-1, kChartDays) a day of the chart. Checking the double first keeps
        // the conversion to int defined for any date a file may hold.
        const double span = (item.GetFrom() - dtLastPeriod).m_span;
        if (!(span > -1.0 && span < static_cast<double>(kChartDays))) {
            return;
        }
        const auto day = static_cast<std::size_t>(static_cast<int>(span));
        const float fWeight = item.GetWeight();
        if (std::isfinite(fWeight) && fWeight > table[day]) {
            table[day] = fWeight;
        }
    });
    return table;
}

void FillDailyWeights(CGlobals& globals) {
    // The chart's days follow the dating the window shows.
    globals.afDailyWeights = ComputeDailyWeights(
        globals.listItems, EffectiveDating(globals.dtLastPeriod, globals.extension).dtLastPeriod);
}

}  // namespace gestalia
