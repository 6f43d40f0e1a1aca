// CCalCtrlDlg: the welcome while no agenda is open, and the agendas it
// remembers between runs: the last one, reopened at a start without an
// argument, and the recent ones, listed in the welcome.

#include <filesystem>
#include <system_error>

#include "app/cal_ctrl_dlg.h"
#include "app/recent_agendas.h"
#include "model/globals.h"
#include "model/utf8_path.h"
#include "resources/control_ids.h"
#include "resources/main_texts.h"

namespace gestalia {

namespace {

// Nothing is at the path: the file was deleted, moved or is on a disk that is
// not there. A path that cannot be looked at is not gone: opening it says why.
bool AgendaIsGone(const std::string& path) {
    std::error_code ec;
    return std::filesystem::status(PathFromUtf8(path), ec).type() ==
           std::filesystem::file_type::not_found;
}

}  // namespace

bool CCalCtrlDlg::OpenLastAgenda() {
    const std::string last = m_remembered.strLast;
    if (last.empty()) {
        return false;
    }
    if (AgendaIsGone(last)) {
        // Said in one line of the welcome, not in a message box: nothing
        // went wrong that she could fix here.
        m_strGoneAgenda = last;
        return false;
    }
    // Opened as the command line opens an agenda; one that is refused has
    // been reported and is not taken.
    if (OpenAgendaFile(last) != OpenOutcome::opened) {
        return false;
    }
    m_globals.szAgendaPath = last;
    return true;
}

void CCalCtrlDlg::ShowWelcome(bool bShow) {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    window->ShowControl(IDC_WELCOME, bShow);
    const bool bGone = bShow && !m_strGoneAgenda.empty();
    if (bGone) {
        window->SetControlText(IDC_LAST_AGENDA_GONE,
                               std::string(kLastAgendaGoneText) + m_strGoneAgenda);
    }
    window->ShowControl(IDC_LAST_AGENDA_GONE, bGone);
    ShowRecentAgendas(bShow);
}

void CCalCtrlDlg::ShowRecentAgendas(bool bShow) {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    m_recentShown = bShow ? m_remembered.recent : std::vector<std::string>{};
    window->ShowControl(IDC_RECENT_TITLE, !m_recentShown.empty());
    for (std::size_t n = 0; n < kRecentAgendaCount; ++n) {
        const int row = IDC_RECENT_FIRST + static_cast<int>(n);
        const int remove = IDC_RECENT_REMOVE_FIRST + static_cast<int>(n);
        if (n >= m_recentShown.size()) {
            window->ShowControl(row, false);
            window->ShowControl(remove, false);
            continue;
        }
        // A gone agenda stays in the list, greyed, until she removes it: the
        // disk it is on may come back.
        const bool bGone = AgendaIsGone(m_recentShown[n]);
        window->SetControlText(row, RecentAgendaText(m_recentShown[n], bGone));
        window->EnableControl(row, !bGone);
        window->ShowControl(row, true);
        window->EnableControl(remove, bGone);
        window->ShowControl(remove, bGone);
    }
}

void CCalCtrlDlg::OnRecentAgenda(int nRow) {
    if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_recentShown.size() ||
        !ConfirmLeavingUnsaved("abrir otra agenda")) {
        return;
    }
    const std::string path = m_recentShown[static_cast<std::size_t>(nRow)];
    OpenAgendaAt(path, false);
    if (m_globals.szAgendaPath != path) {
        // It did not open: the list shows what became of it.
        ShowRecentAgendas(true);
    }
}

void CCalCtrlDlg::OnRemoveRecentAgenda(int nRow) {
    if (m_pSettings == nullptr || nRow < 0 ||
        static_cast<std::size_t>(nRow) >= m_recentShown.size()) {
        return;
    }
    m_remembered = WithAgendaForgotten(Tidied(m_pSettings->Load()),
                                       m_recentShown[static_cast<std::size_t>(nRow)]);
    m_pSettings->Save(m_remembered);
    ShowRecentAgendas(true);
}

void CCalCtrlDlg::RememberAgenda(const std::string& path, bool bOpened) {
    if (m_pSettings == nullptr) {
        return;
    }
    const std::string remembered = RememberedPath(path);
    if (bOpened) {
        m_pSettings->AddRecentDocument(remembered);
    }
    if (m_remembered.strLast == remembered && !m_remembered.recent.empty() &&
        m_remembered.recent.front() == remembered) {
        return;
    }
    // Read again first: another Gestalia may have opened agendas since.
    m_remembered = WithAgendaOpened(Tidied(m_pSettings->Load()), remembered);
    m_pSettings->Save(m_remembered);
}

}  // namespace gestalia
