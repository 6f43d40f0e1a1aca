#pragma once
// How readable one colour is on another, by the Web Content Accessibility
// Guidelines 2.1 (W3C, 2018): relative luminance (definition "relative
// luminance", sRGB) and contrast ratio (L1 + 0.05) / (L2 + 0.05), from 1 to 21.
// Normal text needs at least 4.5 (success criterion 1.4.3, level AA).

#include "model/colour.h"

namespace gestalia {

inline constexpr double kMinimumTextContrast = 4.5;

// 0 for black to 1 for white.
double RelativeLuminance(Colour c);
// The lighter colour's luminance over the darker one's; the order does not matter.
double ContrastRatio(Colour a, Colour b);
// Black or white, whichever reads better on `back`. One of the two always
// reaches at least 4.58 (the square root of 21) on any background.
Colour ReadableTextOn(Colour back);

}  // namespace gestalia
