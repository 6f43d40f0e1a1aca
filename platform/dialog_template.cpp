#include "platform/dialog_template.h"

namespace gestalia {

// Base units of the templates' 8-point font: 6 pixels per 4 horizontal units,
// 13 pixels per 8 vertical units.
namespace {
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;
int ToPixelsX(int units) {
    return units * kBaseX / 4;
}
int ToPixelsY(int units) {
    return units * kBaseY / 8;
}
}  // namespace

Rect DialogUnitsToPixels(const DialogUnits& du) {
    return Rect{ToPixelsX(du.x), ToPixelsY(du.y), ToPixelsX(du.x + du.cx), ToPixelsY(du.y + du.cy)};
}

Size DialogSizeToPixels(int cx, int cy) {
    return Size{ToPixelsX(cx), ToPixelsY(cy)};
}

}  // namespace gestalia
