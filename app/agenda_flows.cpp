// CCalCtrlDlg: creating and opening agendas, the last-period date, saving, and
// leaving an agenda whose last save failed.

#include <filesystem>
#include <system_error>

#include "app/cal_ctrl_dlg.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/safe_save.h"
#include "model/utf8.h"
#include "model/utf8_path.h"
#include "platform/dialog_template.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "resources/main_texts.h"

namespace gestalia {

namespace {

constexpr std::string_view kAgendaExtension = ".gst";
constexpr std::string_view kChooseLastPeriodLabel = "Seleccione la fecha de la última regla";
constexpr std::string_view kReplaceQuestion = "El fichero ya existe. ¿Desea reemplazarlo?";
constexpr std::string_view kUnsavedCaptionText = "Cambios sin guardar";

constexpr std::string_view kCreateDialogTitle = "Crear agenda";
constexpr std::string_view kOpenDialogTitle = "Abrir agenda";
constexpr std::string_view kSaveElsewhereTitle = "Guardar la agenda en otro fichero";

// The file dialogs of both flows: agendas first and preselected, then text files.
CFileDialogSpec AgendaFileSpec(std::string_view title, bool bOpen) {
    CFileDialogSpec spec;
    spec.strTitle = title;
    spec.filters = {{"Agendas Brotela", "*.gst"}, {"Text", "*.TXT"}};
    spec.nFilterIndex = 1;
    spec.bFileMustExist = bOpen;
    // Replacing a file is asked once ".gst" has been added to the name.
    spec.bConfirmOverwrite = false;
    return spec;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(PathFromUtf8(path), ec);
}

// Nothing at all is at the path (a dangling link counts as nothing: saving
// through it creates its target). A path that cannot be looked at is not free.
bool PathIsFree(const std::string& path) {
    std::error_code ec;
    return std::filesystem::status(PathFromUtf8(path), ec).type() ==
           std::filesystem::file_type::not_found;
}

}  // namespace

Result<CDiskState> SaveReplacing(const std::string& path, std::string_view bytes) {
    const Result<CDiskState> now = DiskStateOf(path);
    if (!now) {
        return now.error();
    }
    return SaveFileIfUnchanged(path, bytes, now.value());
}

std::string_view FileErrorHeadline(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::damaged:
            return "El fichero de agenda está dañado y no se ha abierto.";
        case ErrorKind::cannotOpen:
            return "No puedo abrir el fichero.";
        case ErrorKind::cannotSave:
            return "No puedo guardar el fichero.";
        case ErrorKind::unstorableText:
            return "No puedo guardar el fichero: una anotación tiene caracteres que una agenda no "
                   "puede guardar.";
        case ErrorKind::tooBig:
            return "No puedo abrir el fichero: es demasiado grande para ser una agenda.";
        case ErrorKind::notRegularFile:
            return "No puedo abrir el fichero: no es un fichero normal.";
        case ErrorKind::changedOnDisk:
            return "No puedo guardar el fichero: otro programa lo está cambiando.";
        case ErrorKind::badInput:
            return "El dato no es válido.";
    }
    return "No puedo abrir el fichero.";
}

