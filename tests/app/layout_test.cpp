// The layout of the main window from its client size, and the panel colours.

#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

struct Placed {
    int id;
    Rect rc;
};

class LayoutTest : public MainWindowTest {
  protected:
    void ResizeTo(Size client) { window.Resize(client); }
};

TEST_F(LayoutTest, PlacesEveryControlForAThousandBySevenHundred) {
    Start();
    ResizeTo({1000, 700});
    // d = 445, e = 207.
    const std::vector<Placed> expected = {
        {IDC_CALENDAR, {100, 100, 990, 600}},
        {IDC_CREATE_AGENDA, {5, 105, 95, 312}},
        {IDC_OPEN_AGENDA, {5, 312, 95, 520}},
        {IDCANCEL, {5, 650, 95, 690}},
        {IDC_WEIGHT_BUTTON, {5, 605, 95, 640}},
        {IDC_REPORT_BUTTON, {5, 570, 95, 600}},
        {IDC_EXPORT_BUTTON, {5, 525, 95, 565}},
        {IDC_PROFILE_BUTTON, {450, 25, 545, 45}},
        {IDC_PREVIOUS, {100, 70, 200, 100}},
        {IDC_NEXT, {890, 70, 990, 100}},
        {IDC_SITE, {0, 0, 100, 100}},
        {IDC_DUE_DATE, {545, 5, 990, 25}},
        {IDC_DAYS_LEFT, {545, 25, 990, 45}},
        {IDC_WEEKS, {545, 45, 990, 65}},
        {IDC_LAST_PERIOD_LABEL, {100, 5, 545, 25}},
        {IDC_LAST_PERIOD, {200, 25, 445, 45}},
        {IDC_AGENDA_TITLE, {100, 50, 645, 70}},
        {IDC_MONTH_TEXT, {200, 70, 890, 100}},
        {IDC_DAY_TEXT, {545, 600, 990, 620}},
        {IDC_HINT, {100, 600, 545, 620}},
        {IDC_TIP_TEXT, {100, 655, 990, 695}},
        {IDC_TIP_TITLE, {100, 620, 990, 650}},
    };
    for (const Placed& p : expected) {
        EXPECT_EQ(window.GetControlRect(p.id), p.rc) << "control " << p.id;
    }
}

TEST_F(LayoutTest, OddWidthMakesTheDayAndHintStaticsOverlapByOnePixel) {
    Start();
    ResizeTo({1001, 700});
    EXPECT_EQ(window.GetControlRect(IDC_DAY_TEXT).left, 545);
    EXPECT_EQ(window.GetControlRect(IDC_HINT).right, 546);
}

TEST_F(LayoutTest, ControlsNotLaidOutKeepTheirTemplateRectangles) {
    Start();
    ResizeTo({1000, 700});
    for (int id : {IDC_WEEK_VIEW, IDC_MONTH_VIEW, IDC_DELETE_ITEM, IDC_DELETE_ALL, IDC_RESET_ITEMS,
                   IDC_DATE_RANGE, IDC_ORIGIN}) {
        EXPECT_EQ(window.GetControlRect(id), DialogUnitsToPixels(window.Control(id)->tmpl.rect))
            << id;
    }
}

TEST_F(LayoutTest, SmallWindowGivesInvertedRectanglesAsComputed) {
    Start();
    ResizeTo({300, 150});
    // d = 95: the picker ends left of where it starts.
    EXPECT_EQ(window.GetControlRect(IDC_LAST_PERIOD), (Rect{200, 25, 95, 45}));
    EXPECT_EQ(window.GetControlRect(IDC_CALENDAR), (Rect{100, 100, 290, 50}));
}

TEST_F(LayoutTest, KeepsVisibilityButRaisesAndShowsTheSiteButton) {
    Start();
    ResizeTo({1000, 700});
    EXPECT_EQ(Visible(), kNoAgendaVisible);
    ASSERT_FALSE(window.RaisedIds().empty());
    EXPECT_EQ(window.RaisedIds().back(), IDC_SITE);
}

TEST_F(LayoutTest, PutsThePanelTextsBackAfterMoving) {
    Start();
    globals.szMonthText = "mes";
    globals.szDayText = "día";
    globals.szTipText = "consejo";
    globals.szLinkTitle = "título";
    ResizeTo({900, 600});
    EXPECT_EQ(Text(IDC_MONTH_TEXT), "mes");
    EXPECT_EQ(Text(IDC_DAY_TEXT), "día");
    EXPECT_EQ(Text(IDC_TIP_TEXT), "consejo");
    EXPECT_EQ(Text(IDC_TIP_TITLE), "título");
}

TEST_F(LayoutTest, MovesNothingBeforeTheWindowExists) {
    dlg.LayoutControls();
    dlg.OnSize({1000, 700});
    EXPECT_EQ(window.GetControlRect(IDC_CALENDAR),
              DialogUnitsToPixels(window.Control(IDC_CALENDAR)->tmpl.rect));
}

struct ColourCase {
    int id;
    std::optional<CCtlColor> colours;
};

class CtlColorTest : public MainWindowTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(CtlColorTest, GivesThePanelColours) {
    const std::optional<CCtlColor> got = dlg.OnCtlColor(GetParam().id);
    ASSERT_EQ(got.has_value(), GetParam().colours.has_value());
    if (got) {
        EXPECT_EQ(got->crText, GetParam().colours->crText);
        EXPECT_EQ(got->crBack, GetParam().colours->crBack);
    }
}

constexpr Colour kAccent = RGB(238, 62, 115);
INSTANTIATE_TEST_SUITE_P(
    Controls, CtlColorTest,
    ::testing::Values(ColourCase{IDC_TIP_TITLE, CCtlColor{kAccent, RGB(253, 190, 209)}},
                      ColourCase{IDC_DAY_TEXT, CCtlColor{kAccent, std::nullopt}},
                      ColourCase{IDC_HINT, CCtlColor{kAccent, std::nullopt}},
                      ColourCase{IDC_MONTH_TEXT, CCtlColor{kAccent, RGB(255, 255, 255)}},
                      ColourCase{IDC_DUE_DATE, CCtlColor{kAccent, std::nullopt}},
                      ColourCase{IDC_DAYS_LEFT, CCtlColor{kAccent, std::nullopt}},
                      ColourCase{IDC_WEEKS, CCtlColor{kAccent, std::nullopt}},
                      ColourCase{IDC_AGENDA_TITLE, CCtlColor{kAccent, std::nullopt}},
                      ColourCase{IDC_TIP_TEXT, std::nullopt},
                      ColourCase{IDC_LAST_PERIOD_LABEL, std::nullopt},
                      ColourCase{IDCANCEL, std::nullopt}, ColourCase{0, std::nullopt}));

}  // namespace
}  // namespace gestalia::test
