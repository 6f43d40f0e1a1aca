// CCalCtrlDlg: saving an agenda that may have changed on disk since the
// window read or saved it (another window, another program, a sync tool).
// The change is merged note by note into the window's agenda, which is shown
// and saved; only a true conflict asks, and "No" keeps her version apart,
// overwriting nothing.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/cal_ctrl_dlg.h"
#include "model/agenda_file.h"
#include "model/agenda_merge.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/safe_save.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"
#include "resources/main_texts.h"

namespace gestalia {

namespace {

constexpr std::string_view kChangedCaption = "La agenda ha cambiado en el disco";
// A file that keeps changing between the look and the rename is looked at
// again this many times before the save gives up.
constexpr int kSaveAttempts = 3;

std::string Counted(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string DayText(const CDateValue& date) {
    return date.IsValid() ? date.Format("%d/%m/%Y") : std::string("sin fecha");
}

}  // namespace

std::string ConflictCopyPath(std::string_view path, const CDateValue& now, int n) {
    const std::size_t sep = path.find_last_of("/\\");
    const std::size_t nameAt = sep == std::string_view::npos ? 0 : sep + 1;
    std::size_t end = path.find_last_of('.');
    if (end == std::string_view::npos || end <= nameAt) {
        end = path.size();
    }
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d.%02d", now.GetYear(), now.GetMonth(),
                  now.GetDay(), now.GetHour(), now.GetMinute());
    std::string copy(path.substr(0, end));
    copy += " (copia en conflicto ";
    copy += stamp;
    if (n > 1) {
        copy += " " + std::to_string(n);
    }
    copy += ").gst";
    return copy;
}

std::string TakenInText(const CAgendaMerge& merge) {
    // One line under the calendar: the notes are counted only when nothing
    // else came with them.
    const bool bNotes = merge.nTakenIn != 0 || merge.nRemovedThere != 0;
    const bool bCounted = !merge.bTheirLastPeriod && !merge.bTheirExtension;
    std::vector<std::string> parts;
    if (bNotes && !bCounted) {
        parts.emplace_back("notas");
    }
    if (bCounted && merge.nTakenIn != 0) {
        parts.push_back(Counted(merge.nTakenIn, "nota nueva", "notas nuevas"));
    }
    if (bCounted && merge.nRemovedThere != 0) {
        parts.push_back(merge.nTakenIn != 0
                            ? Counted(merge.nRemovedThere, "borrada", "borradas")
                            : Counted(merge.nRemovedThere, "nota borrada", "notas borradas"));
    }
    if (merge.bTheirLastPeriod) {
        parts.push_back("fecha de la regla");
    }
    if (merge.bTheirExtension) {
        parts.push_back("datación");
    }
    std::string text(kTakenInLead);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += i == 0 ? " " : (i + 1 == parts.size() ? " y " : ", ");
        text += parts[i];
    }
    return text + ".";
}

void CCalCtrlDlg::OnActivate() {
    if (m_bLookingAtDisk || m_globals.szAgendaPath.empty() || m_bCreating) {
        return;
    }
    m_bLookingAtDisk = true;
    const DiskOutcome outcome = TakeInDiskChanges();
    m_bLookingAtDisk = false;
    switch (outcome) {
        case DiskOutcome::unchanged:
            return;
        case DiskOutcome::inStep:
            // Merged with a change of hers the file does not hold yet, or
            // the file is to be put back.
            static_cast<void>(SaveAgenda());
            return;
        case DiskOutcome::sameAsDisk:
        case DiskOutcome::keptApart:
            SetUnsaved(false);
            return;
        case DiskOutcome::failed:
            SetUnsaved(true);
            return;
    }
}

bool CCalCtrlDlg::SaveAgenda() {
    const bool looking = std::exchange(m_bLookingAtDisk, true);
    Status status = ChangedOnDisk(m_globals.szAgendaPath);
    for (int attempt = 0; attempt < kSaveAttempts && !status; ++attempt) {
        switch (TakeInDiskChanges()) {
            case DiskOutcome::unchanged:
            case DiskOutcome::inStep:
                break;
            case DiskOutcome::sameAsDisk:
            case DiskOutcome::keptApart:
                status = {};
                continue;
            case DiskOutcome::failed:
                m_bLookingAtDisk = looking;
                SetUnsaved(true);
                return false;
        }
        Result<std::string> bytes = m_calendar.AgendaImage();
        status = bytes ? m_disk.SaveIfUnchanged(m_globals.szAgendaPath, std::move(bytes).value())
                       : Status(bytes.error());
        if (!status && status.error().kind != ErrorKind::changedOnDisk) {
            break;
        }
    }
    m_bLookingAtDisk = looking;
    // Nothing in memory changes on a failure; every later change tries again.
    SetUnsaved(!status.ok());
    if (!status) {
        ReportFileError(status.error(), m_globals.szAgendaPath);
        return false;
    }
    // An agenda given on the command line with nothing at its path is
    // remembered once its file exists.
    RememberAgenda(m_globals.szAgendaPath, false);
    return true;
}

