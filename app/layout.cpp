// CCalCtrlDlg: the layout of the visible controls from the client size, and
// the colours of the panel controls.

#include <array>

#include "app/cal_ctrl_dlg.h"
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

// Every placed control's rectangle for a client area of w x h pixels, in the
// order the controls are moved.
std::array<CPlacement, 20> Placements(int w, int h) {
    const int d = (w - 110) / 2;
    const int e = (h - 200) / 2;
    return {{
        {IDC_CALENDAR, {100, 100, w - 10, h - 100}},
        {IDC_CREATE_AGENDA, {5, 105, 95, 105 + e}},
        {IDC_OPEN_AGENDA, {5, 105 + e, 95, h - 105}},
        {IDCANCEL, {5, h - 50, 95, h - 10}},
        {IDC_WEIGHT_BUTTON, {5, h - 100, 95, h - 60}},
        {IDC_PREVIOUS, {100, 70, 200, 100}},
        {IDC_NEXT, {w - 110, 70, w - 10, 100}},
        {IDC_SITE, {0, 0, 100, 100}},
        {IDC_DUE_DATE, {100 + d, 5, w - 10, 25}},
        {IDC_DAYS_LEFT, {100 + d, 25, w - 10, 45}},
        {IDC_WEEKS, {100 + d, 45, w - 10, 65}},
        {IDC_LAST_PERIOD_LABEL, {100, 5, 100 + d, 25}},
        {IDC_LAST_PERIOD, {200, 25, d, 45}},
        {IDC_DATING_BUTTON, {100, 25, 195, 45}},
        {IDC_AGENDA_TITLE, {100, 50, 200 + d, 70}},
        {IDC_MONTH_TEXT, {200, 70, w - 110, 100}},
        {IDC_DAY_TEXT, {100 + d, h - 100, w - 10, h - 80}},
        {IDC_HINT, {100, h - 100, w - 10 - d, h - 80}},
        {IDC_TIP_TEXT, {100, h - 45, w - 10, h - 5}},
        {IDC_TIP_TITLE, {100, h - 80, w - 10, h - 50}},
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

constexpr std::array<CControlNeed, 15> kControlNeeds = {{
    {IDC_CREATE_AGENDA, {90, 60}},
    {IDC_OPEN_AGENDA, {90, 75}},
    {IDCANCEL, {90, 30}},
    {IDC_WEIGHT_BUTTON, {90, 30}},
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
    const Size calendar = MinimumMonthSize(nLineHeight, kDayColumnWidth);
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
