#pragma once
// A calendar on a 465 x 265 client with 17-pixel lines, a fresh CGlobals, a
// clock standing at Wednesday 10 March 2027 09:00 and a recording host.

#include <gtest/gtest.h>

#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "tests/calendar/recording_host.h"
#include "tests/support/recording_surface.h"

namespace gestalia::test {

class CalendarFixture : public ::testing::Test {
  protected:
    CalendarFixture() { ctrl.SetHost(&host); }

    void ShowMarch() { ctrl.ShowMonth(CDateValue(2027, 3, 17), 0, WMVIEW_MONTH); }
    void Paint() {
        surface.Clear();
        ctrl.OnEraseBkgnd(surface);
        ctrl.OnPaint(surface);
    }
    std::int32_t AddNote(const CDateValue& from, std::string text) {
        return ctrl.AddItem(from, from, std::move(text), -1, 0.0f);
    }
    const CWVCellDataItem* Item(std::int32_t id) const { return globals.listItems.Find(id); }

    CGlobals globals;
    CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CRecordingHost host;
    CWMDateCtrl ctrl{globals, clock};
    CRecordingSurface surface;
};

}  // namespace gestalia::test
