// The main window's set-up, its two states, the timeline as of now and the
// routing of commands, menu entries and notifications.

#include <gmock/gmock.h>

#include <filesystem>
#include <memory>

#include "app/about_dlg.h"
#include "calendar/notify.h"
#include "content/day_links.h"
#include "content/week_tips.h"
#include "model/spanish_text.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

const CDateValue kToday(kYear, kMonth, kDay);

TEST_F(MainWindowTest, StartsWithoutAgendaShowingOnlyTheFourButtons) {
    Start();
    EXPECT_EQ(Visible(), kNoAgendaVisible);
    EXPECT_TRUE(globals.szAgendaPath.empty());
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

// Enter presses the focused button: she starts where it does no harm, never
// on "Salir".
struct StartFocusCase {
    const char* name;
    const char* agenda;  // "": none; "ana.gst" an agenda; "rota.gst" a damaged file
    int focus;
};

class StartFocusTest : public MainWindowTest,
                       public ::testing::WithParamInterface<StartFocusCase> {};

TEST_P(StartFocusTest, IsTheCalendarWithAnAgendaElseCreate) {
    const std::string name = GetParam().agenda;
    std::string path;
    if (name == "ana.gst") {
        path = WriteAgenda(name, CDateValue(2027, 1, 1));
    } else if (!name.empty()) {
        path = tmp.File(name);
        WriteAll(path, std::string("\x01\x02\x03", 3));
    }
    Start(path);
    EXPECT_EQ(window.Focus(), GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(Start, StartFocusTest,
                         ::testing::Values(StartFocusCase{"NoAgenda", "", IDC_CREATE_AGENDA},
                                           StartFocusCase{"Agenda", "ana.gst", IDC_CALENDAR},
                                           StartFocusCase{"DamagedFile", "rota.gst",
                                                          IDC_CREATE_AGENDA}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, OpeningAnAgendaTakesTheFocusToTheCalendar) {
    Start();
    ui.QueueOpenFile(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    window.Click(IDC_OPEN_AGENDA);
    EXPECT_EQ(window.Focus(), IDC_CALENDAR);
}

TEST_F(MainWindowTest, SetUpFillsTheHiddenPanelsForToday) {
    Start();
    EXPECT_EQ(Text(IDC_DAY_TEXT), "15 de Marzo de 2027");
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "Marzo 2027");
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(0)));
    // Day 0 has no link: day 1's stands in.
    const CDayLink day1 = *FindDayLink(1);
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + day1.strTitle);
    EXPECT_EQ(globals.szLinkUrl, day1.strUrl);
    EXPECT_EQ(Text(IDC_DUE_DATE), "");
    EXPECT_EQ(Text(IDC_DAYS_LEFT), "");
    EXPECT_EQ(Text(IDC_WEEKS), "");
}

TEST_F(MainWindowTest, SetUpTakesNowAsLastPeriodAndShowsTodayInThePicker) {
    Start();
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(kYear, kMonth, kDay, 10, 0, 0));
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), kToday);
    EXPECT_EQ(dlg.Shown(), CDateValue(kYear, kMonth, kDay, 10, 0, 0));
}

TEST_F(MainWindowTest, SetUpDressesTheControls) {
    Start();
    EXPECT_EQ(window.Control(IDC_NEXT)->nBitmap, IDB_NEXT);
    EXPECT_EQ(window.Control(IDC_PREVIOUS)->nBitmap, IDB_PREVIOUS);
    EXPECT_EQ(window.Control(IDC_SITE)->nBitmap, IDB_LOGO);
    for (int id : {IDC_TIP_TITLE, IDC_DAY_TEXT, IDC_MONTH_TEXT, IDC_DUE_DATE, IDC_DAYS_LEFT,
                   IDC_WEEKS, IDC_LAST_PERIOD_LABEL, IDC_LAST_PERIOD, IDC_CREATE_AGENDA,
                   IDC_OPEN_AGENDA, IDCANCEL, IDC_WEIGHT_BUTTON}) {
        ASSERT_TRUE(window.Control(id)->font.has_value()) << id;
        EXPECT_EQ(window.Control(id)->font->nPixelHeight, 15) << id;
        EXPECT_EQ(window.Control(id)->font->nWeight, 600) << id;
    }
    EXPECT_FALSE(window.Control(IDC_HINT)->font.has_value());
    EXPECT_FALSE(window.GetCheck(IDC_WEEK_VIEW));
    EXPECT_TRUE(window.GetCheck(IDC_MONTH_VIEW));
    ASSERT_EQ(window.SystemMenu().size(), 1u);
    EXPECT_EQ(window.SystemMenu()[0].strText, "&About Gestalia...");
    EXPECT_EQ(window.SystemMenu()[0].nCommand, IDM_ABOUTBOX);
}

