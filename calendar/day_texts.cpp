// CWMDateCtrl: what the calendar says about its days and notes to screen
// readers and in tooltips.

#include <string>

#include "calendar/wm_date_ctrl.h"
#include "model/globals.h"
#include "model/item_store.h"
#include "model/spanish_text.h"
#include "model/visit.h"

namespace gestalia {

namespace {

constexpr int kSunday = 7;  // SpanishDayName's number for Sunday

// Names inside a sentence start in lower case ("martes", "diciembre"); the
// names' first letters are plain ASCII.
std::string InSentence(std::string name) {
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z') {
        name[0] = static_cast<char>(name[0] - 'A' + 'a');
    }
    return name;
}

std::string NotesText(int count) {
    if (count == 0) {
        return "sin anotaciones";
    }
    return count == 1 ? "1 anotación" : std::to_string(count) + " anotaciones";
}

}  // namespace

std::string CWMDateCtrl::DayDescription(int nIndex) const {
    if (nIndex < 1 || nIndex > static_cast<int>(m_cells.size())) {
        return {};
    }
    const CDateValue& d = m_cells[static_cast<std::size_t>(nIndex - 1)].m_dtDate;
    if (!d.IsValid()) {
        return {};
    }
    const int dow = d.GetDayOfWeek();
    std::string text =
        InSentence(SpanishDayName(dow == 0 ? kSunday : dow)) + ", " + std::to_string(d.GetDay()) +
        " de " + InSentence(SpanishMonthName(d.GetMonth())) + " de " + std::to_string(d.GetYear()) +
        ", " + NotesText(static_cast<int>(ItemsOfDay(d).size()));
    if (d == m_dtToday.GetDatePart()) {
        text += ", hoy";
    }
    return text;
}

std::int32_t CWMDateCtrl::ItemIdAt(Point pt) const {
    for (const CWVCellData& cell : m_cells) {
        if (!cell.m_rcCell.Contains(pt)) {
            continue;
        }
        // The item hit test's rule: the last note of the day whose line holds the point.
        return cell.ItemAt(pt, Items());
    }
    return 0;
}

std::string CWMDateCtrl::ItemTooltip(std::int32_t id) const {
    const CWVCellDataItem* item = Items().Find(id);
    if (item == nullptr) {
        return {};
    }
    std::string text = item->GetText();
    if (item->GetWeight() > 0.0f) {
        text += "\r\nPeso: " + SpanishDecimal(item->GetWeight(), 1) + " kg";
    } else {
        text += "\r\nSin peso";
    }
    if (const CVisit* visit = Items().VisitOf(id)) {
        text += "\r\n" + VisitSummary(*visit);
    }
    return text;
}

}  // namespace gestalia
