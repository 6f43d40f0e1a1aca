// CCalCtrlDlg: the report page for her midwife and the export of her
// calendar, both made from the agenda as the window holds it.

#include "app/cal_ctrl_dlg.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/safe_save.h"
#include "platform/file_url.h"
#include "platform/openable_url.h"
#include "platform/ui_services.h"
#include "report/calendar_export.h"
#include "report/report_page.h"

namespace gestalia {

namespace {

constexpr std::string_view kReportCaption = "Informe";
constexpr std::string_view kExportCaption = "Exportar calendario";
constexpr std::string_view kAgendaExtension = ".gst";
constexpr std::string_view kCalendarExtension = ".ics";

CFileDialogSpec ReportFileSpec() {
    CFileDialogSpec spec;
    spec.strTitle = "Guardar el informe";
    spec.filters = {{"Páginas web", "*.html"}};
    spec.bConfirmOverwrite = true;
    return spec;
}

CFileDialogSpec CalendarFileSpec() {
    CFileDialogSpec spec;
    spec.strTitle = std::string(kExportCaption);
    spec.filters = {{"Calendarios iCalendar", "*.ics"}};
    spec.bConfirmOverwrite = true;
    return spec;
}

}  // namespace

std::string ReportPathBeside(std::string_view agendaPath) {
    std::string path(agendaPath);
    if (EndsWithNoCase(path, kAgendaExtension)) {
        path.resize(path.size() - kAgendaExtension.size());
    }
    return path + " - " + std::string(kReportPageEnding);
}

std::string AsReportPath(std::string path) {
    if (EndsWithNoCase(path, kReportPageEnding)) {
        return path;
    }
    for (const std::string_view html : {".html", ".htm"}) {
        if (EndsWithNoCase(path, html)) {
            path.resize(path.size() - html.size());
            break;
        }
    }
    return path + " - " + std::string(kReportPageEnding);
}

std::string WithCalendarExtension(std::string path) {
    if (!EndsWithNoCase(path, kCalendarExtension)) {
        path += kCalendarExtension;
    }
    return path;
}

Result<CAgendaData> CCalCtrlDlg::WindowAgenda() const {
    // Through the file image, which gives each note its visit data.
    const Result<std::string> image = m_calendar.AgendaImage();
    if (!image) {
        return image.error();
    }
    return ParseAgenda(image.value());
}

void CCalCtrlDlg::OnReport() {
    const Result<CAgendaData> agenda = WindowAgenda();
    if (!agenda) {
        Tell(kReportCaption, "No puedo hacer el informe:\n" + agenda.error().message);
        return;
    }
    const std::string page = ReportPage(agenda.value(), CDateValue::Now(m_clock).GetDatePart());
    std::string path = ReportPathBeside(m_globals.szAgendaPath);
    Status written = SaveFileAtomically(path, page);
    while (!written) {
        Tell(kReportCaption, "No puedo guardar el informe en " + path + ":\n" +
                                 written.error().message + "\n\nElige dónde guardarlo.");
        const std::optional<std::string> chosen = m_ui.GetSaveFileName(ReportFileSpec());
        if (!chosen) {
            return;
        }
        path = AsReportPath(*chosen);
        written = SaveFileAtomically(path, page);
    }
    if (!m_ui.OpenUrl(FileUrlOf(path))) {
        Tell(kReportCaption, "He guardado el informe en " + path +
                                 ", pero no he podido abrirlo en el navegador. Ábrelo desde esa "
                                 "carpeta.");
    }
}

void CCalCtrlDlg::OnExportCalendar() {
    const Result<CAgendaData> agenda = WindowAgenda();
    if (!agenda) {
        Tell(kExportCaption, "No puedo exportar el calendario:\n" + agenda.error().message);
        return;
    }
    const std::optional<std::string> chosen = m_ui.GetSaveFileName(CalendarFileSpec());
    if (!chosen) {
        return;
    }
    const std::string path = WithCalendarExtension(*chosen);
    if (const Status written = SaveFileAtomically(path, CalendarExport(agenda.value())); !written) {
        Tell(kExportCaption,
             "No puedo guardar el calendario en " + path + ":\n" + written.error().message);
        return;
    }
    std::string done = "He guardado tu calendario en " + path + ".";
    if (const std::size_t left = NotesWithoutDate(agenda.value()); left > 0) {
        done += "\n" + std::to_string(left) +
                (left == 1 ? " anotación no tiene una fecha válida y no está en él."
                           : " anotaciones no tienen una fecha válida y no están en él.");
    }
    m_ui.MessageBox(done, kExportCaption, MbButtons::Ok, MbIcon::None, MbDefault::First);
}

void CCalCtrlDlg::Tell(std::string_view caption, const std::string& text) {
    m_ui.MessageBox(text, caption, MbButtons::Ok, MbIcon::Warning, MbDefault::First);
}

}  // namespace gestalia
