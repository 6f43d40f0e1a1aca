#include "dialogs/dlg_dating.h"

#include <string>

#include "dialogs/dating_fields.h"
#include "model/clock.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"

namespace gestalia {

CDlgDating::CDlgDating(const IClock& clock, IUiServices& ui) : m_clock(clock), m_ui(ui) {}

bool CDlgDating::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);
    const CDateValue today = CDateValue::Now(m_clock).GetDatePart();
    const CScanFields fields = ScanFieldsOf(m_scan, today);
    window.SetDate(IDC_DATING_SCAN_DATE, fields.dtScan);
    window.SetControlText(IDC_DATING_CRL, fields.strCrl);
    window.SetControlText(IDC_DATING_WEEKS, fields.strWeeks);
    window.SetControlText(IDC_DATING_DAYS, fields.strDays);
    const bool bByScan = m_scan && m_scan->bChosen;
    window.SetCheck(IDC_DATING_BY_PERIOD, !bByScan);
    window.SetCheck(IDC_DATING_BY_SCAN, bByScan);
    ShowComparison(m_scan);

    window.SetDate(IDC_BIRTH_DATE, m_birth.value_or(today));
    window.SetControlText(IDC_BIRTH_STATE, BirthStateText(m_birth));
    return true;
}

void CDlgDating::OnCommand(int id) {
    switch (id) {
        case IDC_DATING_COMPARE:
            OnCompare();
            break;
        case IDC_BIRTH_SET:
            OnSetBirth();
            break;
        case IDC_BIRTH_CLEAR:
            m_birth.reset();
            if (IDialogWindow* window = Window()) {
                window->SetControlText(IDC_BIRTH_STATE, BirthStateText(m_birth));
            }
            break;
        default:
            CDialog::OnCommand(id);
            break;
    }
}

std::optional<CScanDating> CDlgDating::ReadScan(bool& bOk) {
    bOk = false;
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return std::nullopt;
    }
    const CScanFields fields{
        window->GetDate(IDC_DATING_SCAN_DATE), window->GetControlText(IDC_DATING_CRL),
        window->GetControlText(IDC_DATING_WEEKS), window->GetControlText(IDC_DATING_DAYS)};
    Result<std::optional<CScanDating>> scan =
        ReadScanFields(fields, m_dtLastPeriod, CDateValue::Now(m_clock));
    if (!scan) {
        Warn(scan.error().message);
        return std::nullopt;
    }
    bOk = true;
    return scan.value();
}

void CDlgDating::OnCompare() {
    bool bOk = false;
    const std::optional<CScanDating> scan = ReadScan(bOk);
    if (!bOk) {
        return;
    }
    if (!scan) {
        Warn("Escribe la longitud cráneo-caudal o la edad que te dieron en la ecografía.");
        return;
    }
    ShowComparison(scan);
}

void CDlgDating::ShowComparison(const std::optional<CScanDating>& scan) {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    std::string text;
    const std::optional<int> age = scan ? ScanAgeDays(*scan) : std::nullopt;
    if (age) {
        const Result<CDatingComparison> c = CompareDating(m_dtLastPeriod, scan->dtScan, *age);
        text = c ? ComparisonText(c.value()) : c.error().message;
    }
    window->SetControlText(IDC_DATING_RESULT, text);
}

void CDlgDating::OnSetBirth() {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    const CDateValue day = window->GetDate(IDC_BIRTH_DATE).GetDatePart();
    const Status status = CheckBirthDate(day, m_dtLastPeriod, CDateValue::Now(m_clock));
    if (!status) {
        Warn(status.error().message);
        return;
    }
    m_birth = day;
    window->SetControlText(IDC_BIRTH_STATE, BirthStateText(m_birth));
}

void CDlgDating::OnOK() {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    bool bOk = false;
    std::optional<CScanDating> scan = ReadScan(bOk);
    if (!bOk) {
        return;
    }
    const bool bByScan = window->GetCheck(IDC_DATING_BY_SCAN);
    if (bByScan && !scan) {
        Warn(
            "Para fechar por la ecografía, escribe la longitud cráneo-caudal o la edad que te "
            "dieron.");
        return;
    }
    if (scan) {
        scan->bChosen = bByScan;
    }
    m_scan = scan;
    CDialog::OnOK();
}

void CDlgDating::Warn(const std::string& message) {
    m_ui.MessageBox(message, "Datación", MbButtons::Ok, MbIcon::Warning, MbDefault::First);
}

}  // namespace gestalia