CCalCtrlDlg::DiskOutcome CCalCtrlDlg::TakeInDiskChanges() {
    CDiskLook look = m_disk.Look(m_globals.szAgendaPath);
    switch (look.change) {
        case DiskChange::none:
            return DiskOutcome::unchanged;
        case DiskChange::missing:
            // Gone from under the window: the save puts her agenda back.
            m_disk.Remember(look.state, std::string(m_disk.Base()));
            return DiskOutcome::inStep;
        case DiskChange::unreadable: {
            const std::string question =
                "El fichero de la agenda " + m_globals.szAgendaPath +
                " se ha cambiado fuera de esta ventana y ya no se puede leer:\n" +
                look.error->message +
                "\n\n¿Quieres poner tu agenda en su lugar?\n\nSí: guardar tu agenda en ese "
                "fichero; lo que tiene ahora se perderá.\nNo: guardar tu agenda aparte, en un "
                "fichero nuevo al lado, sin tocar ese.";
            if (m_ui.MessageBox(question, kChangedCaption, MbButtons::YesNo, MbIcon::Warning,
                                MbDefault::Second) == IDYES) {
                m_disk.Remember(look.state, std::string(m_disk.Base()));
                return DiskOutcome::inStep;
            }
            return KeepApart();
        }
        case DiskChange::changed:
            break;
    }
    Result<std::string> ourImage = m_calendar.AgendaImage();
    if (!ourImage) {
        ReportFileError(ourImage.error(), m_globals.szAgendaPath);
        return DiskOutcome::failed;
    }
    // All three are sound: the base and ours were written by this window,
    // and the look checked theirs.
    const Result<CAgendaData> theirs = ParseAgenda(look.bytes.View());
    const Result<CAgendaData> ours = ParseAgenda(ourImage.value());
    // Nothing remembered (the window never read nor saved it): every note of
    // either side is an addition, and the date stays hers.
    const Result<CAgendaData> base =
        !m_disk.Base().empty() ? ParseAgenda(m_disk.Base())
                               : Result<CAgendaData>(CAgendaData{
                                     ours ? ours.value().dtLastPeriod : CDateValue(), {}, {}});
    if (!base || !theirs || !ours) {
        ReportFileError(!theirs ? theirs.error() : CError{ErrorKind::damaged, {}, std::nullopt},
                        m_globals.szAgendaPath);
        return DiskOutcome::failed;
    }
    CAgendaMerge merge = MergeAgendas(base.value(), theirs.value(), ours.value());
    if (merge.HasConflict()) {
        const std::string what =
            merge.bLastPeriodConflict
                ? "La fecha de la última regla se ha cambiado a la vez en esta ventana (" +
                      DayText(ours.value().dtLastPeriod) + ") y fuera de ella (" +
                      DayText(theirs.value().dtLastPeriod) + ")"
                : std::string(
                      "Los datos de la datación o del nacimiento se han cambiado a la vez "
                      "en esta ventana y fuera de ella");
        const std::string question =
            what +
            ".\n\n¿Quieres guardar lo tuyo, con las anotaciones de las dos?\n\nSí: guardar tu "
            "versión en la agenda.\nNo: guardar tu agenda aparte, en un fichero nuevo al lado, "
            "sin tocar la de fuera.";
        if (m_ui.MessageBox(question, kChangedCaption, MbButtons::YesNo, MbIcon::Question,
                            MbDefault::Second) != IDYES) {
            return KeepApart();
        }
    }
    Result<std::string> mergedImage = SerializeAgenda(merge.merged);
    const Status shown = mergedImage ? m_calendar.LoadAgendaImage(CFileBytes(mergedImage.value()))
                                     : Status(mergedImage.error());
    if (!shown) {
        ReportFileError(shown.error(), m_globals.szAgendaPath);
        return DiskOutcome::failed;
    }
    // The disk's agenda is the base from now on: what it added is in memory.
    m_disk.Remember(look.state, std::string(look.bytes.View()));
    ShowMergedAgenda();
    if (merge.TookAnything()) {
        m_strTakenIn = TakenInText(merge);
    }
    return merge.bSameAsTheirs ? DiskOutcome::sameAsDisk : DiskOutcome::inStep;
}

CCalCtrlDlg::DiskOutcome CCalCtrlDlg::KeepApart() {
    Result<std::string> bytes = m_calendar.AgendaImage();
    if (!bytes) {
        ReportFileError(bytes.error(), m_globals.szAgendaPath);
        return DiskOutcome::failed;
    }
    const CDateValue now = CDateValue::Now(m_clock);
    // A copy is never written over anything, not even an earlier copy.
    for (int n = 1;; ++n) {
        const std::string copy = ConflictCopyPath(m_globals.szAgendaPath, now, n);
        const Result<CDiskState> saved = SaveFileIfUnchanged(copy, bytes.value(), CDiskState{});
        if (saved) {
            m_disk.Remember(saved.value(), std::move(bytes).value());
            m_globals.szAgendaPath = copy;
            SetPanelText(IDC_AGENDA_TITLE, BuildAgendaTitle(copy));
            m_strTakenIn = std::string(kKeptApartText);
            return DiskOutcome::keptApart;
        }
        if (saved.error().kind != ErrorKind::changedOnDisk) {
            ReportFileError(saved.error(), copy);
            return DiskOutcome::failed;
        }
    }
}

void CCalCtrlDlg::ShowMergedAgenda() {
    // Ids start again with the merged agenda: none chosen.
    m_nSelectedId = -1;
    m_dtLastPeriod = m_globals.dtLastPeriod.GetDatePart();
    DoDataExchange(false);
    RecalcTimeline();
    m_calendar.Redraw();
}

}  // namespace gestalia
