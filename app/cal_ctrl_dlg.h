#pragma once
// CCalCtrlDlg: the main agenda window. It owns the calendar and the window's
// state; the agenda itself (last-period date, notes, path, panel texts) lives in
// CGlobals. Two states: no agenda (only the create, open, exit and site buttons)
// and agenda open.
//
// Its handlers are split over files by concern: cal_ctrl_dlg.cpp (set-up,
// states, timeline), agenda_flows.cpp (create, open, last period),
// panels.cpp (month navigation, tip panel, links), layout.cpp (layout and
// colours), item_commands.cpp (the notes: click, double-click, delete,
// weight chart) and agenda_exports.cpp (the report and the calendar export).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/draw_surface.h"
#include "calendar/wm_date_ctrl.h"
#include "model/agenda_file.h"
#include "model/date_value.h"
#include "model/dating.h"
#include "model/result.h"
#include "model/saved_agenda.h"
#include "platform/calendar_parent.h"
#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "resources/main_texts.h"

namespace gestalia {

class IClock;
class IUiMetrics;
struct CAgendaMerge;
class IUiServices;
struct CGlobals;

// The prefix of the agenda title in edit 1031.
inline constexpr std::string_view kAgendaTitlePrefix = "  AGENDA: ...";
// The title line of the tip panel starts with this (26 characters).
inline constexpr std::string_view kTipTitlePrefix = "CLICK SUGERENCIA DEL DÍA: ";
// The status texts while the agenda's last-period date is not a valid date.
inline constexpr std::string_view kNoLastPeriodText = "La fecha de la última regla no es válida";
inline constexpr std::string_view kChooseLastPeriodText = "Elija la fecha de la última regla";
// Characters of a path that the agenda title shows (its tail when longer).
inline constexpr std::size_t kAgendaTitlePathChars = 40;
// What the hint under the calendar (kHintText) says in its place while the
// agenda in memory differs from its file.
inline constexpr std::string_view kUnsavedText =
    "¡ATENCIÓN! Los últimos cambios NO están guardados";
// Added to the window's caption while the agenda is not saved.
inline constexpr std::string_view kUnsavedCaption = " - CAMBIOS SIN GUARDAR";

// The first line of a file error's message box, by the kind of error; the
// error's own detail follows it.
std::string_view FileErrorHeadline(ErrorKind kind);

// "  AGENDA: ..." followed by the path, or by its last 40 characters (UTF-8
// code points) when it is longer.
std::string BuildAgendaTitle(std::string_view path);
// The path with ".gst" appended unless it holds ".gst" anywhere (case-sensitive).
std::string WithAgendaExtension(std::string path);
// Where her version goes when she keeps it apart from an agenda changed
// elsewhere, as sync tools name theirs: beside it, "NOMBRE (copia en
// conflicto AAAA-MM-DD HH.MM).gst", with " 2", " 3"... after the time for
// the n-th copy of the same minute.
std::string ConflictCopyPath(std::string_view path, const CDateValue& now, int n);
// Saves over whatever is at the path now (she has agreed to replace it), and
// gives what the new file is.
Result<CDiskState> SaveReplacing(const std::string& path, std::string_view bytes);
// The line that tells her what was taken in from the file.
std::string TakenInText(const CAgendaMerge& merge);

// Where the report of the agenda at that path is written first: beside it,
// named after it ("ana.gst" gives "ana - informe.html").
std::string ReportPathBeside(std::string_view agendaPath);
// The path she chose for a report, with " - informe.html" in place of an
// ending ".html" or ".htm" unless it ends in "informe.html" already: the
// opener takes report pages by that ending.
std::string AsReportPath(std::string path);
// The path with ".ics" appended unless it ends in it (in any case).
std::string WithCalendarExtension(std::string path);

// The least client size at which every control the layout places shows
// whole, with calendar lines of `nLineHeight` pixels (layout.cpp).
Size MinimumClientSize(int nLineHeight);

class CCalCtrlDlg : public CDialog, public ICalendarParent {
  public:
    // Everything passed in must outlive the window. Without a settings store
    // the window remembers no agendas between runs.
    CCalCtrlDlg(CGlobals& globals, IUiServices& ui, const IUiMetrics& metrics, const IClock& clock,
                ISettingsStore* settings = nullptr);

