#include "platform/surface_rules.h"

#include <algorithm>
#include <cmath>

namespace gestalia {

namespace {

constexpr int kTenthsPerInch = 720;  // tenths of a point in an inch

}  // namespace

std::optional<Rect> StraightLinePixels(Point from, Point to) {
    if (from.x == to.x && from.y == to.y) {
        return Rect{};
    }
    if (from.y == to.y) {
        return Rect{std::min(from.x, to.x + 1), from.y, std::max(from.x + 1, to.x), from.y + 1};
    }
    if (from.x == to.x) {
        return Rect{from.x, std::min(from.y, to.y + 1), from.x + 1, std::max(from.y + 1, to.y)};
    }
    return std::nullopt;
}

int FontPixelHeight(const CFontSpec& spec, int dpi) {
    const long pixels = std::lround(static_cast<double>(spec.nTenthsOfPoint) * dpi /
                                    static_cast<double>(kTenthsPerInch));
    return static_cast<int>(std::max(1L, pixels));
}

int FontWeight(int weight) {
    return std::clamp(weight, 100, 900);
}

std::string SingleLineText(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (c != '\r') {
            line += c == '\n' ? ' ' : c;
        }
    }
    return line;
}

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r') {
            lines.back() += c;
        }
    }
    return lines;
}

}  // namespace gestalia
