#pragma once
// The notes the benchmarks fill an agenda with. The first thousand are spread
// over four months around March 2027, the month the calendar benchmarks show,
// so that its days hold several notes each and some days overflow; every
// further note falls on a day after those four months, outside the six shown
// weeks, one day after another for the following decades.

#include <cstdio>
#include <string>

#include "model/date_value.h"

namespace gestalia::bench {

inline constexpr int kNotesAroundMonth = 1000;

// Calls add(from, to, text, image, weight) `count` times.
template <class F>
void AddBenchNotes(int count, F&& add) {
    for (int i = 0; i < count; ++i) {
        CDateValue from(2027, 1, 15, 8 + i % 10, (i * 7) % 60);
        from.AddDays(i < kNotesAroundMonth ? i % 120 : 120 + (i - kNotesAroundMonth) % 30000);
        char text[64];
        std::snprintf(text, sizeof text, "Nota número %d · análisis y peso", i);
        add(from, from, std::string(text), i % 3 - 1, 60.0f + static_cast<float>(i % 20));
    }
}

}  // namespace gestalia::bench
