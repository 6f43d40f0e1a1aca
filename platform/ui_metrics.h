#pragma once
// IUiMetrics: the desktop's measures that the window logic lays out with. They
// are read when needed, never kept, since the desktop may change them.
//
// A toolkit implementation answers from the desktop's own settings (its
// style, its system metrics at the window's resolution).

namespace gestalia {

class IUiMetrics {
  public:
    virtual ~IUiMetrics() = default;

    // The width of a vertical scroll bar, in pixels: the calendar's header and
    // text lines are this high.
    virtual int ScrollBarWidth() const = 0;
};

}  // namespace gestalia