TEST_F(MainWindowTest, SetUpWithAPathOpensTheAgendaAtOnce) {
    const std::string path =
        WriteAgenda("ana.gst", CDateValue(2027, 1, 1, 0, 0, 0), {"Eco", "Analítica"});
    Start(path);
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_TRUE(window.IsControlEnabled(IDC_CALENDAR));
    EXPECT_EQ(Text(IDC_LAST_PERIOD_LABEL), "Fecha de la última regla");
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), CDateValue(2027, 1, 1));
    EXPECT_EQ(globals.listItems.size(), 2u);
    EXPECT_EQ(globals.listItems.at(1).Text(), "Analítica");
    // 1 January to 15 March: 73 days; due 8 October.
    EXPECT_EQ(Text(IDC_DUE_DATE), "Fecha probable de parto: 08/10/2027");
    EXPECT_EQ(Text(IDC_DAYS_LEFT), "Quedan 207 días para ver a tu bebé");
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 10 semanas y 3 días");
    // The title stays empty on this road; the tip panel shows today's week.
    EXPECT_EQ(Text(IDC_AGENDA_TITLE), "");
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(10)));
    EXPECT_EQ(dlg.Calendar().GetMonth(), CDateValue(kYear, kMonth, 1));
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(MainWindowTest, SetUpWithAMissingFileReportsItAndShowsAnEmptyAgenda) {
    const std::string path = tmp.File("nueva.gst");
    Start(path);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].strText.rfind("No puedo abrir el fichero", 0), 0u);
    EXPECT_EQ(ui.MessageBoxes()[0].strCaption, path);
    EXPECT_EQ(Visible(), kAgendaVisible);
    EXPECT_TRUE(globals.listItems.empty());
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), kToday);
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 0 semanas y 0 días");

    // The first save creates the file there.
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 2, 1));
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(ReadAgenda(path).dtLastPeriod, CDateValue(2027, 2, 1));
}

TEST_F(MainWindowTest, SetUpWithADamagedFileSaysSoAndStaysWithoutAgenda) {
    const std::string path = tmp.File("rota.gst");
    WriteAll(path, std::string("\x01\x02\x03", 3));
    Start(path);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("dañado"), std::string::npos);
    EXPECT_EQ(Visible(), kNoAgendaVisible);
    // No later save may overwrite the damaged file.
    EXPECT_TRUE(globals.szAgendaPath.empty());
    EXPECT_EQ(ReadAll(path), std::string("\x01\x02\x03", 3));
}

TEST_F(MainWindowTest, InvalidLastPeriodInTheFileShowsTodayAndANote) {
    const std::string path = WriteAgenda("nula.gst", CDateValue::FromRaw(0.0, DateStatus::null));
    Start(path);
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), kToday);
    EXPECT_FALSE(globals.dtLastPeriod.IsValid());
    EXPECT_EQ(Text(IDC_DUE_DATE), kNoLastPeriodText);
    EXPECT_EQ(Text(IDC_DAYS_LEFT), kChooseLastPeriodText);
    EXPECT_EQ(Text(IDC_WEEKS), "");

    // A click on a day shows its date but no figures.
    dlg.ShowDayInPanels(CDateValue(2027, 3, 20));
    EXPECT_EQ(Text(IDC_DAY_TEXT), "20 de Marzo de 2027");
    EXPECT_EQ(Text(IDC_DUE_DATE), kNoLastPeriodText);

    // Choosing a date makes it the anchor.
    window.ChangeDate(IDC_LAST_PERIOD, CDateValue(2027, 1, 1));
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(2027, 1, 1));
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 10 semanas y 3 días");
}

