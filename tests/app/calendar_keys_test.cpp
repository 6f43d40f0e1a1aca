// The main window's side of the calendar's keys and of the chosen day: the
// month that follows the chosen day, Delete on a note, the tip of the chosen
// day's week, a web page that cannot be opened, and the least window size.

#include "calendar/keys.h"
#include "calendar/month_layout.h"
#include "calendar/notify.h"
#include "content/day_links.h"
#include "content/offline_pages.h"
#include "content/week_tips.h"
#include "platform/cached_pages.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

class CalendarKeysTest : public MainWindowTest {
  protected:
    // The record the calendar sends for Delete on a note.
    NMWMDATECTRL DeleteKey(std::int32_t id) {
        NMWMDATECTRL nm;
        nm.hdr.idFrom = IDC_CALENDAR;
        nm.hdr.code = NM_KEYDOWN;
        nm.nKey = VK_DELETE;
        nm.pItem = globals.listItems.Find(id);
        nm.nItemId = id;
        return nm;
    }
};

TEST_F(CalendarKeysTest, TheChosenDayStartsAsToday) {
    Start();
    EXPECT_EQ(dlg.Chosen(), CDateValue(kYear, kMonth, kDay));
    dlg.ShowDayInPanels(CDateValue(2027, 4, 2));
    EXPECT_EQ(dlg.Chosen(), CDateValue(2027, 4, 2));
}

TEST_F(CalendarKeysTest, TheMonthFollowsTheChosenDayAsTheArrowsMoveIt) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    NMWMDATECTRL nm;
    nm.hdr.idFrom = IDC_CALENDAR;
    nm.hdr.code = WMN_SHOWMONTH;
    nm.dtDay = CDateValue(2027, 5, 3);
    EXPECT_EQ(dlg.OnNotify(nm), 0);
    EXPECT_EQ(dlg.Calendar().GetMonth(), CDateValue(2027, 5, 1));
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Mayo 2027");
    // A recalculation keeps that month.
    dlg.RecalcTimeline();
    EXPECT_EQ(dlg.Calendar().GetMonth(), CDateValue(2027, 5, 1));
}

TEST_F(CalendarKeysTest, DeleteAsksThenDeletesTheNoteAndSavesIt) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco", "Analítica"});
    Start(path);
    const std::int32_t id = globals.listItems.at(0).GetID();
    ui.QueueMessageBox(IDNO);
    dlg.OnNotify(DeleteKey(id));
    EXPECT_EQ(globals.listItems.size(), 2u);
    EXPECT_EQ(ReadAgenda(path).items.size(), 2u);

    ui.QueueMessageBox(IDYES);
    dlg.OnNotify(DeleteKey(id));
    ASSERT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_EQ(ui.MessageBoxes()[1].strText, "¿Desea borrar esta anotación?");
    EXPECT_EQ(globals.listItems.size(), 1u);
    const CAgendaData saved = ReadAgenda(path);
    ASSERT_EQ(saved.items.size(), 1u);
    EXPECT_EQ(saved.items[0].strText, "Analítica");
    EXPECT_EQ(dlg.SelectedId(), id);
}

TEST_F(CalendarKeysTest, OtherKeysAndDeleteWithoutANoteDoNothing) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    Start(path);
    NMWMDATECTRL nm = DeleteKey(globals.listItems.at(0).GetID());
    nm.nKey = VK_F2;
    dlg.OnNotify(nm);
    nm = DeleteKey(0);
    dlg.OnNotify(nm);
    EXPECT_TRUE(ui.MessageBoxes().empty());
    EXPECT_EQ(globals.listItems.size(), 1u);
}

TEST_F(CalendarKeysTest, ANewLastPeriodShowsTheTipOfTheChosenDaysWeek) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    dlg.ShowDayInPanels(CDateValue(2027, 1, 31));
    // From 1 December 2026 the chosen day is day 61, without a link of its
    // own, in week 8 (days 56 to 62), whose first link is day 58's.
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2026, 12, 1));
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(8)));
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + FindDayLink(58)->strTitle);
    EXPECT_EQ(globals.szLinkUrl, FindDayLink(58)->strUrl);
    EXPECT_EQ(Text(IDC_DAY_TEXT), "31 de Enero de 2027");
}

TEST_F(CalendarKeysTest, ADayWithItsOwnLinkKeepsIt) {
    // Today is day 177, in week 25, whose first link is day 175's.
    Start(WriteAgenda("ana.gst", CDateValue(2026, 9, 19)));
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + FindDayLink(177)->strTitle);
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(25)));
}

TEST_F(CalendarKeysTest, AWebPageThatCannotBeOpenedSaysSo) {
    Start();
    ui.SetOpenUrlResult(false);
    window.Click(IDC_SITE);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText,
              "No se ha podido abrir la página web:\n" + CachedPageUrl(CacheFolder(), kHomePage));
    EXPECT_EQ(ui.MessageBoxes()[0].icon, MbIcon::Warning);
}

TEST_F(CalendarKeysTest, APageThatOpensSaysNothing) {
    Start();
    window.Click(IDC_SITE);
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

// With 17-pixel lines: the tip title (640 wide) and the date picker (120 wide,
// ending at (W - 110) / 2) need a width of 750; a calendar that shows a note
// line in every row needs 238 pixels, so a height of 438.
TEST_F(CalendarKeysTest, TheLeastSizeComesFromTheLayout) {
    EXPECT_EQ(MinimumClientSize(17), (Size{750, 438}));
    Start();
    EXPECT_EQ(window.MinimumClientSize(), MinimumClientSize(17));
    window.Resize(MinimumClientSize(17));
    const Size calendar = MinimumMonthSize(17, 100);
    EXPECT_GE(window.GetControlRect(IDC_CALENDAR).Width(), calendar.cx);
    EXPECT_GE(window.GetControlRect(IDC_CALENDAR).Height(), calendar.cy);
    EXPECT_GE(window.GetControlRect(IDC_LAST_PERIOD).Width(), 120);
    for (const CFakeControl& c : window.Controls()) {
        if (c.bVisible) {
            EXPECT_FALSE(c.rc.IsEmpty()) << c.tmpl.id;
        }
    }
}

}  // namespace
}  // namespace gestalia::test
