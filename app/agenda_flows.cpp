// CCalCtrlDlg: creating and opening agendas, the last-period date, and saving.

#include <filesystem>
#include <system_error>

#include "app/cal_ctrl_dlg.h"
#include "model/globals.h"
#include "platform/dialog_template.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

constexpr std::string_view kAgendaExtension = ".gst";
constexpr std::string_view kChooseLastPeriodLabel = "Seleccione la fecha de la última regla";
constexpr std::string_view kCannotOpen = "No puedo abrir el fichero";
constexpr std::string_view kDamaged = "El fichero de agenda está dañado y no se ha abierto.";
constexpr std::string_view kReplaceQuestion = "El fichero ya existe. ¿Desea reemplazarlo?";
constexpr std::string_view kCreateCaption = "CREAR AGENDA";

// The file dialogs of both flows: agendas first and preselected, then text files.
CFileDialogSpec AgendaFileSpec(bool bOpen) {
    CFileDialogSpec spec;
    spec.filters = {{"Agendas Brotela", "*.gst"}, {"Text", "*.TXT"}};
    spec.nFilterIndex = 1;
    spec.bFileMustExist = bOpen;
    // Replacing a file is asked once ".gst" has been added to the name.
    spec.bConfirmOverwrite = false;
    return spec;
}

bool IsDamagedFileError(const CError& error) {
    // The reader names the offset of what it found wrong; failures to open
    // or read the file have none.
    return error.offset.has_value();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// UTF-8 code points of a text (continuation bytes are not counted).
std::size_t CodePoints(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

}  // namespace

std::string BuildAgendaTitle(std::string_view path) {
    std::string title(kAgendaTitlePrefix);
    std::size_t skip =
        CodePoints(path) > kAgendaTitlePathChars ? CodePoints(path) - kAgendaTitlePathChars : 0;
    std::size_t start = 0;
    while (skip > 0 && start < path.size()) {
        ++start;
        while (start < path.size() && (static_cast<unsigned char>(path[start]) & 0xC0) == 0x80) {
            ++start;
        }
        --skip;
    }
    title.append(path.substr(start));
    return title;
}

std::string WithAgendaExtension(std::string path) {
    if (path.find(kAgendaExtension) == std::string::npos) {
        path.append(kAgendaExtension);
    }
    return path;
}

void CCalCtrlDlg::OnCreateAgenda() {
    // A cancelled dialog keeps the agenda that is open, path included.
    const std::optional<std::string> chosen = m_ui.GetSaveFileName(AgendaFileSpec(false));
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = WithAgendaExtension(*chosen);
    if (FileExists(path) && m_ui.MessageBox(kReplaceQuestion, kCreateCaption, MbButtons::YesNo,
                                            MbIcon::Question) != IDYES) {
        return;
    }

    m_dtShown = CDateValue::Now(m_clock);
    m_globals.szAgendaPath = path;
    // The new file takes what is in memory: the items and the last-period
    // date of the agenda open before, if any.
    SaveAgenda();

    HideAgendaControls();
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    EnableAndShow(IDC_LAST_PERIOD_LABEL);
    window->SetControlText(IDC_LAST_PERIOD_LABEL, kChooseLastPeriodLabel);
    EnableAndShow(IDC_LAST_PERIOD);
    EnableAndShow(IDC_AGENDA_TITLE);
    window->SetControlText(IDC_AGENDA_TITLE, BuildAgendaTitle(m_globals.szAgendaPath));
}

void CCalCtrlDlg::OnOpenAgenda() {
    const std::optional<std::string> chosen = m_ui.GetOpenFileName(AgendaFileSpec(true));
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string previousPath = m_globals.szAgendaPath;
    m_dtShown = CDateValue::Now(m_clock);
    m_globals.szAgendaPath = *chosen;
    if (!LoadAgendaReporting()) {
        // A damaged file changes nothing, not even the path: a later save
        // must not overwrite it with another agenda.
        m_globals.szAgendaPath = previousPath;
        return;
    }

    m_dtLastPeriod = m_globals.dtLastPeriod.GetDatePart();
    DoDataExchange(false);
    RecalcTimeline();
    ShowAgendaControls();
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    SetPanelText(IDC_AGENDA_TITLE, BuildAgendaTitle(m_globals.szAgendaPath));
    DoDataExchange(false);
}

void CCalCtrlDlg::OnLastPeriodChanged() {
    RecalcTimeline();
    ShowAgendaControls();
    SaveAgenda();
}

bool CCalCtrlDlg::SaveAgenda() {
    const Status status = m_calendar.SaveAgenda(m_globals.szAgendaPath);
    if (!status) {
        // Nothing in memory changes; the next save tries again.
        ReportFileError(status.error());
        return false;
    }
    return true;
}

bool CCalCtrlDlg::LoadAgendaReporting() {
    const Status status = m_calendar.LoadAgenda(m_globals.szAgendaPath);
    if (status) {
        return true;
    }
    ReportFileError(status.error());
    return !IsDamagedFileError(status.error());
}

void CCalCtrlDlg::ReportFileError(const CError& error) {
    std::string text(IsDamagedFileError(error) ? kDamaged : kCannotOpen);
    if (!error.message.empty()) {
        text += "\n";
        text += error.message;
    }
    m_ui.MessageBox(text, m_globals.szAgendaPath, MbButtons::Ok, MbIcon::Warning);
}

}  // namespace gestalia
