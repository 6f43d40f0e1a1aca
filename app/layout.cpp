// CCalCtrlDlg: the layout of the visible controls from the client size, and
// the colours of the panel controls.

#include <algorithm>
#include <array>

#include "app/cal_ctrl_dlg.h"
#include "app/recent_agendas.h"
#include "calendar/month_layout.h"
#include "model/globals.h"
#include "model/palette.h"
#include "platform/dialog_template.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

struct CPlacement {
    int id;
    Rect rc;
};

// The welcome lies where the calendar goes, which it replaces while no agenda
// is open: the text, the notice under it, then the recent agendas, a row of
// kRecentRowHeight pixels each with its "Quitar" button on the right.
constexpr int kWelcomeLeft = 110;
constexpr int kRecentTop = 208;
constexpr int kRecentRowHeight = 26;
constexpr int kRemoveWidth = 90;
constexpr int kRecentRowCount = static_cast<int>(kRecentAgendaCount);
static_assert(kRecentRowCount == 5, "Placements lists five recent rows");
// Where the calendar's rectangle starts.
constexpr int kCalendarTop = 100;

Rect RecentRow(int w, int n) {
    const int top = kRecentTop + n * kRecentRowHeight;
    return {kWelcomeLeft, top, w - 30 - kRemoveWidth, top + kRecentRowHeight - 2};
}

Rect RecentRemove(int w, int n) {
    const int top = kRecentTop + n * kRecentRowHeight;
    return {w - 20 - kRemoveWidth, top, w - 20, top + kRecentRowHeight - 2};
}

// Every placed control's rectangle for a client area of w x h pixels, in the
// order the controls are moved.
std::array<CPlacement, 36> Placements(int w, int h) {
    const int d = (w - 110) / 2;
    // The left column, from the bottom: "Salir", "Peso", "Informe",
    // "Exportar calendario" in two lines, and above them the two agenda
    // buttons sharing what is left.
    const int e = (h - 285) / 2;
    return {{
        {IDC_CALENDAR, {100, 100, w - 10, h - 100}},
        {IDC_CREATE_AGENDA, {5, 105, 95, 105 + e}},
        {IDC_OPEN_AGENDA, {5, 105 + e, 95, h - 180}},
        {IDCANCEL, {5, h - 50, 95, h - 10}},
        {IDC_WEIGHT_BUTTON, {5, h - 95, 95, h - 60}},
        {IDC_REPORT_BUTTON, {5, h - 130, 95, h - 100}},
        {IDC_EXPORT_BUTTON, {5, h - 175, 95, h - 135}},
        {IDC_PREVIOUS, {100, 70, 200, 100}},
        {IDC_NEXT, {w - 110, 70, w - 10, 100}},
        {IDC_SITE, {0, 0, 100, 100}},
        {IDC_DUE_DATE, {100 + d, 5, w - 10, 25}},
        {IDC_DAYS_LEFT, {100 + d, 25, w - 10, 45}},
        {IDC_WEEKS, {100 + d, 45, w - 10, 65}},
        {IDC_LAST_PERIOD_LABEL, {100, 5, 100 + d, 25}},
        {IDC_LAST_PERIOD, {200, 25, d, 45}},
        {IDC_DATING_BUTTON, {100, 25, 195, 45}},
        // Right of the last-period date, under its label.
        {IDC_PROFILE_BUTTON, {d + 5, 25, 100 + d, 45}},
        {IDC_AGENDA_TITLE, {100, 50, 200 + d, 70}},
        {IDC_MONTH_TEXT, {200, 70, w - 110, 100}},
        {IDC_DAY_TEXT, {100 + d, h - 100, w - 10, h - 80}},
        {IDC_HINT, {100, h - 100, w - 10 - d, h - 80}},
        {IDC_TIP_TEXT, {100, h - 45, w - 10, h - 5}},
        {IDC_TIP_TITLE, {100, h - 80, w - 10, h - 50}},
        {IDC_WELCOME, {kWelcomeLeft, 105, w - 20, 165}},
        {IDC_LAST_AGENDA_GONE, {kWelcomeLeft, 167, w - 20, 185}},
        {IDC_RECENT_TITLE, {kWelcomeLeft, 187, w - 20, 205}},
        {IDC_RECENT_FIRST, RecentRow(w, 0)},
        {IDC_RECENT_REMOVE_FIRST, RecentRemove(w, 0)},
        {IDC_RECENT_FIRST + 1, RecentRow(w, 1)},
        {IDC_RECENT_REMOVE_FIRST + 1, RecentRemove(w, 1)},
        {IDC_RECENT_FIRST + 2, RecentRow(w, 2)},
        {IDC_RECENT_REMOVE_FIRST + 2, RecentRemove(w, 2)},
        {IDC_RECENT_FIRST + 3, RecentRow(w, 3)},
        {IDC_RECENT_REMOVE_FIRST + 3, RecentRemove(w, 3)},
        {IDC_RECENT_FIRST + 4, RecentRow(w, 4)},
        {IDC_RECENT_REMOVE_FIRST + 4, RecentRemove(w, 4)},
    }};
}

// The least room a laid-out control needs to show whole, in pixels, with the
// fonts the window gives it: the panel font (15 pixels, semi-bold) for the
// status texts, the date, the titles and the buttons, the dialog font for the
// hint and the tip text. Widths cover the longest text each one shows: the
// creation label, a due date, the longest link title, the longest day.
struct CControlNeed {
    int id;
    Size size;
};