TEST_F(MainWindowTest, RecalcTimelineUsesThePickerAndNowAndRefreshesTheTip) {
    Start();
    const std::string day = Text(IDC_DAY_TEXT);
    window.SetDate(IDC_LAST_PERIOD, CDateValue(2026, 6, 13));  // 275 days before
    dlg.RecalcTimeline();
    EXPECT_EQ(globals.dtLastPeriod, CDateValue(2026, 6, 13));
    EXPECT_EQ(Text(IDC_DUE_DATE), "Fecha probable de parto: 20/03/2027");
    EXPECT_EQ(Text(IDC_DAYS_LEFT), "Quedan 5 días para ver a tu bebé");
    EXPECT_EQ(Text(IDC_WEEKS), "Estás de 39 semanas y 2 días");
    // The chosen day is today, in week 39; the last link lies in week 30.
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(39)));
    EXPECT_EQ(Text(IDC_TIP_TITLE), std::string(kTipTitlePrefix) + FindDayLink(216)->strTitle);
    EXPECT_EQ(Text(IDC_DAY_TEXT), day);
}

TEST_F(MainWindowTest, SalirEndsTheWindowWithoutWritingAnything) {
    const std::string path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
    const std::string before = ReadAll(path);
    Start(path);
    dlg.Calendar().DeleteAllItems();
    window.Click(IDCANCEL);
    EXPECT_EQ(window.Result(), IDCANCEL);
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(MainWindowTest, NeitherEscapeNorEnterEndsTheWindow) {
    Start();
    dlg.OnCommand(IDOK);
    EXPECT_FALSE(window.Result().has_value());
    window.PressEscape();
    EXPECT_FALSE(window.Result().has_value());
    window.Click(IDCANCEL);
    EXPECT_EQ(window.Result(), IDCANCEL);
}

class SysCommandTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(SysCommandTest, CommandsSixteenToThirtyOneOpenTheAboutBox) {
    Start();
    const int command = GetParam();
    const bool opens = command >= 16 && command <= 31;
    if (opens) {
        ui.QueueDialog([](CFakeDialogWindow& about, IDialogHandler& handler) {
            EXPECT_EQ(about.Caption(), "About Brotela");
            EXPECT_EQ(about.GetControlText(IDC_STATIC), AboutVersionText());
            EXPECT_NE(dynamic_cast<CAboutDlg*>(&handler), nullptr);
            about.Click(IDOK);
        });
    }
    dlg.OnSysCommand(command);
    ASSERT_EQ(ui.Dialogs().size(), opens ? 1u : 0u);
    if (opens) {
        EXPECT_EQ(ui.Dialogs()[0].nTemplateId, 100);
        EXPECT_EQ(ui.Dialogs()[0].nResult, IDOK);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, SysCommandTest, ::testing::Values(15, 16, 17, 31, 32, 0xF060));

TEST_F(MainWindowTest, AboutBoxTextsAreAsDesigned) {
    const CDialogTemplate& about = AboutDialogTemplate();
    EXPECT_EQ(about.id, 100);
    EXPECT_EQ(about.cx, 235);
    EXPECT_EQ(about.cy, 55);
    CFakeDialogWindow w(about);
    EXPECT_EQ(w.GetControlText(IDC_STATIC), "Brotela Version 0.0");
    EXPECT_EQ(w.GetControlText(IDOK), "OK");
}

TEST(AboutBox, NamesTheProgramAndItsVersion) {
    EXPECT_THAT(AboutVersionText(), ::testing::MatchesRegex("Gestalia versión [0-9]+\\.[0-9]+.*"));
}

TEST_F(MainWindowTest, ViewRadiosSwitchTheCalendarView) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1)));
    dlg.OnCommand(IDC_WEEK_VIEW);
    EXPECT_FALSE(dlg.Calendar().IsMonthView());
    dlg.OnCommand(IDC_MONTH_VIEW);
    EXPECT_TRUE(dlg.Calendar().IsMonthView());
}

TEST_F(MainWindowTest, CalendarOfTheWindowIsControlThousand) {
    IDialogHandler& handler = dlg;
    ICalendarParent* parent = handler.AsCalendarParent();
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->GetCalendar(IDC_CALENDAR), &dlg.Calendar());
    EXPECT_EQ(parent->GetCalendar(IDC_WEEK_VIEW), nullptr);
    // The other windows have no calendar to give.
    CAboutDlg about;
    EXPECT_EQ(about.AsCalendarParent(), nullptr);
}

TEST(MainWindowImagesTest, NotesKeepTheirIconsWhenTheWindowIsGone) {
    CGlobals globals;
    const CFixedClock clock(CFixedClock::LocalSeconds(kYear, kMonth, kDay, 10, 0, 0));
    CFakeUiServices ui;
    CFakeUiMetrics metrics;
    {
        auto dlg = std::make_unique<CCalCtrlDlg>(globals, ui, metrics, clock);
        CFakeDialogWindow window(MainDialogTemplate());
        window.Init(*dlg);
        dlg->Calendar().AddItem(kToday, kToday, "Eco", 1, 0.0f);
    }
    ASSERT_EQ(globals.listItems.size(), 1u);
    const CImageList* icons = globals.listItems.at(0).GetImageList();
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->Handle(), IDB_ITEM_ICONS);
    EXPECT_EQ(icons->Count(), 2);
}

