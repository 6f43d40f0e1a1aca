// Month navigation, the day and tip panels, and the links to the web site.

#include "content/day_links.h"
#include "content/offline_pages.h"
#include "content/week_tips.h"
#include "model/spanish_text.h"
#include "model/timeline.h"
#include "platform/cached_pages.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

TEST_F(MainWindowTest, NextGoesToTheFirstAndPreviousToTheLastDayOfTheMonth) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    const std::string status = Text(IDC_WEEKS);
    window.Click(IDC_NEXT);
    EXPECT_EQ(dlg.Shown(), CDateValue(2027, 4, 1, 10, 0, 0));
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Abril 2027");
    EXPECT_EQ(globals.szMonthText, "Abril 2027");
    EXPECT_EQ(dlg.Calendar().GetMonth(), CDateValue(2027, 4, 1));
    window.Click(IDC_PREVIOUS);
    EXPECT_EQ(dlg.Shown(), CDateValue(2027, 3, 31, 10, 0, 0));
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Marzo 2027");
    EXPECT_EQ(Text(IDC_WEEKS), status);
    EXPECT_EQ(Text(IDC_DAY_TEXT), "15 de Marzo de 2027");
}

TEST_F(MainWindowTest, NavigationCrossesTheYear) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    for (int i = 0; i < 9; ++i) {
        dlg.OnNextMonth();
    }
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Diciembre 2027");
    dlg.OnNextMonth();
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Enero 2028");
    EXPECT_EQ(dlg.Shown(), CDateValue(2028, 1, 1, 10, 0, 0));
    dlg.OnPreviousMonth();
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Diciembre 2027");
    EXPECT_EQ(dlg.Shown(), CDateValue(2027, 12, 31, 10, 0, 0));
    for (int i = 0; i < 12; ++i) {
        dlg.OnPreviousMonth();
    }
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Diciembre 2026");
}

// The first day with a link after day 1, looked up rather than assumed.
std::int32_t SomeLinkedDay() {
    for (std::int32_t day = 2; day < 300; ++day) {
        if (HasDayLink(day)) {
            return day;
        }
    }
    return -1;
}

TEST_F(MainWindowTest, ClickedDayWithALinkFillsEveryPanel) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    const std::int32_t linked = SomeLinkedDay();
    ASSERT_GT(linked, 1);
    CDateValue day(2027, 1, 1);
    day.AddDays(linked);
    dlg.ShowDayInPanels(day);

    const CDayLink link = *FindDayLink(linked);
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + link.strTitle);
    EXPECT_EQ(globals.szLinkUrl, link.strUrl);
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(*TipWeekIndex(linked))));
    EXPECT_EQ(Text(IDC_WEEKS), FormatWeeksText(TimelineForDay(CDateValue(2027, 1, 1), day)));
    EXPECT_EQ(Text(IDC_DAY_TEXT), SpanishDateText(day.GetDay(), day.GetMonth(), day.GetYear()));
    // The status strings of the window are not changed: a recalculation
    // brings back the figures as of now.
    dlg.RecalcTimeline();
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 10 semanas y 3 días");
}

TEST_F(MainWindowTest, ClickedDayWithoutALinkKeepsThePreviousLink) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    const std::string title = Text(IDC_TIP_TITLE);
    const std::string url = globals.szLinkUrl;
    std::int32_t unlinked = 2;
    while (HasDayLink(unlinked)) {
        ++unlinked;
    }
    CDateValue day(2027, 1, 1);
    day.AddDays(unlinked);
    dlg.ShowDayInPanels(day);
    EXPECT_EQ(Text(IDC_TIP_TITLE), title);
    EXPECT_EQ(globals.szLinkUrl, url);
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(*TipWeekIndex(unlinked))));
}

TEST_F(MainWindowTest, DayBeyondTheTipsKeepsTheTipButUpdatesTheFigures) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    const std::string tip = Text(IDC_TIP_TEXT);
    CDateValue day(2027, 1, 1);
    day.AddDays(294);
    dlg.ShowDayInPanels(day);
    EXPECT_EQ(Text(IDC_TIP_TEXT), tip);
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 42 semanas y 0 días");
}

TEST_F(MainWindowTest, ShowWeekTipFallsBackToDayOneOnlyWhenAsked) {
    Start();
    globals.szLinkTitle = "anterior";
    globals.szLinkUrl = "https://www.gestalia.example/anterior";
    dlg.ShowWeekTip(0, false);
    EXPECT_EQ(globals.szLinkUrl, "https://www.gestalia.example/anterior");
    dlg.ShowWeekTip(0, true);
    EXPECT_EQ(globals.szLinkUrl, FindDayLink(1)->strUrl);
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + FindDayLink(1)->strTitle);
}

TEST_F(MainWindowTest, TipTitlePrefixIsTwentySixCharacters) {
    // "Í" takes two bytes in UTF-8.
    EXPECT_EQ(kTipTitlePrefix.size(), 27u);
    EXPECT_EQ(kTipTitlePrefix.substr(kTipTitlePrefix.size() - 2), ": ");
}