constexpr std::array<CControlNeed, 22> kControlNeeds = {{
    {IDC_CREATE_AGENDA, {90, 60}},
    {IDC_OPEN_AGENDA, {90, 75}},
    {IDCANCEL, {90, 30}},
    {IDC_WEIGHT_BUTTON, {90, 30}},
    {IDC_REPORT_BUTTON, {90, 30}},
    {IDC_EXPORT_BUTTON, {90, 40}},
    {IDC_PROFILE_BUTTON, {90, 20}},
    {IDC_DUE_DATE, {300, 20}},
    {IDC_DAYS_LEFT, {300, 20}},
    {IDC_WEEKS, {300, 20}},
    {IDC_LAST_PERIOD_LABEL, {320, 20}},
    {IDC_LAST_PERIOD, {120, 20}},
    {IDC_DATING_BUTTON, {90, 20}},
    {IDC_MONTH_TEXT, {150, 30}},
    {IDC_DAY_TEXT, {250, 20}},
    {IDC_HINT, {270, 20}},
    {IDC_TIP_TITLE, {640, 30}},
    {IDC_TIP_TEXT, {300, 40}},
    // The welcome in three lines of the dialog font; the last row's button
    // with room for a file name and its folder.
    {IDC_WELCOME, {440, 60}},
    {IDC_LAST_AGENDA_GONE, {440, 18}},
    {IDC_RECENT_REMOVE_FIRST + 4, {kRemoveWidth, 24}},
    {IDC_RECENT_FIRST + 4, {320, 24}},
}};

// A weekday column of the calendar as wide as its widest day label,
// "(Semana 40)  30", with the label's margins.
constexpr int kDayColumnWidth = 100;

// Client sizes are searched up to this side.
constexpr int kLargestSide = 4096;

bool Fits(const Rect& rc, Size need) {
    return rc.Width() >= need.cx && rc.Height() >= need.cy;
}

bool AllFit(Size client, Size calendarNeed) {
    for (const CPlacement& p : Placements(client.cx, client.cy)) {
        if (p.id == IDC_CALENDAR && !Fits(p.rc, calendarNeed)) {
            return false;
        }
        for (const CControlNeed& need : kControlNeeds) {
            if (need.id == p.id && !Fits(p.rc, need.size)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

Size MinimumClientSize(int nLineHeight) {
    Size calendar = MinimumMonthSize(nLineHeight, kDayColumnWidth);
    // The welcome's rows, which take the calendar's place, fit in it too.
    const int welcomeBottom = kRecentTop + kRecentRowCount * kRecentRowHeight;
    calendar.cy = std::max(calendar.cy, welcomeBottom - kCalendarTop);
    // Every width grows with the client width and every height with the
    // client height, and each depends on that one only: the least width is
    // found with the largest height, and the other way round.
    Size least{kLargestSide, kLargestSide};
    for (int w = 0; w <= kLargestSide; ++w) {
        if (AllFit({w, kLargestSide}, {calendar.cx, 0})) {
            least.cx = w;
            break;
        }
    }
    for (int h = 0; h <= kLargestSide; ++h) {
        if (AllFit({kLargestSide, h}, {0, calendar.cy})) {
            least.cy = h;
            break;
        }
    }
    return least;
}

void CCalCtrlDlg::LayoutControls() {
    IDialogWindow* window = Window();
    if (window == nullptr || !window->HasControl(IDC_CALENDAR)) {
        return;
    }
    const Size client = window->GetClientSize();
    for (const CPlacement& p : Placements(client.cx, client.cy)) {
        if (!window->HasControl(p.id)) {
            continue;
        }
        window->MoveControl(p.id, p.rc);
        switch (p.id) {
            case IDC_SITE:
                // The site button lies over the others' corner: on top, and shown.
                window->RaiseControl(IDC_SITE);
                window->ShowControl(IDC_SITE, true);
                break;
            case IDC_MONTH_TEXT:
                window->SetControlText(p.id, m_globals.szMonthText);
                break;
            case IDC_DAY_TEXT:
                window->SetControlText(p.id, m_globals.szDayText);
                break;
            case IDC_TIP_TEXT:
                window->SetControlText(p.id, m_globals.szTipText);
                break;
            case IDC_TIP_TITLE:
                window->SetControlText(p.id, m_globals.szLinkTitle);
                break;
            default:
                break;
        }
    }
}

void CCalCtrlDlg::OnSize(Size /*client*/) {
    LayoutControls();
    if (IDialogWindow* window = Window()) {
        window->Invalidate(0);
    }
}

std::optional<CCtlColor> CCalCtrlDlg::OnCtlColor(int id) {
    switch (id) {
        case IDC_TIP_TITLE:
            return CCtlColor{palette::kPink, palette::kPalePink};
        case IDC_MONTH_TEXT:
            return CCtlColor{palette::kPink, palette::kWhite};
        case IDC_HINT:
            // Red while the hint says the agenda is not saved.
            return CCtlColor{m_bUnsaved ? palette::kWarningRed : palette::kPink, std::nullopt};
        case IDC_DAY_TEXT:
        case IDC_LAST_AGENDA_GONE:
        case IDC_DUE_DATE:
        case IDC_DAYS_LEFT:
        case IDC_WEEKS:
        case IDC_AGENDA_TITLE:
            return CCtlColor{palette::kPink, std::nullopt};
        default:
            return std::nullopt;
    }
}

}  // namespace gestalia
