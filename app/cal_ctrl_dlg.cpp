// CCalCtrlDlg: construction, set-up, the two visible states, the data exchange
// and the timeline as of now; the routing of commands and notifications.

#include "app/cal_ctrl_dlg.h"

#include <array>

#include "app/about_dlg.h"
#include "app/recent_agendas.h"
#include "calendar/notify.h"
#include "dialogs/dlg_dating.h"
#include "dialogs/dlg_profile.h"
#include "model/clock.h"
#include "model/dating.h"
#include "model/globals.h"
#include "model/spanish_text.h"
#include "model/timeline.h"
#include "platform/dialog_template.h"
#include "platform/ui_metrics.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "resources/main_texts.h"

namespace gestalia {

namespace {

constexpr Size kItemImageSize{16, 16};
constexpr int kItemImageCount = 2;
// The notes' icons. Every note points at this list and the notes outlive the
// window, so it lives as long as the program.
constexpr CImageList kItemImages(IDB_ITEM_ICONS, kItemImageSize, kItemImageCount);

// Controls shown only with an agenda, in the order they are hidden and shown.
constexpr std::array<int, 18> kAgendaControls = {
    IDC_LAST_PERIOD,    IDC_AGENDA_TITLE,  IDC_DUE_DATE,     IDC_DAYS_LEFT,     IDC_WEEKS,
    IDC_MONTH_TEXT,     IDC_PREVIOUS,      IDC_NEXT,         IDC_TIP_TITLE,     IDC_CALENDAR,
    IDC_HINT,           IDC_DAY_TEXT,      IDC_TIP_TEXT,     IDC_WEIGHT_BUTTON, IDC_DATING_BUTTON,
    IDC_PROFILE_BUTTON, IDC_REPORT_BUTTON, IDC_EXPORT_BUTTON};

// Controls that take the panel font, in order.
constexpr std::array<int, 16> kPanelFontControls = {
    IDC_TIP_TITLE,         IDC_DAY_TEXT,       IDC_MONTH_TEXT,
    IDC_DUE_DATE,          IDC_DAYS_LEFT,      IDC_WEEKS,
    IDC_LAST_PERIOD_LABEL, IDC_LAST_PERIOD,    IDC_CREATE_AGENDA,
    IDC_OPEN_AGENDA,       IDCANCEL,           IDC_WEIGHT_BUTTON,
    IDC_DATING_BUTTON,     IDC_PROFILE_BUTTON, IDC_REPORT_BUTTON,
    IDC_EXPORT_BUTTON};

constexpr int kRecentRows = static_cast<int>(kRecentAgendaCount);

// The sub-commands of the system menu share the low four bits.
constexpr int kSysCommandMask = ~0xF;

}  // namespace

CCalCtrlDlg::CCalCtrlDlg(CGlobals& globals, IUiServices& ui, const IUiMetrics& metrics,
                         const IClock& clock, ISettingsStore* settings)
    : m_globals(globals),
      m_ui(ui),
      m_metrics(metrics),
      m_clock(clock),
      m_calendar(globals, clock, IDC_CALENDAR),
      m_dtLastPeriod(CDateValue::Now(clock)),
      m_pSettings(settings) {}

bool CCalCtrlDlg::OnInitDialog(IDialogWindow& window) {
    CDialog::OnInitDialog(window);

    window.SetButtonBitmap(IDC_NEXT, IDB_NEXT);
    window.SetButtonBitmap(IDC_PREVIOUS, IDB_PREVIOUS);
    window.SetButtonBitmap(IDC_SITE, IDB_LOGO);

    const CControlFont panelFont{"TAHOMA", 15, 600};
    for (int id : kPanelFontControls) {
        window.SetControlFont(id, panelFont);
    }

    const CDateValue now = CDateValue::Now(m_clock);
    m_globals.dtLastPeriod = now;
    m_dtLastPeriod = now.GetDatePart();
    m_dtShown = now;
    m_dtChosen = now.GetDatePart();

    m_globals.szDayText =
        SpanishDateText(m_dtShown.GetDay(), m_dtShown.GetMonth(), m_dtShown.GetYear());
    window.SetControlText(IDC_DAY_TEXT, m_globals.szDayText);
    ShowMonthText();

    // Both moments are now, so this is the first day: week 0's tip and the
    // link of day 1, since day 0 has none.
    ShowWeekTip(ElapsedDays(m_dtShown, m_globals.dtLastPeriod), true);

    DoDataExchange(false);

    if (const std::string_view about = LoadResourceString(IDS_ABOUTBOX); !about.empty()) {
        window.AppendSystemMenu(about, IDM_ABOUTBOX);
    }

    m_calendar.SetImageList(&kItemImages);
    window.SetCheck(IDC_WEEK_VIEW, false);
    window.SetCheck(IDC_MONTH_VIEW, true);

    m_dtShown = CDateValue::Now(m_clock);
    window.SetMinimumClientSize(MinimumClientSize(m_metrics.ScrollBarWidth()));
    LayoutControls();
    HideAgendaControls();

    if (m_pSettings != nullptr) {
        m_remembered = Tidied(m_pSettings->Load());
    }
    if (!m_globals.szAgendaPath.empty()) {
        if (OpenAgendaFile(m_globals.szAgendaPath) != OpenOutcome::refused) {
            // An agenda, or a path with nothing there yet: an empty agenda
            // that the first save creates.
            ShowStartAgenda();
        } else {
            // A file that exists but is not a readable agenda is not taken as
            // the agenda: no later save may overwrite it. The window stays
            // without an agenda.
            m_globals.szAgendaPath.clear();
            ShowWelcome(true);
        }
    } else if (OpenLastAgenda()) {
        ShowStartAgenda();
    } else {
        ShowWelcome(true);
    }
    window.SetFocus(HomeFocusId());
    return false;
}

int CCalCtrlDlg::HomeFocusId() const {
    return m_globals.szAgendaPath.empty() || m_bCreating ? IDC_CREATE_AGENDA : IDC_CALENDAR;
}

void CCalCtrlDlg::ShowStartAgenda() {
    ShowAgendaControls();
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    m_dtLastPeriod = m_globals.dtLastPeriod.GetDatePart();
    DoDataExchange(false);
    RecalcTimeline();
}

void CCalCtrlDlg::DoDataExchange(bool bSaveAndValidate) {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    if (bSaveAndValidate) {
        if (!m_bPickerStandIn) {
            m_dtLastPeriod = window->GetDate(IDC_LAST_PERIOD);
        }
        m_strDueDate = window->GetControlText(IDC_DUE_DATE);
        m_strDaysLeft = window->GetControlText(IDC_DAYS_LEFT);
        m_strWeeks = window->GetControlText(IDC_WEEKS);
        return;
    }
    m_bPickerStandIn = !m_dtLastPeriod.IsValid();
    window->SetDate(IDC_LAST_PERIOD,
                    m_bPickerStandIn ? CDateValue::Now(m_clock).GetDatePart() : m_dtLastPeriod);
    window->SetControlText(IDC_DUE_DATE, m_strDueDate);
    window->SetControlText(IDC_DAYS_LEFT, m_strDaysLeft);
    window->SetControlText(IDC_WEEKS, m_strWeeks);
}

void CCalCtrlDlg::HideAgendaControls() {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    window->ShowControl(IDC_LAST_PERIOD_LABEL, false);
    for (int id : kAgendaControls) {
        window->ShowControl(id, false);
    }
}

void CCalCtrlDlg::ShowAgendaControls() {
    IDialogWindow* window = Window();
    if (window == nullptr) {
        return;
    }
    ShowWelcome(false);
    EnableAndShow(IDC_LAST_PERIOD_LABEL);
    window->SetControlText(IDC_LAST_PERIOD_LABEL, kLastPeriodLabel);
    for (int id : kAgendaControls) {
        EnableAndShow(id);
    }
}

void CCalCtrlDlg::RecalcTimeline() {
    DoDataExchange(true);
    const CDateValue dtNow = CDateValue::Now(m_clock);
    m_globals.dtLastPeriod = m_dtLastPeriod;
    if (m_globals.dtLastPeriod.IsValid()) {
        CStatusTexts texts = StatusTexts(Dating(), dtNow, true);
        m_strDueDate = std::move(texts.strDueDate);
        m_strDaysLeft = std::move(texts.strDaysLeft);
        m_strWeeks = std::move(texts.strWeeks);
    } else {
        m_strDueDate = kNoLastPeriodText;
        m_strDaysLeft = kChooseLastPeriodText;
        m_strWeeks.clear();
    }
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    ShowMonthText();
    // The tip panel follows the new last-period date for the chosen day.
    ShowChosenDayTip();
    DoDataExchange(false);
}

void CCalCtrlDlg::ShowMonthText() {
    m_globals.szMonthText = SpanishDateText(0, m_dtShown.GetMonth(), m_dtShown.GetYear());
    SetPanelText(IDC_MONTH_TEXT, m_globals.szMonthText);
}

void CCalCtrlDlg::SetPanelText(int id, const std::string& text) {
    if (IDialogWindow* window = Window()) {
        window->SetControlText(id, text);
    }
}

void CCalCtrlDlg::OnCommand(int id) {
    switch (id) {
        case IDOK:
            // Enter has no meaning in this window; it must not close it.
            break;
        case IDC_CREATE_AGENDA:
            OnCreateAgenda();
            break;
        case IDC_OPEN_AGENDA:
            OnOpenAgenda();
            break;
        case IDC_NEXT:
            OnNextMonth();
            break;
        case IDC_PREVIOUS:
            OnPreviousMonth();
            break;
        case IDC_SITE:
            OnSiteLink();
            break;
        case IDC_WEEK_VIEW:
            m_calendar.SetView(WMVIEW_WEEK, true);
            break;
        case IDC_MONTH_VIEW:
            m_calendar.SetView(WMVIEW_MONTH, true);
            break;
        case IDC_DELETE_ITEM:
            OnDeleteItem();
            break;
        case IDC_DELETE_ALL:
            OnDeleteAll();
            break;
        case IDC_RESET_ITEMS:
            OnResetItems();
            break;
        case IDC_DATE_RANGE:
            OnDateRange();
            break;
        case IDC_WEIGHT_BUTTON:
            OnWeightChart();
            break;
        case IDC_DATING_BUTTON:
            OnDating();
            break;
        case IDC_PROFILE_BUTTON:
            OnProfile();
            break;
        case IDC_REPORT_BUTTON:
            OnReport();
            break;
        case IDC_EXPORT_BUTTON:
            OnExportCalendar();
            break;
        case IDCANCEL:
            // "Salir" and the close box; Escape does nothing here. Nothing is
            // saved: every change was saved when it was made, or she is asked
            // about the one that was not.
            OnExit();
            break;
        default:
            if (id >= IDC_RECENT_FIRST && id < IDC_RECENT_FIRST + kRecentRows) {
                OnRecentAgenda(id - IDC_RECENT_FIRST);
            } else if (id >= IDC_RECENT_REMOVE_FIRST &&
                       id < IDC_RECENT_REMOVE_FIRST + kRecentRows) {
                OnRemoveRecentAgenda(id - IDC_RECENT_REMOVE_FIRST);
            } else {
                CDialog::OnCommand(id);
            }
            break;
    }
}

void CCalCtrlDlg::OnDateChanged(int id) {
    IDialogWindow* window = Window();
    if (id != IDC_LAST_PERIOD || window == nullptr) {
        return;
    }
    // Choosing the date that is already the agenda's changes nothing (the
    // picker reports a choice in its pop-up after the change it made), but
    // while an agenda is being created any choice ends the creation.
    const bool bSame = !m_bPickerStandIn && window->GetDate(IDC_LAST_PERIOD) == m_dtLastPeriod;
    if (bSame && !m_bCreating) {
        return;
    }
    // The user chose a date: from now on the picker holds the real one.
    m_bPickerStandIn = false;
    OnLastPeriodChanged();
}

void CCalCtrlDlg::OnSysCommand(int nCommand) {
    if ((nCommand & kSysCommandMask) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        m_ui.RunModal(AboutDialogTemplate(), dlgAbout);
    }
}

CDating CCalCtrlDlg::Dating() const {
    return EffectiveDating(m_globals.dtLastPeriod, m_globals.extension);
}

void CCalCtrlDlg::OnDating() {
    CDlgDating dlg(m_clock, m_ui);
    dlg.SetLastPeriod(m_globals.dtLastPeriod);
    dlg.SetScan(m_globals.extension.Scan());
    dlg.SetBirth(m_globals.extension.Birth());
    if (m_ui.RunModal(DatingDialogTemplate(), dlg) != IDOK) {
        return;
    }
    CAgendaExtension extension = m_globals.extension;
    extension.SetScan(dlg.GetScan());
    extension.SetBirth(dlg.GetBirth());
    if (extension == m_globals.extension) {
        return;
    }
    m_globals.extension = std::move(extension);
    RecalcTimeline();
    static_cast<void>(SaveAgenda());
}

void CCalCtrlDlg::OnProfile() {
    CDlgProfile dlg(m_ui);
    dlg.SetProfile(m_globals.extension.Profile());
    if (m_ui.RunModal(ProfileDialogTemplate(), dlg) != IDOK) {
        return;
    }
    CAgendaExtension extension = m_globals.extension;
    extension.SetProfile(dlg.GetProfile());
    if (extension == m_globals.extension) {
        return;
    }
    m_globals.extension = std::move(extension);
    static_cast<void>(SaveAgenda());
}

CWMDateCtrl* CCalCtrlDlg::GetCalendar(int id) {
    return id == IDC_CALENDAR ? &m_calendar : nullptr;
}

std::intptr_t CCalCtrlDlg::OnNotify(const NMWMDATECTRL& nm) {
    if (nm.hdr.idFrom != static_cast<std::uintptr_t>(IDC_CALENDAR)) {
        return 0;
    }
    switch (nm.hdr.code) {
        case NM_CLICK:
            OnCalendarClick(nm);
            break;
        case NM_DBLCLK:
            OnCalendarDblClk(nm);
            break;
        case NM_KEYDOWN:
            OnCalendarKeyDown(nm);
            break;
        case WMN_SHOWMONTH:
            ShowMonthOf(nm.dtDay);
            break;
        default:
            // NM_RCLICK and anything else: nothing to do.
            break;
    }
    return 0;
}

}  // namespace gestalia