// A point in the middle of the tip title, in client coordinates, as the click
// handler tests it (shifted by the origin marker's position).
Point InsideTipTitle(const CFakeDialogWindow& w) {
    const Rect tip = w.GetControlRect(IDC_TIP_TITLE);
    const Rect origin = w.GetControlRect(IDC_ORIGIN);
    return Point{(tip.left + tip.right) / 2 - origin.left, (tip.top + tip.bottom) / 2 - origin.top};
}

TEST_F(MainWindowTest, ClickOnTheTipTitleOpensTheLinksReadingPageFromTheCache) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    dlg.OnLButtonDown(InsideTipTitle(window));
    ASSERT_EQ(ui.OpenedUrls().size(), 1u);
    // Today is day 73, in week 10: that week's link, whose page the site,
    // a stand-in, does not hold.
    ASSERT_TRUE(IsPlaceholderSite(SiteBaseUrl()));
    const std::string_view page = *OfflinePageFor(FindDayLink(73)->strUrl);
    EXPECT_EQ(ui.OpenedUrls()[0], CachedPageUrl(CacheFolder(), page));
    // The page is there, and the home page it links back to.
    EXPECT_EQ(ReadAll(*CachedPagePath(ui.OpenedUrls()[0], CacheFolder())), *FindOfflinePage(page));
    EXPECT_TRUE(CachedPagePath(CachedPageUrl(CacheFolder(), kHomePage), CacheFolder()));
    EXPECT_EQ(ReadAll(*CachedPagePath(CachedPageUrl(CacheFolder(), kHomePage), CacheFolder())),
              *FindOfflinePage(kHomePage));
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(MainWindowTest, ClickOnTheTipTitleHandsOnAnAddressVerbatim) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    globals.szLinkUrl = "https://www.gestalia.example/a?b=1&c=$(id);d='x'";
    dlg.OnLButtonDown(InsideTipTitle(window));
    ASSERT_EQ(ui.OpenedUrls().size(), 1u);
    EXPECT_EQ(ui.OpenedUrls()[0], "https://www.gestalia.example/a?b=1&c=$(id);d='x'");
}

TEST_F(MainWindowTest, ClickOnTheTipTitleEdgesFollowsTheOriginShift) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    const Rect tip = window.GetControlRect(IDC_TIP_TITLE);
    const Rect origin = window.GetControlRect(IDC_ORIGIN);
    ASSERT_GT(origin.top, 0);
    // Just above the title: the shift moves it inside.
    dlg.OnLButtonDown(Point{tip.left, tip.top - origin.top});
    EXPECT_EQ(ui.OpenedUrls().size(), 1u);
    // The last rows of the title: the shift moves them out.
    dlg.OnLButtonDown(Point{tip.left, tip.bottom - 1});
    EXPECT_EQ(ui.OpenedUrls().size(), 1u);
}

TEST_F(MainWindowTest, ClickElsewhereOpensNothing) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    dlg.OnLButtonDown(Point{10, 10});
    dlg.OnLButtonDown(Point{500, 300});
    EXPECT_TRUE(ui.OpenedUrls().empty());
}

TEST_F(MainWindowTest, ClickWhereTheHiddenTipTitleLiesOpensNothing) {
    Start();
    ASSERT_FALSE(globals.szLinkUrl.empty());
    dlg.OnLButtonDown(InsideTipTitle(window));
    EXPECT_TRUE(ui.OpenedUrls().empty());
}

TEST_F(MainWindowTest, ClickWithoutALinkAddressOpensNothing) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    globals.szLinkUrl.clear();
    dlg.OnLButtonDown(InsideTipTitle(window));
    EXPECT_TRUE(ui.OpenedUrls().empty());
}

TEST_F(MainWindowTest, SiteButtonOpensTheHomePage) {
    Start();
    window.Click(IDC_SITE);
    ASSERT_EQ(ui.OpenedUrls().size(), 1u);
    EXPECT_EQ(ui.OpenedUrls()[0], CachedPageUrl(CacheFolder(), kHomePage));
}

TEST_F(MainWindowTest, WithoutACacheFolderNoPageOpensAndSheIsTold) {
    Start();
    ui.SetCacheFolder(std::nullopt);
    window.Click(IDC_SITE);
    EXPECT_TRUE(ui.OpenedUrls().empty());
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText,
              "No se pueden preparar las páginas de lectura: el sistema no indica una carpeta "
              "para guardarlas.");
    EXPECT_EQ(ui.MessageBoxes()[0].icon, MbIcon::Warning);
}

TEST_F(MainWindowTest, PagesThatCannotBeWrittenOpenNothingAndSheIsTold) {
    Start();
    const std::string blocked = tmp.Write("in-the-way", "a file, not a folder");
    ui.SetCacheFolder(blocked);
    window.Click(IDC_SITE);
    EXPECT_TRUE(ui.OpenedUrls().empty());
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_TRUE(ui.MessageBoxes()[0].strText.starts_with(
        "No se han podido preparar las páginas de lectura:\n"))
        << ui.MessageBoxes()[0].strText;
}

}  // namespace
}  // namespace gestalia::test
