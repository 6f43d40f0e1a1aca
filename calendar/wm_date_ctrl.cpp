// CWMDateCtrl: state, the month lay-out of the 42 dates, the store operations
// and the agenda file. Painting is in month_paint.cpp, the mouse in mouse.cpp.

#include "calendar/wm_date_ctrl.h"

#include <utility>

#include "calendar/calendar_host.h"
#include "calendar/month_layout.h"
#include "content/day_links.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/dating.h"
#include "model/globals.h"
#include "model/item_store.h"
#include "model/safe_save.h"
#include "model/timeline.h"

namespace gestalia {

namespace {

constexpr int kSaturday = 6;

// Walks from `from` one day at a time (itself included) to the first day whose
// weekday is `dow`; at most a week of steps, so an invalid date ends too.
CDateValue WalkToWeekday(const CDateValue& from, int dow, double step) {
    CDateValue d = from;
    for (int i = 0; i < kDaysPerRow; ++i) {
        if (d.GetDayOfWeek() == dow) {
            return d;
        }
        d.AddDays(step);
    }
    return d;
}

// The first cell holding the day of `date`; the last cell when none does.
template <class Cells>
auto FindCellIn(Cells& cells, const CDateValue& date) -> decltype(&cells.back()) {
    if (cells.empty()) {
        return nullptr;
    }
    const CDateValue day = date.GetDatePart();
    for (auto& cell : cells) {
        if (cell.m_dtDate == day) {
            return &cell;
        }
    }
    return &cells.back();
}

}  // namespace

CWMDateCtrl::CWMDateCtrl(CGlobals& globals, const IClock& clock, std::uintptr_t id)
    : m_globals(globals), m_clock(clock), m_id(id) {
    const CDateValue now = CDateValue::Now(m_clock);
    m_dtMonth = FirstDayOfMonth(now);
    m_dtChosen = now.GetDatePart();
    m_cells.reserve(kCells);
    for (int i = 1; i <= kCells; ++i) {
        m_cells.emplace_back(i, now);
        m_cells.back().m_crBack = m_crBack;
    }
}

CItemStore& CWMDateCtrl::Items() {
    return m_globals.listItems;
}
const CItemStore& CWMDateCtrl::Items() const {
    return m_globals.listItems;
}

void CWMDateCtrl::SetView(std::int32_t nView, bool bRedraw) {
    if (nView == WMVIEW_WEEK) {
        m_bMonthView = 0;
    } else if (nView == WMVIEW_MONTH) {
        m_bMonthView = 1;
    }
    if (bRedraw) {
        Redraw();
    }
}

void CWMDateCtrl::ShowMonth(const CDateValue& date, std::int32_t b24HourTimes, std::int32_t nView) {
    m_b24HourTimes = b24HourTimes;
    m_bMonthView = nView == WMVIEW_WEEK ? 0 : 1;
    m_dtToday = CDateValue::Now(m_clock);

    // An invalid date would leave the grid without days: show today's month.
    CDateValue first = FirstDayOfMonth(date);
    if (!first.IsValid()) {
        first = FirstDayOfMonth(m_dtToday);
    }
    m_dtMonth = first;

    const CDateValue start = GridStart(m_dtMonth);
    const int month = m_dtMonth.GetMonth();
    const CDating dating = EffectiveDating(m_globals.dtLastPeriod, m_globals.extension);
    for (CWVCellData& cell : m_cells) {
        const CDateValue d = DateOfCell(start, cell.m_nIndex);
        cell.m_dtDate = d;
        if (d.GetMonth() != month) {
            cell.m_crBack = m_crOtherMonth;
        } else if (HasDayLink(ElapsedDays(d, dating.dtLastPeriod))) {
            cell.m_crBack = palette::kPalePink;
        } else {
            cell.m_crBack = m_crBack;
        }
    }
    m_pSelCell = nullptr;
    Redraw();
}

void CWMDateCtrl::GetDateRange(CDateValue& first, CDateValue& last) const {
    if (m_bMonthView != 0) {
        first = m_cells.front().m_dtDate;
        last = m_cells.back().m_dtDate;
        return;
    }
    first = FindCellIn(m_cells, WalkToWeekday(m_dtToday, kMonday, -1.0))->m_dtDate;
    last = FindCellIn(m_cells, WalkToWeekday(m_dtToday, kSaturday, 1.0))->m_dtDate;
}

void CWMDateCtrl::Redraw() {
    if (m_pHost != nullptr) {
        m_pHost->Invalidate();
    }
}

CWVCellData* CWMDateCtrl::GetCell(std::int32_t nIndex) {
    if (m_cells.empty()) {
        return nullptr;
    }
    for (CWVCellData& cell : m_cells) {
        if (cell.m_nIndex == nIndex) {
            return &cell;
        }
    }
    return &m_cells.back();
}

CWVCellData* CWMDateCtrl::FindCell(const CDateValue& date) {
    return FindCellIn(m_cells, date);
}

CItemDefaults CWMDateCtrl::MakeItemDefaults() const {
    CItemDefaults defaults;
    defaults.crBack = m_crBack;
    defaults.b24HourTimes = m_b24HourTimes;
    defaults.pImageList = m_pImageList;
    return defaults;
}

std::int32_t CWMDateCtrl::AddItem(const CDateValue& from, const CDateValue& to, std::string text,
                                  std::int32_t image, float weight) {
    return Items().AddItem(from, to, std::move(text), image, weight, MakeItemDefaults());
}

void CWMDateCtrl::SetItemTask(std::int32_t id, std::int32_t flag) {
    Items().SetItemTask(id, flag);
}

void CWMDateCtrl::SetItemColour(std::int32_t id, Colour colour) {
    Items().SetItemColour(id, colour);
}

bool CWMDateCtrl::DeleteItem(std::int32_t id) {
    return Items().DeleteItem(id);
}

void CWMDateCtrl::DeleteAllItems() {
    Items().DeleteAllItems();
    Redraw();
}

Result<std::string> CWMDateCtrl::AgendaImage() const {
    return SerializeAgenda(m_globals.dtLastPeriod, Items(), m_globals.extension);
}

Status CWMDateCtrl::SaveAgenda(const std::string& path) const {
    Result<std::string> bytes = AgendaImage();
    if (!bytes) {
        return bytes.error();
    }
    return SaveFileAtomically(path, bytes.value());
}

Status CWMDateCtrl::LoadAgenda(const std::string& path) {
    Result<CFileBytes> bytes = ReadFileBytes(path);
    if (!bytes) {
        return bytes.error();
    }
    return LoadAgendaImage(std::move(bytes.value()));
}

Status CWMDateCtrl::LoadAgendaImage(CFileBytes bytes) {
    // One reading of the clock serves every note of the file. The store is
    // replaced only when the whole file is sound.
    CAgendaExtension extension;
    Result<CDateValue> lastPeriod =
        LoadAgendaItems(std::move(bytes), Items(), MakeItemDefaults(), &extension);
    if (!lastPeriod) {
        return lastPeriod.error();
    }
    // Ids start again at 1: a cell's hit item of the old agenda must not come
    // to name a note of this one.
    for (CWVCellData& cell : m_cells) {
        cell.m_nHitItemId = 0;
    }
    m_globals.dtLastPeriod = lastPeriod.value();
    m_globals.extension = std::move(extension);
    Redraw();
    return {};
}

}  // namespace gestalia
