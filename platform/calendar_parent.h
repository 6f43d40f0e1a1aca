#pragma once
// ICalendarParent: what a window that holds calendar controls gives them. Only
// the main window implements it; the platform asks a handler for it with
// IDialogHandler::AsCalendarParent when it builds a Calendar control, and
// hands the control's notifications and day clicks to it.
//
// A toolkit implementation must, for each Calendar control of a template:
// take the control object from GetCalendar (none: leave an empty area), host
// it as a child window that it binds as the control's ICalendarHost, and
// route the host's SendNotify to OnNotify and its ShowDayInPanels here, both
// synchronously on the user-interface thread.

#include <cstdint>

#include "model/date_value.h"

namespace gestalia {

class CWMDateCtrl;
struct NMWMDATECTRL;

class ICalendarParent {
  public:
    virtual ~ICalendarParent() = default;

    // The calendar object behind a Calendar control; nullptr if none. It
    // outlives the window.
    virtual CWMDateCtrl* GetCalendar(int id) = 0;
    // A calendar's notification (NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_KEYDOWN,
    // WMN_SHOWMONTH); the record is valid only during the call.
    virtual std::intptr_t OnNotify(const NMWMDATECTRL& nm) = 0;
    // A calendar asks its parent to show a clicked day in the day panels.
    virtual void ShowDayInPanels(const CDateValue& dtDay) = 0;
};

}  // namespace gestalia
