#include "dialogs/dlg_date_item.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialogs/weight_text.h"
#include "model/clock.h"
#include "model/utf8.h"
#include "model/windows1252.h"
#include "platform/dialog_template.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

// The characters of the text that the agenda file cannot hold, each once, in
// the order they first appear. Broken UTF-8 shows as the replacement character.
std::vector<std::string> UnsavableCharacters(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t len = 0;
        const bool bWellFormed = NextCodePoint(text, pos, len).has_value();
        const std::size_t step = bWellFormed ? len : 1;
        const std::string_view ch = text.substr(pos, step);
        if (!bWellFormed || !CanEncodeWindows1252(ch)) {
            std::string shown = bWellFormed ? std::string(ch) : std::string("\xEF\xBF\xBD");
            if (std::find(found.begin(), found.end(), shown) == found.end()) {
                found.push_back(std::move(shown));
            }
        }
        pos += step;
    }
    return found;
}

std::string Join(const std::vector<std::string>& parts, std::string_view sep) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i != 0) {
            out += sep;
        }
        out += parts[i];
    }
    return out;
}

}  // namespace

CDlgDateItem::CDlgDateItem(const IClock& clock, IUiServices& ui)
    : m_ui(ui), m_dtTo(CDateValue::Now(clock)), m_dtFrom(m_dtTo) {}

bool CDlgDateItem::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);

    const std::string strDate = m_dtFrom.Format("%d/%m/%Y");
    const std::string strCaption =
        (m_bNew != 0 ? "Añadir anotación - " : "Modificar anotación - ") + strDate;
    window.ShowControl(IDC_ITEM_DELETE, m_bNew == 0);

    window.SetCaption(strCaption);
    window.SetControlText(IDC_ITEM_TEXT, m_strText);
    window.SetDate(IDC_ITEM_FROM, m_dtFrom);
    window.SetDate(IDC_ITEM_TO, m_dtTo);

    m_strWeight = FormatWeightText(m_fWeight);

    window.SetCheck(IDC_ITEM_APPOINTMENT, m_bTask == 0);
    window.SetCheck(IDC_ITEM_TASK, m_bTask != 0);

    window.SetControlText(IDC_ITEM_WEIGHT, m_strWeight);
    m_strWeight = window.GetControlText(IDC_ITEM_WEIGHT);
    m_shownVisit = ShowVisit(window, m_visit);
    m_strShownText = window.GetControlText(IDC_ITEM_TEXT);
    m_dtShownFrom = window.GetDate(IDC_ITEM_FROM);
    m_dtShownTo = window.GetDate(IDC_ITEM_TO);
    m_bShownTask = window.GetCheck(IDC_ITEM_TASK);
    m_bDelete = 0;
    return true;
}

void CDlgDateItem::OnCommand(int id) {
    if (id == IDC_ITEM_DELETE) {
        OnBorrar();
        return;
    }
    CDialog::OnCommand(id);
}

void CDlgDateItem::OnOK() {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    // The agenda file holds Windows-1252 only. A note it cannot hold is
    // refused here, with the dialog still open, so that what is saved is
    // exactly what the user sees.
    const std::string strText = window->GetControlText(IDC_ITEM_TEXT);
    const bool bTextEdited = strText != m_strShownText;
    if (bTextEdited && !CanEncodeWindows1252(strText)) {
        const std::vector<std::string> chars = UnsavableCharacters(strText);
        m_ui.MessageBox(
            "La anotación contiene caracteres que no se pueden guardar en la agenda: «" +
                Join(chars, " ") + "». Quítelos o cámbielos, por favor.",
            "Anotación", MbButtons::Ok, MbIcon::Warning, MbDefault::First);
        return;
    }
    // A weight that is not one is refused the same way: dropping it silently
    // would save the note without the weight she typed.
    // An untouched weight is not read again: the box may show it rounded.
    const std::string strWeight = window->GetControlText(IDC_ITEM_WEIGHT);
    const std::optional<float> fWeight =
        strWeight == m_strWeight ? std::optional<float>(m_fWeight) : ParseWeightText(strWeight);
    if (!fWeight) {
        m_ui.MessageBox(kWeightHelp, "Peso", MbButtons::Ok, MbIcon::Warning, MbDefault::First);
        return;
    }

    // So is a visit value that is no number or out of its range.
    const CVisitReading visit = ReadVisit(*window, m_visit, m_shownVisit);
    if (visit.problem) {
        m_ui.MessageBox(visit.problem->strMessage, "Visita", MbButtons::Ok, MbIcon::Warning,
                        MbDefault::First);
        window->SetFocus(visit.problem->nBoxId);
        return;
    }

    m_strWeight = strWeight;
    if (bTextEdited) {
        m_strText = strText;
    }
    // Only a date she changed becomes the picker's; a null or invalid one stays.
    const CDateValue dtFrom = window->GetDate(IDC_ITEM_FROM);
    const CDateValue dtTo = window->GetDate(IDC_ITEM_TO);
    if (!SameDateImage(dtFrom, m_dtShownFrom)) {
        m_dtFrom = dtFrom;
    }
    if (!SameDateImage(dtTo, m_dtShownTo)) {
        m_dtTo = dtTo;
    }
    m_fWeight = *fWeight;
    m_visit = visit.visit;
    if (window->GetCheck(IDC_ITEM_TASK) != m_bShownTask) {
        m_bTask = window->GetCheck(IDC_ITEM_APPOINTMENT) ? 0 : 1;
    }
    CDialog::OnOK();
}

void CDlgDateItem::OnBorrar() {
    m_bDelete = 1;
    if (IDialogWindow* window = Window()) {
        m_strWeight = window->GetControlText(IDC_ITEM_WEIGHT);
    }
    // Only the data exchange and the end of the run: the note's values stay
    // as the handler set them.
    CDialog::OnOK();
}

}  // namespace gestalia