TEST_F(MainWindowTest, NotificationsReachTheNoteHandlers) {
    Start(WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"}));
    CWVCellDataItem& item = globals.listItems.at(0);
    NMWMDATECTRL nm;
    nm.hdr.idFrom = IDC_CALENDAR;
    nm.hdr.code = NM_CLICK;
    nm.pItem = &item;
    nm.nItemId = item.GetID();
    EXPECT_EQ(dlg.OnNotify(nm), 0);
    EXPECT_EQ(dlg.SelectedId(), item.GetID());

    // A right click changes nothing.
    nm.hdr.code = NM_RCLICK;
    nm.pItem = nullptr;
    nm.nItemId = 0;
    dlg.OnNotify(nm);
    EXPECT_EQ(dlg.SelectedId(), item.GetID());
}

TEST_F(MainWindowTest, MainTemplateHasEveryControlWithItsText) {
    const CDialogTemplate& t = MainDialogTemplate();
    EXPECT_EQ(t.id, 102);
    EXPECT_EQ(t.strCaption, "Gestalia de \"Brotela\"");
    EXPECT_EQ(t.cx, 500);
    EXPECT_EQ(t.cy, 329);
    EXPECT_TRUE(t.bResizable);
    EXPECT_EQ(t.controls.size(), 43u);
    CFakeDialogWindow w(t);
    EXPECT_EQ(w.GetControlText(IDCANCEL), "Salir");
    EXPECT_EQ(w.GetControlText(IDC_CREATE_AGENDA), "CREAR AGENDA");
    EXPECT_EQ(w.GetControlText(IDC_OPEN_AGENDA), "ABRIR AGENDA YA CREADA");
    EXPECT_EQ(w.GetControlText(IDC_DATING_BUTTON), "Datación");
    EXPECT_EQ(w.GetControlText(IDC_HINT), "* Doble click sobre el día para añadir una nota");
    // The picture buttons' texts name them for screen readers and tooltips.
    EXPECT_EQ(w.GetControlText(IDC_SITE), "Abrir la página web de Gestalia");
    EXPECT_EQ(w.GetControlText(IDC_PREVIOUS), "Mes anterior");
    EXPECT_EQ(w.GetControlText(IDC_NEXT), "Mes siguiente");
    EXPECT_EQ(w.GetControlText(IDC_WEIGHT_BUTTON), "Peso");
    // The hidden commands keep their template rectangles.
    EXPECT_EQ(w.GetControlRect(IDC_DELETE_ITEM), DialogUnitsToPixels({24, 74, 50, 14}));
    EXPECT_EQ(w.GetControlRect(IDC_DELETE_ALL), DialogUnitsToPixels({17, 89, 50, 14}));
    EXPECT_EQ(w.GetControlRect(IDC_RESET_ITEMS), DialogUnitsToPixels({15, 249, 50, 14}));
    EXPECT_EQ(w.GetControlRect(IDC_DATE_RANGE), DialogUnitsToPixels({8, 111, 50, 14}));
    EXPECT_EQ(w.GetControlRect(IDC_ORIGIN).left, 3);
    EXPECT_EQ(w.GetControlRect(IDC_ORIGIN).top, 4);
    for (int id : {IDC_DELETE_ITEM, IDC_DELETE_ALL, IDC_RESET_ITEMS, IDC_DATE_RANGE, IDC_WEEK_VIEW,
                   IDC_MONTH_VIEW, IDC_ORIGIN}) {
        EXPECT_FALSE(w.IsControlVisible(id)) << id;
    }
    // Shown with an agenda: disabled in the template; all but "Peso" hidden.
    EXPECT_FALSE(w.IsControlEnabled(IDC_WEIGHT_BUTTON));
    EXPECT_TRUE(w.IsControlVisible(IDC_WEIGHT_BUTTON));
    EXPECT_FALSE(w.IsControlEnabled(IDC_CALENDAR));
    EXPECT_FALSE(w.IsControlVisible(IDC_CALENDAR));
}

}  // namespace
}  // namespace gestalia::test
