// The main window's handlers for the notes: the click and double-click
// notifications of the calendar, the item commands and the weight chart.

#include <cstdint>
#include <string>

#include "app/cal_ctrl_dlg.h"
#include "calendar/cell_data.h"
#include "calendar/keys.h"
#include "calendar/notify.h"
#include "dialogs/daily_weights.h"
#include "dialogs/dlg_date_item.h"
#include "dialogs/dlg_peso.h"
#include "model/clock.h"
#include "model/date_item.h"
#include "model/globals.h"
#include "model/palette.h"
#include "model/visit.h"
#include "platform/dialog_template.h"
#include "platform/ui_services.h"
#include "resources/dialog_templates.h"

namespace gestalia {

namespace {

constexpr int kAppointmentImage = 1;
constexpr int kTaskImage = 0;

// The icon of a note follows its type: an appointment (task flag 0) or a task.
std::int32_t ImageForTask(std::int32_t bTask) {
    return bTask == 0 ? kAppointmentImage : kTaskImage;
}

}  // namespace

void CCalCtrlDlg::OnCalendarClick(const NMWMDATECTRL& nm) {
    m_nSelectedId = nm.pItem != nullptr ? nm.nItemId : -1;
}

void CCalCtrlDlg::OnCalendarDblClk(const NMWMDATECTRL& nm) {
    if (nm.pCell == nullptr) {
        return;
    }
    CDlgDateItem dlg(m_clock, m_ui);
    // The notification's references hold only during this call; the note is
    // looked up again by its id after the modal run.
    const bool bNew = nm.pItem == nullptr;
    const std::int32_t nItemId = bNew ? 0 : nm.nItemId;
    if (bNew) {
        const CDateValue dtDay = nm.pCell->m_dtDate;
        dlg.SetTask(0);
        dlg.SetFrom(dtDay);
        dlg.SetTo(dtDay);
        dlg.SetNew(1);
    } else {
        const CWVCellDataItem& item = *nm.pItem;
        dlg.SetText(item.GetText());
        dlg.SetFrom(item.GetFrom());
        dlg.SetTo(item.GetTo());
        // A note read from a file has only its icon: the type follows it.
        dlg.SetTask(item.GetImage() == kTaskImage ? 1 : 0);
        dlg.SetWeight(item.GetWeight());
        if (const CVisit* visit = m_globals.listItems.VisitOf(nItemId)) {
            dlg.SetVisit(*visit);
        }
        dlg.SetNew(0);
    }

    if (m_ui.RunModal(DateItemDialogTemplate(), dlg) == IDOK) {
        if (bNew) {
            const std::int32_t bTask = dlg.GetTask();
            const std::int32_t id = m_calendar.AddItem(dlg.GetFrom(), dlg.GetTo(), dlg.GetText(),
                                                       ImageForTask(bTask), dlg.GetWeight());
            m_calendar.SetItemTask(id, bTask);
            m_globals.listItems.SetVisit(id, dlg.GetVisit());
            // The calendar repaints itself when its double-click handling ends.
        } else if (CWVCellDataItem* item = m_globals.listItems.Find(nItemId)) {
            // What she did not change is given back as it was, icon included.
            if (dlg.GetText() != item->GetText()) {
                item->SetText(dlg.GetText());
            }
            item->SetFrom(dlg.GetFrom());
            item->SetTo(dlg.GetTo());
            if (const std::int32_t bTask = dlg.GetTask();
                bTask != (item->GetImage() == kTaskImage ? 1 : 0)) {
                item->SetImage(ImageForTask(bTask));
                m_calendar.SetItemTask(nItemId, bTask);
            }
            item->SetWeight(dlg.GetWeight());
            // Emptying every visit box takes the visit away.
            m_globals.listItems.SetVisit(nItemId, dlg.GetVisit());
            m_calendar.Redraw();
        }
        if (dlg.m_bDelete != 0) {
            // "Borrar" deletes the note the editor showed. The last clicked note
            // is usually the same one, but not after a double-click on the
            // overflow marker, whose first press sends no click.
            DeleteItemAfterAsking(nItemId);
        }
    }
    // Every use of the editor is saved, a cancelled one too. A failure is
    // reported there and marks the window unsaved; the notes stay as edited,
    // and the next change or the way out tries again.
    static_cast<void>(SaveAgenda());
}

void CCalCtrlDlg::OnCalendarKeyDown(const NMWMDATECTRL& nm) {
    if (nm.nKey != VK_DELETE || nm.pItem == nullptr) {
        return;
    }
    // The key chose the note, as a click on it would.
    const std::int32_t id = nm.nItemId;
    m_nSelectedId = id;
    DeleteItemAfterAsking(id);
    if (m_globals.listItems.Find(id) == nullptr) {
        // Every change reaches the file at once; a failure is reported there.
        static_cast<void>(SaveAgenda());
    }
}

void CCalCtrlDlg::OnDeleteItem() {
    DeleteItemAfterAsking(m_nSelectedId);
}

void CCalCtrlDlg::DeleteItemAfterAsking(std::int32_t id) {
    // Both deletions default to "No": Enter must not delete.
    if (m_ui.MessageBox("¿Desea borrar esta anotación?", "Borrar Anotación", MbButtons::YesNo,
                        MbIcon::Question, MbDefault::Second) != IDYES) {
        return;
    }
    static_cast<void>(m_calendar.DeleteItem(id));
    m_calendar.Redraw();
}

void CCalCtrlDlg::OnDeleteAll() {
    if (m_ui.MessageBox("Are you sure you want to delete ALL of the Date Items?",
                        "Delete Date Items", MbButtons::YesNo, MbIcon::Question,
                        MbDefault::Second) != IDYES) {
        return;
    }
    m_calendar.DeleteAllItems();
    m_calendar.Redraw();
}

void CCalCtrlDlg::OnResetItems() {
    m_calendar.DeleteAllItems();

    // An invalid "now" gives -1 for each field, and so invalid sample dates.
    const CDateValue now = CDateValue::Now(m_clock);
    const int year = now.GetYear();
    const int month = now.GetMonth();
    const int day = now.GetDay();

    const std::int32_t idMeeting =
        m_calendar.AddItem(CDateValue(year, month, day, 8, 30, 0),
                           CDateValue(year, month, day, 9, 30, 0), "Staff Sales Meeting", 0, 0.0f);
    m_calendar.SetItemColour(idMeeting, palette::kSampleMeetingSalmon);
    m_calendar.SetItemTask(idMeeting, 1);

    const std::int32_t idVisit = m_calendar.AddItem(CDateValue(year, month, day, 10, 15, 0),
                                                    CDateValue(year, month, day, 12, 0, 0),
                                                    "Visit Mr. Varde at his home", 1, 0.0f);
    m_calendar.SetItemColour(idVisit, palette::kSampleVisitBlue);
    m_calendar.SetItemTask(idVisit, 0);
}

void CCalCtrlDlg::OnDateRange() {
    CDateValue first;
    CDateValue last;
    m_calendar.GetDateRange(first, last);
    const std::string text =
        "Date Range for View: " + first.Format("%m/%d/%Y") + " - " + last.Format("%m/%d/%Y");
    m_ui.MessageBox(text, "View Date Range", MbButtons::Ok, MbIcon::None, MbDefault::First);
}

void CCalCtrlDlg::OnWeightChart() {
    FillDailyWeights(m_globals);
    DlgPeso dlg(m_globals);
    static_cast<void>(m_ui.RunModal(WeightDialogTemplate(), dlg));
}

}  // namespace gestalia