std::string BuildAgendaTitle(std::string_view path) {
    std::string title(kAgendaTitlePrefix);
    const std::size_t count = CharacterCount(path);
    std::size_t skip = count > kAgendaTitlePathChars ? count - kAgendaTitlePathChars : 0;
    std::size_t start = 0;
    for (; skip > 0; --skip) {
        start += CharacterLength(path, start);
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
    if (!ConfirmLeavingUnsaved("crear otra agenda")) {
        return;
    }
    // A cancelled dialog keeps the agenda that is open, path included.
    const std::optional<std::string> chosen =
        m_ui.GetSaveFileName(AgendaFileSpec(kCreateDialogTitle, false));
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = WithAgendaExtension(*chosen);
    if (FileExists(path) && !AskReplace()) {
        return;
    }

    // A new agenda, perhaps for another pregnancy, holds none of the notes of
    // the one open before; it keeps the last-period date until she picks one.
    // It is written before anything in memory changes, so a failure leaves
    // the window as it was.
    CAgendaData fresh;
    fresh.dtLastPeriod = m_globals.dtLastPeriod;
    Result<std::string> bytes = SerializeAgenda(fresh);
    const Result<CDiskState> saved =
        bytes ? SaveReplacing(path, bytes.value()) : Result<CDiskState>(bytes.error());
    if (!saved) {
        ReportFileError(saved.error(), path);
        return;
    }
    m_disk.Remember(saved.value(), std::move(bytes).value());
    m_calendar.DeleteAllItems();
    m_globals.extension = {};
    m_calendar.Redraw();
    m_nSelectedId = -1;
    m_dtShown = CDateValue::Now(m_clock);
    m_globals.szAgendaPath = path;
    m_bCreating = true;
    m_strTakenIn.clear();
    SetUnsaved(false);
    RememberAgenda(path, true);

    HideAgendaControls();
    ShowWelcome(false);
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
    if (!ConfirmLeavingUnsaved("abrir otra agenda")) {
        return;
    }
    const std::optional<std::string> chosen =
        m_ui.GetOpenFileName(AgendaFileSpec(kOpenDialogTitle, true));
    if (!chosen || chosen->empty()) {
        return;
    }
    OpenAgendaAt(*chosen, true);
}

void CCalCtrlDlg::OpenAgendaAt(const std::string& path, bool bMayBeNew) {
    switch (OpenAgendaFile(path)) {
        case OpenOutcome::refused:
            // Nothing changes, not the path, the notes or the shown month: a
            // later save must not overwrite that file with this agenda.
            return;
        case OpenOutcome::missing:
            if (!bMayBeNew) {
                return;
            }
            // A new agenda there, created by the first save; it takes
            // nothing of the agenda open before.
            m_calendar.DeleteAllItems();
            m_globals.extension = {};
            m_nSelectedId = -1;
            break;
        case OpenOutcome::opened:
            break;
    }
    m_globals.szAgendaPath = path;
    m_bCreating = false;
    m_strTakenIn.clear();
    SetUnsaved(false);
    m_dtShown = CDateValue::Now(m_clock);

    m_dtLastPeriod = m_globals.dtLastPeriod.GetDatePart();
    DoDataExchange(false);
    RecalcTimeline();
    ShowAgendaControls();
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    SetPanelText(IDC_AGENDA_TITLE, BuildAgendaTitle(m_globals.szAgendaPath));
    DoDataExchange(false);
    if (IDialogWindow* window = Window()) {
        window->SetFocus(HomeFocusId());
    }
}

void CCalCtrlDlg::OnLastPeriodChanged() {
    m_bCreating = false;
    RecalcTimeline();
    ShowAgendaControls();
    static_cast<void>(SaveAgenda());
}

void CCalCtrlDlg::OnExit() {
    if (ConfirmLeavingUnsaved("salir")) {
        EndDialog(IDCANCEL);
    }
}

void CCalCtrlDlg::OnClose() {
    OnExit();
}

bool CCalCtrlDlg::ConfirmLeavingUnsaved(std::string_view strLeaving) {
    if (!m_bUnsaved) {
        return true;
    }
    const std::string text =
        "Los últimos cambios de la agenda no están guardados: no se pudo escribir el fichero " +
        m_globals.szAgendaPath + ".\n\n¿Desea guardarlos en otro fichero antes de " +
        std::string(strLeaving) +
        "?\n\nSí: elegir otro fichero y guardarlos allí.\nNo: " + std::string(strLeaving) +
        " sin guardarlos; se perderán.\nCancelar: volver a la agenda.";
    switch (m_ui.MessageBox(text, kUnsavedCaptionText, MbButtons::YesNoCancel, MbIcon::Warning,
                            MbDefault::Third)) {
        case IDYES:
            return SaveElsewhere();
        case IDNO:
            return true;
        default:
            return false;
    }
}

bool CCalCtrlDlg::SaveElsewhere() {
    const std::optional<std::string> chosen =
        m_ui.GetSaveFileName(AgendaFileSpec(kSaveElsewhereTitle, false));
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string path = WithAgendaExtension(*chosen);
    if (FileExists(path) && !AskReplace()) {
        return false;
    }
    Result<std::string> bytes = m_calendar.AgendaImage();
    const Result<CDiskState> saved =
        bytes ? SaveReplacing(path, bytes.value()) : Result<CDiskState>(bytes.error());
    if (!saved) {
        ReportFileError(saved.error(), path);
        return false;
    }
    m_disk.Remember(saved.value(), std::move(bytes).value());
    m_globals.szAgendaPath = path;
    SetPanelText(IDC_AGENDA_TITLE, BuildAgendaTitle(path));
    m_strTakenIn.clear();
    SetUnsaved(false);
    RememberAgenda(path, true);
    return true;
}

bool CCalCtrlDlg::AskReplace() {
    // Enter must not replace another agenda: "No" is the default.
    return m_ui.MessageBox(kReplaceQuestion, kCreateAgendaText, MbButtons::YesNo, MbIcon::Question,
                           MbDefault::Second) == IDYES;
}

void CCalCtrlDlg::SetUnsaved(bool bUnsaved) {
    m_bUnsaved = bUnsaved;
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    window->SetControlText(IDC_HINT, bUnsaved               ? std::string(kUnsavedText)
                                     : m_strTakenIn.empty() ? std::string(kHintText)
                                                            : m_strTakenIn);
    window->Invalidate(IDC_HINT);
    window->SetCaption(MainDialogTemplate().strCaption +
                       (bUnsaved ? std::string(kUnsavedCaption) : std::string()));
}

CCalCtrlDlg::OpenOutcome CCalCtrlDlg::OpenAgendaFile(const std::string& path) {
    CDiskState state;
    Result<CFileBytes> bytes = ReadFileBytes(path, &state);
    // The bytes go to the store; a copy stays as the base of a later merge.
    std::string base = bytes ? std::string(bytes.value().View()) : std::string();
    const Status status =
        bytes ? m_calendar.LoadAgendaImage(std::move(bytes.value())) : Status(bytes.error());
    if (status) {
        m_disk.Remember(state, std::move(base));
        RememberAgenda(path, true);
        return OpenOutcome::opened;
    }
    ReportFileError(status.error(), path);
    // Only a path with nothing there may become the agenda: anything else
    // would be replaced by the next save.
    if (status.error().kind == ErrorKind::cannotOpen && PathIsFree(path)) {
        // The first save creates it, unless another has meanwhile.
        CAgendaData empty;
        empty.dtLastPeriod = m_globals.dtLastPeriod;
        Result<std::string> image = SerializeAgenda(empty);
        m_disk.Remember(CDiskState{}, image ? std::move(image).value() : std::string());
        return OpenOutcome::missing;
    }
    return OpenOutcome::refused;
}

void CCalCtrlDlg::ReportFileError(const CError& error, const std::string& path) {
    std::string text(FileErrorHeadline(error.kind));
    const std::string detail =
        error.kind == ErrorKind::damaged ? DamageSentence(error) : error.message;
    if (!detail.empty()) {
        text += "\n";
        text += detail;
    }
    m_ui.MessageBox(text, path, MbButtons::Ok, MbIcon::Warning, MbDefault::First);
}

}  // namespace gestalia