    // IDialogHandler
    bool OnInitDialog(IDialogWindow& window) override;
    void OnCommand(int id) override;
    void OnDateChanged(int id) override;
    void OnSize(Size client) override;
    void OnLButtonDown(Point pt) override;
    std::optional<CCtlColor> OnCtlColor(int id) override;
    void OnSysCommand(int nCommand) override;
    // The close box: as "Salir".
    void OnClose() override;
    // Back in the window: takes in what changed in the agenda's file meanwhile.
    void OnActivate() override;
    ICalendarParent* AsCalendarParent() override { return this; }

    // ICalendarParent
    CWMDateCtrl* GetCalendar(int id) override;
    std::intptr_t OnNotify(const NMWMDATECTRL& nm) override;
    void ShowDayInPanels(const CDateValue& dtDay) override;

    // States and timeline (cal_ctrl_dlg.cpp).
    void HideAgendaControls();
    void ShowAgendaControls();
    void RecalcTimeline();
    // Where the keyboard starts, and returns when an agenda opens: somewhere
    // Enter does no harm. The calendar with an agenda open, else "CREAR AGENDA";
    // never "Salir".
    int HomeFocusId() const;
    // "Datación": the first scan and the birth; saves what changed.
    void OnDating();
    // "Perfil": her height, weight before pregnancy and twins; saves what
    // changed.
    void OnProfile();

    // The report and the calendar export (agenda_exports.cpp).
    // "Informe": writes the report page beside the agenda (or where she
    // chooses when that fails) and opens it in her browser.
    void OnReport();
    // "Exportar calendario": asks where and writes the agenda as iCalendar.
    void OnExportCalendar();

    // Agendas (agenda_flows.cpp).
    void OnCreateAgenda();
    void OnOpenAgenda();
    void OnLastPeriodChanged();
    // Saves the agenda to the current path, first taking in what changed in
    // the file since it was last read or saved (agenda_sync.cpp); reports a
    // failure with a message box and marks the window unsaved until a later
    // save succeeds.
    bool SaveAgenda();
    // "Salir", Escape and the close box: ends the window, after asking while
    // the agenda is not saved.
    void OnExit();

    // The welcome and the agendas remembered between runs (welcome.cpp).
    // The welcome shows while no agenda is open or being created.
    void ShowWelcome(bool bShow);
    // Opens the recent agenda of row `nRow`, as if chosen in the open dialog;
    // one that no longer opens is not taken as the agenda.
    void OnRecentAgenda(int nRow);
    // Takes the gone agenda of row `nRow` out of the list.
    void OnRemoveRecentAgenda(int nRow);
    // The agenda at the path is hers now: it becomes the last one and heads
    // the list. One just opened, created or saved elsewhere (bOpened) goes
    // to the desktop's list of recent documents too.
    void RememberAgenda(const std::string& path, bool bOpened);

    // Navigation and tip panel (panels.cpp).
    void OnNextMonth();
    void OnPreviousMonth();
    void ShowWeekTip(std::int32_t nElapsedDays, bool bWithFallback);
    // The tip of the chosen day's week and its link: the day's own, else its
    // week's (the link of day 1 before the first week that has one).
    void ShowChosenDayTip();
    // The tip panel empty, its link gone: after the birth.
    void ShowNoTip();
    // The calendar shows the month of the day, as the month arrows would.
    void ShowMonthOf(const CDateValue& day);
    void OnSiteLink();

    // Layout (layout.cpp).
    void LayoutControls();

    // Notes (item_commands.cpp).
    void OnCalendarClick(const NMWMDATECTRL& nm);
    void OnCalendarDblClk(const NMWMDATECTRL& nm);
    // Delete on the calendar: asks, deletes the chosen note and saves.
    void OnCalendarKeyDown(const NMWMDATECTRL& nm);
    void OnDeleteItem();
    // Asks, then deletes the note with that id (none: nothing is deleted).
    void DeleteItemAfterAsking(std::int32_t id);
    void OnDeleteAll();
    void OnResetItems();
    void OnDateRange();
    void OnWeightChart();

    // State, for tests.
    CWMDateCtrl& Calendar() { return m_calendar; }
    std::int32_t SelectedId() const { return m_nSelectedId; }
    CDateValue Shown() const { return m_dtShown; }
    bool IsUnsaved() const { return m_bUnsaved; }
    CDateValue Chosen() const { return m_dtChosen; }

