#pragma once
// CRecordingHost: the window around the calendar in tests. It records every
// notification (with what its references named at the moment it was sent),
// every panel refresh and every repaint request, in one ordered log.

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/calendar_host.h"
#include "calendar/cell_data.h"
#include "calendar/notify.h"
#include "model/date_item.h"

namespace gestalia::test {

struct SentNotify {
    NMWMDATECTRL nm;
    std::int32_t nCellIndex = 0;  // pCell's index, 0 for none
    std::string strItemText;      // pItem's text, read while the record was live
};

class CRecordingHost : public ICalendarHost {
  public:
    bool HasWindow() const override { return m_bWindow; }
    void Invalidate() override {
        ++m_nInvalidations;
        m_log.push_back("redraw");
    }
    Size ClientSize() const override { return m_size; }
    int ScrollBarWidth() const override { return m_nScrollBar; }
    Colour HighlightColour() const override { return m_crHighlight; }
    std::intptr_t SendNotify(const NMWMDATECTRL& nm) override {
        SentNotify sent;
        sent.nm = nm;
        sent.nCellIndex = nm.pCell != nullptr ? nm.pCell->m_nIndex : 0;
        sent.strItemText = nm.pItem != nullptr ? nm.pItem->GetText() : std::string();
        m_notifies.push_back(sent);
        m_log.push_back("notify " + std::to_string(nm.hdr.code));
        return 0;
    }
    void ShowDayInPanels(const CDateValue& dtDay) override {
        m_panelDays.push_back(dtDay);
        m_log.push_back("panels");
    }

    void ClearLog() {
        m_log.clear();
        m_notifies.clear();
        m_panelDays.clear();
        m_nInvalidations = 0;
    }

    bool m_bWindow = true;
    Size m_size{465, 265};
    int m_nScrollBar = 17;
    Colour m_crHighlight = RGB(0, 120, 215);

    int m_nInvalidations = 0;
    std::vector<SentNotify> m_notifies;
    std::vector<CDateValue> m_panelDays;
    std::vector<std::string> m_log;
};

}  // namespace gestalia::test
