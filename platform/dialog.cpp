#include "platform/dialog.h"

#include "platform/dialog_template.h"

namespace gestalia {

bool CDialog::OnInitDialog(IDialogWindow& window) {
    m_pWindow = &window;
    return true;
}

void CDialog::OnDestroy(IDialogWindow& window) {
    if (m_pWindow == &window) {
        m_pWindow = nullptr;
    }
}

void CDialog::OnCommand(int id) {
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    if (m_pWindow != nullptr) {
        m_pWindow->EndDialog(nResult);
    }
}

void CDialog::EnableAndShow(int id) {
    if (m_pWindow != nullptr) {
        m_pWindow->EnableControl(id, true);
        m_pWindow->ShowControl(id, true);
    }
}

}  // namespace gestalia
