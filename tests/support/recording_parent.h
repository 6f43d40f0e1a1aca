#pragma once
// CRecordingParent: a calendar host's parent that records what the control
// tells it (each notification's code, cell and note, the days for the panels)
// and answers 0. Both toolkits' calendar hosts are tested with it.

#include <cstdint>
#include <vector>

#include "calendar/cell_data.h"
#include "calendar/notify.h"
#include "platform/calendar_parent.h"

namespace gestalia::test {

class CRecordingParent final : public ICalendarParent {
  public:
    // A notification as it was sent; its record is gone after the call.
    struct Notified {
        std::int32_t code = 0;
        int nCellIndex = 0;        // the selected cell's index, 0 when none
        std::int32_t nItemId = 0;  // the hit note's id, 0 when none
    };

    explicit CRecordingParent(CWMDateCtrl& ctrl) : m_ctrl(ctrl) {}
    CWMDateCtrl* GetCalendar(int /*id*/) override { return &m_ctrl; }
    std::intptr_t OnNotify(const NMWMDATECTRL& nm) override {
        notified.push_back({nm.hdr.code, nm.pCell != nullptr ? nm.pCell->m_nIndex : 0, nm.nItemId});
        return 0;
    }
    void ShowDayInPanels(const CDateValue& dtDay) override { days.push_back(dtDay); }

    std::vector<std::int32_t> Codes() const {
        std::vector<std::int32_t> codes;
        for (const Notified& n : notified) {
            codes.push_back(n.code);
        }
        return codes;
    }

    std::vector<Notified> notified;
    std::vector<CDateValue> days;

  private:
    CWMDateCtrl& m_ctrl;
};

}  // namespace gestalia::test
