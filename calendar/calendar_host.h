#pragma once
// ICalendarHost: what the calendar control needs of the window around it.
// The main window implements it; tests implement it with a recorder.

#include <cstdint>

#include "model/colour.h"
#include "model/date_value.h"

namespace gestalia {

struct NMWMDATECTRL;

class ICalendarHost {
  public:
    virtual ~ICalendarHost() = default;

    // False once the control's window is gone: nothing is sent then.
    virtual bool HasWindow() const = 0;
    // Ask for a repaint of the whole control, background erased.
    virtual void Invalidate() = 0;
    virtual Size ClientSize() const = 0;
    // The platform's vertical scroll bar width: height of the header and of a text line.
    virtual int ScrollBarWidth() const = 0;
    virtual Colour HighlightColour() const = 0;
    // WM_NOTIFY to the parent, synchronously; the parent's answer.
    virtual std::intptr_t SendNotify(const NMWMDATECTRL& nm) = 0;
    // The parent fills its day panels for a clicked day.
    virtual void ShowDayInPanels(const CDateValue& dtDay) = 0;
};

}  // namespace gestalia
