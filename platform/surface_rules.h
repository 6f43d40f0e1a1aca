#pragma once
// What every toolkit's drawing surface works out before the toolkit draws,
// as IDrawSurface promises: the pixels of a level or upright line, the font's
// pixel height and weight, a text kept on one line, a text's lines, and the
// size a text takes.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/draw_surface.h"

namespace gestalia {

// The pixels of a level or upright line from `from` to `to`, the end point
// left out, as one rectangle (empty for a line of no length); nothing for a
// sloping line, which the toolkit draws itself.
std::optional<Rect> StraightLinePixels(Point from, Point to);

// The pixel height of a font spec's character: tenths of a point x dpi / 720,
// rounded, and at least 1.
int FontPixelHeight(const CFontSpec& spec, int dpi);
// A weight the toolkits take: 100 (thin) to 900 (black).
int FontWeight(int weight);

// A text on one line: each CR goes and each LF becomes a space.
std::string SingleLineText(std::string_view text);
// A text's lines, split at LF, with every CR gone; an empty text is one
// empty line.
std::vector<std::string> TextLines(std::string_view text);

// The size a text takes: its widest line, and the line height for each line
// (one line, the text kept on it, when `singleLine`). `width(line)` gives the
// width of one line, in pixels.
template <class Width>
Size MeasureTextLines(std::string_view text, bool singleLine, int lineHeight, Width width) {
    if (singleLine) {
        return {width(SingleLineText(text)), lineHeight};
    }
    const std::vector<std::string> lines = TextLines(text);
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, static_cast<int>(width(line)));
    }
    return {widest, lineHeight * static_cast<int>(lines.size())};
}

}  // namespace gestalia
