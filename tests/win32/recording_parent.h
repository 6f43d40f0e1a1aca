#pragma once
// CRecordingParent: a calendar window's parent that records what the control
// tells it (the notifications' codes, the days for the panels) and answers 0.

#include <cstdint>
#include <vector>

#include "platform/calendar_parent.h"

namespace gestalia::test {

class CRecordingParent final : public ICalendarParent {
  public:
    explicit CRecordingParent(CWMDateCtrl& ctrl) : m_ctrl(ctrl) {}
    CWMDateCtrl* GetCalendar(int /*id*/) override { return &m_ctrl; }
    std::intptr_t OnNotify(const NMWMDATECTRL& nm) override {
        codes.push_back(nm.hdr.code);
        return 0;
    }
    void ShowDayInPanels(const CDateValue& dtDay) override { days.push_back(dtDay); }

    std::vector<std::int32_t> codes;
    std::vector<CDateValue> days;

  private:
    CWMDateCtrl& m_ctrl;
};

}  // namespace gestalia::test
