// CCalCtrlDlg: month navigation, the day and tip panels, and the two ways out
// to the web site.

#include "app/cal_ctrl_dlg.h"
#include "content/day_links.h"
#include "content/offline_pages.h"
#include "content/week_tips.h"
#include "model/globals.h"
#include "model/spanish_text.h"
#include "model/timeline.h"
#include "platform/cached_pages.h"
#include "platform/ui_services.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

// The day whose link stands in when the first day has none.
constexpr std::int32_t kFallbackLinkDay = 1;

constexpr std::string_view kCannotOpenPage = "No se ha podido abrir la página web:\n";
constexpr std::string_view kNoCacheFolder =
    "No se pueden preparar las páginas de lectura: el sistema no indica una carpeta para "
    "guardarlas.";
constexpr std::string_view kCannotWritePages =
    "No se han podido preparar las páginas de lectura:\n";

// Moves the date a day at a time, by `step`, until its month changes: the
// first day of the next month or the last day of the previous one, at the
// same time of day. A date that is not valid stays as it is.
void StepToOtherMonth(CDateValue& dt, double step) {
    if (!dt.IsValid()) {
        return;
    }
    const int month = dt.GetMonth();
    constexpr int kMaxSteps = 32;
    for (int i = 0; i < kMaxSteps && dt.GetMonth() == month; ++i) {
        dt.AddDays(step);
    }
}

void Warn(IUiServices& ui, const std::string& text) {
    ui.MessageBox(text, "Gestalia", MbButtons::Ok, MbIcon::Warning, MbDefault::First);
}

}  // namespace

void CCalCtrlDlg::OnNextMonth() {
    StepToOtherMonth(m_dtShown, 1.0);
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    ShowMonthText();
}

void CCalCtrlDlg::OnPreviousMonth() {
    StepToOtherMonth(m_dtShown, -1.0);
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    ShowMonthText();
}

void CCalCtrlDlg::ShowMonthOf(const CDateValue& day) {
    if (!day.IsValid()) {
        return;
    }
    m_dtShown = day;
    m_calendar.ShowMonth(m_dtShown, 0, WMVIEW_MONTH);
    ShowMonthText();
}

void CCalCtrlDlg::ShowChosenDayTip() {
    if (!m_globals.dtLastPeriod.IsValid()) {
        return;
    }
    const CDating dating = Dating();
    if (dating.BornBy(m_dtChosen)) {
        ShowNoTip();
        return;
    }
    const std::int32_t elapsed = ElapsedDays(m_dtChosen, dating.dtLastPeriod);
    // The tip and the day's own link as a click shows them; a day without a
    // link takes its week's, so that the panel never keeps another week's.
    ShowWeekTip(elapsed, false);
    if (HasDayLink(elapsed)) {
        return;
    }
    std::optional<CDayLink> link = FindWeekLink(elapsed);
    if (!link) {
        link = FindDayLink(kFallbackLinkDay);
    }
    if (link) {
        m_globals.szLinkTitle = std::string(kTipTitlePrefix) + link->strTitle;
        SetPanelText(IDC_TIP_TITLE, m_globals.szLinkTitle);
        m_globals.szLinkUrl = link->strUrl;
    }
}

void CCalCtrlDlg::ShowWeekTip(std::int32_t nElapsedDays, bool bWithFallback) {
    if (const std::optional<int> week = TipWeekIndex(nElapsedDays)) {
        if (const std::optional<std::string_view> tip = GetWeekTip(*week)) {
            m_globals.szTipText.assign(*tip);
        }
    }
    SetPanelText(IDC_TIP_TEXT, m_globals.szTipText);

    std::optional<CDayLink> link = FindDayLink(nElapsedDays);
    if (!link && bWithFallback) {
        link = FindDayLink(kFallbackLinkDay);
    }
    if (!link) {
        // The previous title and address stay.
        return;
    }
    m_globals.szLinkTitle = std::string(kTipTitlePrefix) + link->strTitle;
    SetPanelText(IDC_TIP_TITLE, m_globals.szLinkTitle);
    m_globals.szLinkUrl = link->strUrl;
}

void CCalCtrlDlg::ShowDayInPanels(const CDateValue& dtDay) {
    m_dtChosen = dtDay.GetDatePart();
    m_globals.szDayText = SpanishDateText(dtDay.GetDay(), dtDay.GetMonth(), dtDay.GetYear());
    SetPanelText(IDC_DAY_TEXT, m_globals.szDayText);

    if (!m_globals.dtLastPeriod.IsValid()) {
        // Without a last-period date there are no figures and no week to show.
        SetPanelText(IDC_DUE_DATE, std::string(kNoLastPeriodText));
        SetPanelText(IDC_DAYS_LEFT, std::string(kChooseLastPeriodText));
        SetPanelText(IDC_WEEKS, std::string());
        return;
    }
    const CDating dating = Dating();
    const CStatusTexts texts = StatusTexts(dating, dtDay, false);
    // Straight into the controls: the next recalculation reads them back and
    // puts the figures as of now in their place.
    SetPanelText(IDC_DUE_DATE, texts.strDueDate);
    SetPanelText(IDC_DAYS_LEFT, texts.strDaysLeft);
    SetPanelText(IDC_WEEKS, texts.strWeeks);
    if (dating.BornBy(dtDay)) {
        ShowNoTip();
        return;
    }
    ShowWeekTip(ElapsedDays(dtDay, dating.dtLastPeriod), false);
}

void CCalCtrlDlg::ShowNoTip() {
    // Once the baby is born there is no pregnancy week to advise on.
    m_globals.szTipText.clear();
    m_globals.szLinkTitle.clear();
    m_globals.szLinkUrl.clear();
    SetPanelText(IDC_TIP_TEXT, m_globals.szTipText);
    SetPanelText(IDC_TIP_TITLE, m_globals.szLinkTitle);
}

void CCalCtrlDlg::OnLButtonDown(Point pt) {
    IDialogWindow* window = Window();
    if (window == nullptr || m_globals.szLinkUrl.empty()) {
        return;
    }
    // The click point is shifted by the position of the origin marker 1032
    // (top-left of the client area) and tested against the tip title. The
    // title only takes clicks while it is shown.
    const Rect origin = window->GetControlRect(IDC_ORIGIN);
    const Point at{pt.x + origin.left, pt.y + origin.top};
    if (window->IsControlVisible(IDC_TIP_TITLE) &&
        window->GetControlRect(IDC_TIP_TITLE).Contains(at)) {
        OpenPage(m_globals.szLinkUrl);
    }
}

void CCalCtrlDlg::OnSiteLink() {
    OpenPage(std::string(SiteBaseUrl()));
}

void CCalCtrlDlg::OpenPage(const std::string& url) {
    std::string address = url;
    // While the site is a stand-in its pages are the program's own: they are
    // written out afresh and the browser reads them from the cache folder.
    if (const std::optional<std::string_view> page = OfflinePageFor(url);
        page && IsPlaceholderSite(SiteBaseUrl())) {
        const std::optional<std::string> folder = m_ui.CacheFolder();
        if (!folder) {
            Warn(m_ui, std::string(kNoCacheFolder));
            return;
        }
        if (const Status written = WriteCachedPages(*folder); !written) {
            Warn(m_ui, std::string(kCannotWritePages) + written.error().message);
            return;
        }
        address = CachedPageUrl(*folder, *page);
    }
    if (!m_ui.OpenUrl(address)) {
        Warn(m_ui, std::string(kCannotOpenPage) + address);
    }
}

}  // namespace gestalia
