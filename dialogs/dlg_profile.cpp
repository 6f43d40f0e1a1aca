#include "dialogs/dlg_profile.h"

#include "dialogs/profile_fields.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"

namespace gestalia {

bool CDlgProfile::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);
    ShowFields(window, m_profile);
    return true;
}

void CDlgProfile::ShowFields(IDialogWindow& window, const std::optional<CProfile>& profile) {
    const CProfileFields fields = ProfileFieldsOf(profile);
    window.SetControlText(IDC_PROFILE_HEIGHT, fields.strHeightCm);
    window.SetControlText(IDC_PROFILE_WEIGHT, fields.strWeightBeforeKg);
    window.SetCheck(IDC_PROFILE_SINGLE, !fields.bTwins);
    window.SetCheck(IDC_PROFILE_TWINS, fields.bTwins);
}

void CDlgProfile::OnCommand(int id) {
    IDialogWindow* window = Window();
    if (id == IDC_PROFILE_CLEAR && window != nullptr) {
        // Empty boxes: "Aceptar" then stores no profile.
        ShowFields(*window, std::nullopt);
        window->SetFocus(IDC_PROFILE_HEIGHT);
        return;
    }
    CDialog::OnCommand(id);
}

void CDlgProfile::OnOK() {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    const CProfileFields fields{window->GetControlText(IDC_PROFILE_HEIGHT),
                                window->GetControlText(IDC_PROFILE_WEIGHT),
                                window->GetCheck(IDC_PROFILE_TWINS)};
    const Result<std::optional<CProfile>> profile = ReadProfileFields(fields);
    if (!profile) {
        m_ui.MessageBox(profile.error().message, "Perfil", MbButtons::Ok, MbIcon::Warning,
                        MbDefault::First);
        return;
    }
    m_profile = profile.value();
    CDialog::OnOK();
}

}  // namespace gestalia
