#include "model/contrast.h"

#include <algorithm>
#include <cmath>

#include "model/palette.h"

namespace gestalia {

namespace {

// One sRGB channel (0 to 255) made linear, as the guidelines define it.
double Linear(std::uint8_t channel) {
    const double s = channel / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(Colour c) {
    return 0.2126 * Linear(RedOf(c)) + 0.7152 * Linear(GreenOf(c)) + 0.0722 * Linear(BlueOf(c));
}

double ContrastRatio(Colour a, Colour b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour ReadableTextOn(Colour back) {
    return ContrastRatio(palette::kBlack, back) >= ContrastRatio(palette::kWhite, back)
               ? palette::kBlack
               : palette::kWhite;
}

}  // namespace gestalia
