// CDialog closes the About box on OK, Enter and Escape; set-up only puts the
// version in its text.
#include "app/about_dlg.h"

#include "gestalia_version.h"
#include "platform/dialog_template.h"

namespace gestalia {

std::string AboutVersionText() {
    return "Gestalia versión " + std::string(kGestaliaVersion);
}

bool CAboutDlg::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);
    window.SetControlText(IDC_STATIC, AboutVersionText());
    return true;
}

}  // namespace gestalia