  private:
    CGlobals& m_globals;
    IUiServices& m_ui;
    const IUiMetrics& m_metrics;
    const IClock& m_clock;

    std::int32_t m_nSelectedId = -1;
    CWMDateCtrl m_calendar;
    CDateValue m_dtLastPeriod;  // the last-period picker's value
    std::string m_strDueDate;
    std::string m_strDaysLeft;
    std::string m_strWeeks;
    CDateValue m_dtShown;   // a date in the month the calendar shows
    CDateValue m_dtChosen;  // the day the day panels show (today at start-up)
    // The picker shows today in place of a last-period date that is not
    // valid; until the user picks a date, reading it back keeps the invalid one.
    bool m_bPickerStandIn = false;
    // A new agenda waits for its last-period date.
    bool m_bCreating = false;
    // The agenda in memory differs from its file: the last save failed.
    bool m_bUnsaved = false;
    // The file as last read or saved, to notice and merge changes made elsewhere.
    CSavedAgenda m_disk;
    // While the file is looked at (its questions may give the window focus back).
    bool m_bLookingAtDisk = false;
    // The hint's line while the agenda is saved, once something from elsewhere
    // was taken in (else the usual hint): it stays until another file is
    // opened, so that a save right after the take-in does not hide it.
    std::string m_strTakenIn;

    // What became of opening an agenda file.
    enum class OpenOutcome {
        opened,   // the file's agenda is in memory
        missing,  // nothing is at the path yet: it may become the agenda
        refused,  // it exists but is not a readable agenda; nothing changed
    };

    // The agendas as remembered in the store (nullptr: none), and the rows
    // of the recent list as shown.
    ISettingsStore* const m_pSettings;
    CRememberedAgendas m_remembered;
    std::vector<std::string> m_recentShown;
    // The last agenda, when a start found nothing at its path.
    std::string m_strGoneAgenda;

    // Opens the last agenda at a start without an argument; true when it is
    // the agenda now. A gone one is only noted for the welcome.
    bool OpenLastAgenda();
    // Shows an agenda opened at start-up.
    void ShowStartAgenda();
    // Fills the rows of the recent list from m_remembered.
    void ShowRecentAgendas(bool bShow);
    // The part of opening an agenda after its path is known. A path with
    // nothing there becomes a new agenda only when bMayBeNew.
    void OpenAgendaAt(const std::string& path, bool bMayBeNew);

    // Moves the dates and texts between the members and the controls
    // (towards the members when bSaveAndValidate).
    void DoDataExchange(bool bSaveAndValidate);
    // Loads the agenda at the path; reports a failure.
    OpenOutcome OpenAgendaFile(const std::string& path);

    // What became of looking at the file before a save (agenda_sync.cpp).
    enum class DiskOutcome {
        unchanged,   // the file is as the window left it
        inStep,      // memory is ready to be saved over the file
        sameAsDisk,  // the file's agenda, with nothing of hers to add, is shown
        keptApart,   // her version went to a conflict copy, the window's agenda now
        failed,      // reported; nothing saved
    };
    DiskOutcome TakeInDiskChanges();
    // Saves her version beside the file and makes that copy the window's agenda.
    DiskOutcome KeepApart();
    // The window after the store took another agenda (a merge).
    void ShowMergedAgenda();
    // Remembers the file just read, or a path with nothing there yet.
    void RememberOpened(const CDiskState& state, std::string bytes);
    void ReportFileError(const CError& error, const std::string& path);
    // The agenda as the window holds it, each note with its visit data.
    Result<CAgendaData> WindowAgenda() const;
    // A warning message box under that caption.
    void Tell(std::string_view caption, const std::string& text);
    // The dating every figure, week and tip follows.
    CDating Dating() const;
    // Asks before the unsaved agenda is left (to quit, or for another agenda).
    // True when she saved it elsewhere or chose to drop it; false to stay.
    bool ConfirmLeavingUnsaved(std::string_view strLeaving);
    // Asks for a new path and saves the agenda there, which becomes its path.
    bool SaveElsewhere();
    // The "replace the existing file" question; true on yes.
    bool AskReplace();
    void SetUnsaved(bool bUnsaved);
    void ShowMonthText();
    // Hands the address to the desktop (a page of the stand-in site as its
    // cached reading page); says so in a message when it cannot.
    void OpenPage(const std::string& url);
    void SetPanelText(int id, const std::string& text);
};

}  // namespace gestalia
