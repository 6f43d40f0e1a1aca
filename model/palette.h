#pragma once
// The program's colours, each with one name. The calendar, the panels of the
// main window and the weight chart take their colours from here.

#include "colour.h"

namespace gestalia::palette {

inline constexpr Colour kWhite = RGB(255, 255, 255);
inline constexpr Colour kBlack = RGB(0, 0, 0);
// The program's own pink: the calendar's header band, grid lines and day
// labels, the texts of the main window's panels and the weight chart's dots.
inline constexpr Colour kPink = RGB(238, 62, 115);
// Days of the calendar that have a link, and the background of the tip title.
inline constexpr Colour kPalePink = RGB(253, 190, 209);
// A note's background, and a day cell's, until something gives it another.
inline constexpr Colour kPaleYellow = RGB(255, 255, 213);
// Calendar days of the months before and after the one shown.
inline constexpr Colour kOtherMonthGrey = RGB(240, 240, 240);
// The band behind today's label.
inline constexpr Colour kTodayGreen = RGB(169, 216, 50);
// The weight chart's grid lines.
inline constexpr Colour kChartGridGrey = RGB(200, 200, 200);
// The weight chart's recommended band: pale, so that the grid and the pink
// dots stand out on it.
inline constexpr Colour kChartBandGreen = RGB(214, 240, 220);
// The hint's text while the last change is not saved.
inline constexpr Colour kWarningRed = RGB(200, 0, 0);
// The two sample notes of "Reset Items".
inline constexpr Colour kSampleMeetingSalmon = RGB(255, 148, 132);
inline constexpr Colour kSampleVisitBlue = RGB(132, 156, 231);

}  // namespace gestalia::palette
