// Painting of the month view on a recording surface: background, header, cell
// fills and grid, then day labels, today and selection marks, item lines and
// the overflow marker, with the rectangles the paint records for the mouse.

#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/draw_surface.h"
#include "model/contrast.h"
#include "model/palette.h"
#include "tests/calendar/calendar_fixture.h"

namespace gestalia::test {
namespace {

constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kBlack = RGB(0, 0, 0);
constexpr Colour kPinkText = RGB(238, 62, 115);
constexpr Colour kGreen = RGB(169, 216, 50);
constexpr Colour kPink = RGB(253, 190, 209);
constexpr Colour kNoteBack = RGB(255, 255, 255);
constexpr std::uint32_t kLabelFlags = kTextRight | kTextBottom | kTextSingleLine | kTextEndEllipsis;
constexpr std::uint32_t kItemFlags = kTextLeft | kTextVCentre | kTextSingleLine | kTextEndEllipsis;

using MonthPaint = CalendarFixture;

TEST_F(MonthPaint, EraseFillsTheClientWithTheBackground) {
    ctrl.OnEraseBkgnd(surface);
    ASSERT_EQ(surface.Calls().size(), 1u);
    EXPECT_TRUE(surface.HasFill({0, 0, 465, 265}, kWhite));
}

TEST_F(MonthPaint, WeekViewPaintsNothingAndEmptiesCellRectangles) {
    ShowMarch();
    Paint();
    ASSERT_FALSE(ctrl.GetCell(1)->m_rcCell.IsEmpty());
    ctrl.SetView(WMVIEW_WEEK, true);
    Paint();
    EXPECT_EQ(surface.Calls().size(), 1u) << "only the background";
    for (int i = 1; i <= kCells; ++i) {
        EXPECT_TRUE(ctrl.GetCell(i)->m_rcCell.IsEmpty());
    }
}

TEST_F(MonthPaint, HeaderBandFrameAndLabels) {
    ShowMarch();
    Paint();
    EXPECT_TRUE(surface.HasFill({0, 0, 465, 17}, RGB(238, 62, 115)));
    EXPECT_TRUE(surface.HasLine({0, 0}, {464, 0}, kWhite));
    EXPECT_TRUE(surface.HasLine({0, 0}, {0, 16}, kWhite));
    EXPECT_TRUE(surface.HasLine({464, 0}, {464, 17}, kWhite));
    EXPECT_TRUE(surface.HasLine({0, 16}, {465, 16}, kWhite));

    const char* names[] = {"Lunes", "Martes", "Miércoles", "Jueves", "Viernes"};
    const Rect rects[] = {
        {2, 2, 76, 16}, {77, 2, 154, 16}, {155, 2, 232, 16}, {233, 2, 310, 16}, {311, 2, 388, 16}};
    for (int k = 0; k < 5; ++k) {
        const auto text = surface.FindText(names[k]);
        ASSERT_TRUE(text.has_value()) << names[k];
        EXPECT_EQ(text->rc, rects[k]);
        EXPECT_EQ(text->flags, kTextCentre | kTextVCentre | kTextSingleLine | kTextEndEllipsis);
        EXPECT_EQ(text->colour, kWhite);
        EXPECT_EQ(text->font, (CFontSpec{"TAHOMA", 85, 400}));
    }
    const auto weekend = surface.FindText("Sáb/Dom");
    ASSERT_TRUE(weekend.has_value());
    EXPECT_EQ(weekend->rc, (Rect{389, 2, 466, 16}));
    EXPECT_EQ(weekend->flags, kTextCentre | kTextBottom | kTextSingleLine | kTextEndEllipsis);

    for (int x : {77, 155, 233, 311, 389, 467}) {
        EXPECT_TRUE(surface.HasLine({x, 2}, {x, 15}, kWhite)) << x;  // frame colour
        EXPECT_TRUE(surface.HasLine({x + 1, 2}, {x + 1, 15}, kWhite)) << x + 1;
    }
}

TEST_F(MonthPaint, HeaderFrameUsesTheFrameColour) {
    ctrl.m_crHeaderFrame = RGB(1, 2, 3);
    ShowMarch();
    Paint();
    EXPECT_TRUE(surface.HasLine({464, 0}, {464, 17}, RGB(1, 2, 3)));
    EXPECT_TRUE(surface.HasLine({0, 16}, {465, 16}, RGB(1, 2, 3)));
    EXPECT_TRUE(surface.HasLine({77, 2}, {77, 15}, RGB(1, 2, 3)));
    EXPECT_TRUE(surface.HasLine({78, 2}, {78, 15}, kWhite));
    EXPECT_TRUE(surface.HasLine({0, 0}, {464, 0}, kWhite));
}

TEST_F(MonthPaint, GridLinesInFixedColourEvenWhenHeaderChanges) {
    ctrl.m_crHeader = RGB(9, 9, 9);
    ShowMarch();
    Paint();
    const Colour grid = RGB(238, 62, 115);
    for (int y : {59, 101, 143, 185, 227, 269}) {
        EXPECT_TRUE(surface.HasLine({0, y}, {465, y}, grid)) << y;
    }
    for (int x : {78, 156, 234, 312, 390}) {
        EXPECT_TRUE(surface.HasLine({x, 17}, {x, 265}, grid)) << x;
    }
    for (int y : {38, 80, 122, 164, 206, 248}) {
        EXPECT_TRUE(surface.HasLine({390, y}, {465, y}, grid)) << y;
    }
    EXPECT_TRUE(surface.HasFill({0, 0, 465, 17}, RGB(9, 9, 9)));
}

TEST_F(MonthPaint, RecordsCellRectanglesAndFillsCellsInTheirColours) {
    globals.dtLastPeriod = CDateValue(2027, 3, 1);
    ShowMarch();
    Paint();
    EXPECT_EQ(ctrl.GetCell(1)->m_rcCell, (Rect{0, 17, 78, 59}));
    EXPECT_EQ(ctrl.GetCell(1)->m_rcLabel, (Rect{2, 18, 77, 35}));
    EXPECT_EQ(ctrl.GetCell(6)->m_rcCell, (Rect{391, 17, 465, 38}));
    EXPECT_EQ(ctrl.GetCell(7)->m_rcCell, (Rect{391, 39, 465, 60}));
    EXPECT_TRUE(surface.HasFill({79, 17, 156, 59}, kPink)) << "2 March, a link day";
    EXPECT_TRUE(surface.HasFill({0, 227, 78, 269}, RGB(240, 240, 240))) << "5 April";
    // Saturday fills its label band to the right edge, then its cell; Sunday its cell only.
    const int satLabel = surface.IndexOfFill({392, 18, 465, 35}, kWhite);
    const int satCell = surface.IndexOfFill({391, 17, 465, 38}, kWhite);
    EXPECT_GE(satLabel, 0);
    EXPECT_GT(satCell, satLabel);
    EXPECT_TRUE(surface.HasFill({391, 39, 465, 60}, kWhite));
    EXPECT_FALSE(surface.HasFill({392, 39, 465, 57}, kWhite));
}

TEST_F(MonthPaint, SaturdayColourRunsAcrossTheTopWhenSundayDiffers) {
    // 31 July 2027 is a Saturday; 1 August, below it, starts the shown month.
    ctrl.ShowMonth(CDateValue(2027, 8, 1), 0, WMVIEW_MONTH);
    Paint();
    EXPECT_EQ(surface.LastFillAt({464, 20}), RGB(240, 240, 240));
    EXPECT_EQ(surface.LastFillAt({400, 45}), kWhite);
}

struct LabelCase {
    CDateValue lastPeriod;
    CDateValue shown;
    int index;
    const char* label;
};

class DayLabelTest : public CalendarFixture, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(DayLabelTest, ShowsDayMonthOrWeek) {
    globals.dtLastPeriod = GetParam().lastPeriod;
    ctrl.ShowMonth(GetParam().shown, 0, WMVIEW_MONTH);
    Paint();
    const auto texts = surface.TextsIn(ctrl.GetCell(GetParam().index)->m_rcLabel);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, GetParam().label);
    EXPECT_EQ(texts[0].colour, kPinkText);
    EXPECT_EQ(texts[0].flags, kLabelFlags);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, DayLabelTest,
    ::testing::Values(
        LabelCase{{2027, 3, 1}, {2027, 3, 1}, 1, "1 de Marzo"},  // week 0 does not show
        LabelCase{{2027, 3, 1}, {2027, 3, 1}, 8, "(Semana 1)  8"},
        LabelCase{{2027, 3, 1}, {2027, 3, 1}, 9, "9"},
        LabelCase{{2027, 3, 1}, {2027, 3, 1}, 32, "1 de Abril"},
        LabelCase{{2027, 3, 1}, {2027, 3, 1}, 36, "(Semana 5)  5"},
        LabelCase{{2027, 2, 10}, {2027, 3, 1}, 3, "(Semana 3)  3"},
        LabelCase{{2027, 1, 1}, {2027, 8, 1}, 1, "26 de Julio"},
        LabelCase{{2027, 1, 1}, {2027, 8, 1}, 7, "1 de Agosto"},
        // 294 days before 23 December 2027 is week 42; 301 days (week 43) is not labelled.
        LabelCase{{2027, 3, 4}, {2027, 12, 1}, 25, "(Semana 42)  23"},
        LabelCase{{2027, 2, 25}, {2027, 12, 1}, 25, "23"},
        // Before the last period no week shows.
        LabelCase{{2027, 3, 15}, {2027, 3, 1}, 8, "8"}));

TEST_F(MonthPaint, TodayGetsGreenBandAndLineButNoBoxUnlessSelected) {
    ShowMarch();
    Paint();
    // 10 March: label (159, 60, 233, 77) moved one pixel left.
    EXPECT_TRUE(surface.HasFill({158, 60, 232, 77}, kGreen));
    EXPECT_TRUE(surface.HasLine({158, 77}, {232, 77}, kWhite));
    EXPECT_FALSE(surface.HasFill({220, 60, 232, 77}, host.m_crHighlight));
    const auto texts = surface.TextsIn({158, 60, 232, 77});
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "10");
    EXPECT_EQ(texts[0].colour, kPinkText);
    EXPECT_TRUE(ctrl.GetToday() == CDateValue(2027, 3, 10)) << "cut to midnight by the paint";
}

TEST_F(MonthPaint, TodaySelectedGetsHighlightBoxAsWideAsTheDayNumber) {
    ShowMarch();
    Paint();
    ctrl.OnLButtonDown({190, 90});
    Paint();
    EXPECT_TRUE(surface.HasFill({158, 60, 232, 77}, kGreen));
    EXPECT_TRUE(surface.HasFill({220, 60, 232, 77}, host.m_crHighlight)) << "\"10\", 12 pixels";
}

TEST_F(MonthPaint, TodayChosenOnTheFirstHasItsWholeLabelOnTheHighlight) {
    clock.Set(CFixedClock::LocalSeconds(2027, 3, 1, 8, 0));
    ShowMarch();
    Paint();
    ctrl.OnLButtonDown({30, 50});
    Paint();
    // "1 de Marzo": 10 characters, 60 pixels, wider than "March, 01", at the
    // right end of (1, 18, 76, 35).
    EXPECT_TRUE(surface.HasFill({16, 18, 76, 35}, host.m_crHighlight));
}

// The chosen day's label reads on the highlight (WCAG AA, 4.5:1), whatever
// highlight the desktop has: Qt's, Windows', GNOME's, a light one, a pink one.
class ChosenLabelTest : public CalendarFixture, public ::testing::WithParamInterface<Colour> {};

TEST_P(ChosenLabelTest, ReadsOnTheHighlight) {
    host.m_crHighlight = GetParam();
    ShowMarch();
    Paint();
    for (const Point at : {Point{100, 50}, Point{190, 90}}) {  // 2 March; today, 10 March
        ctrl.OnLButtonDown(at);
        Paint();
        const CWVCellData& cell = *ctrl.GetSelectedCell();
        const std::vector<DrawCall> texts = surface.Texts();
        const auto label = std::find_if(texts.begin(), texts.end(), [&](const DrawCall& call) {
            return call.flags == kLabelFlags && call.rc.top <= cell.m_rcLabel.top + 1 &&
                   call.rc.bottom >= cell.m_rcLabel.bottom && call.rc.left <= cell.m_rcLabel.left &&
                   call.rc.right >= cell.m_rcLabel.left;
        });
        ASSERT_NE(label, texts.end());
        EXPECT_EQ(surface.LastFillAt({label->rc.right - 2, label->rc.bottom - 2}), GetParam());
        EXPECT_GE(ContrastRatio(label->colour, GetParam()), kMinimumTextContrast)
            << "day " << cell.m_nIndex;
    }
}

INSTANTIATE_TEST_SUITE_P(Highlights, ChosenLabelTest,
                         ::testing::Values(RGB(48, 140, 198), RGB(0, 120, 215), RGB(53, 132, 228),
                                           RGB(204, 232, 255), palette::kPink, palette::kPalePink));

TEST_F(MonthPaint, SelectedDayGetsItsBandMovedOnePixelLeftAndDown) {
    ShowMarch();
    Paint();
    ctrl.OnLButtonDown({100, 50});  // 2 March
    Paint();
    EXPECT_TRUE(surface.HasFill({80, 19, 154, 36}, host.m_crHighlight));
    const auto texts = surface.TextsIn({80, 19, 154, 36});
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].colour, kBlack) << "reads better than white on Windows' blue";
}

TEST_F(MonthPaint, ItemLineFillsSlotAndDrawsText) {
    ShowMarch();
    const std::int32_t id = AddNote(CDateValue(2027, 3, 1, 9, 30), "Consulta");
    Paint();
    EXPECT_EQ(Item(id)->GetItemRect(), (Rect{1, 37, 77, 53}));
    EXPECT_TRUE(surface.HasFill({1, 37, 77, 53}, kNoteBack));
    const auto text = surface.FindText("Consulta");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rc, (Rect{1, 37, 77, 50})) << "one line of 13 pixels";
    EXPECT_EQ(text->flags, kItemFlags);
    EXPECT_EQ(text->colour, kBlack);
    EXPECT_TRUE(surface.Rectangles().empty()) << "no marker";
}

TEST_F(MonthPaint, ItemLineUsesTheItemColour) {
    ShowMarch();
    const std::int32_t id = AddNote(CDateValue(2027, 3, 1), "x");
    ctrl.SetItemColour(id, RGB(10, 20, 30));
    Paint();
    EXPECT_TRUE(surface.HasFill({1, 37, 77, 53}, RGB(10, 20, 30)));
}

TEST_F(MonthPaint, TwentyFourHourItemsStartWithTheirTime) {
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 1, WMVIEW_MONTH);
    AddNote(CDateValue(2027, 3, 2, 9, 30), "Consulta");
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_MONTH);
    AddNote(CDateValue(2027, 3, 3, 9, 30), "Consulta");
    Paint();
    ASSERT_TRUE(surface.FindText("0930  Consulta").has_value());
    EXPECT_EQ(surface.FindText("0930  Consulta")->rc.left, 80);
    ASSERT_TRUE(surface.FindText("Consulta").has_value());
    EXPECT_EQ(surface.FindText("Consulta")->rc.left, 158);
}

TEST_F(MonthPaint, IconShiftsTheTextTwentyPixels) {
    const CImageList icons(5, {16, 16}, 2);
    ctrl.SetImageList(&icons);
    ShowMarch();
    ctrl.AddItem(CDateValue(2027, 3, 1), CDateValue(2027, 3, 1), "Cita", 1, 0.0f);
    ctrl.AddItem(CDateValue(2027, 3, 2), CDateValue(2027, 3, 2), "Tarea", -1, 0.0f);
    ctrl.AddItem(CDateValue(2027, 3, 3), CDateValue(2027, 3, 3), "Rota", 7, 0.0f);
    Paint();
    const auto images = surface.Images();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].from, (Point{1, 37}));
    EXPECT_EQ(images[0].imageHandle, 5);
    EXPECT_EQ(images[0].imageIndex, 1);
    EXPECT_EQ(surface.FindText("Cita")->rc, (Rect{21, 37, 77, 50}));
    EXPECT_EQ(surface.FindText("Tarea")->rc.left, 80);
    EXPECT_EQ(surface.FindText("Rota")->rc.left, 158) << "no such image: no shift";
}

struct LineCase {
    const char* text;
    const char* shown;
};

class ItemLineTest : public CalendarFixture, public ::testing::WithParamInterface<LineCase> {};

// A line shows the note's first line, with "…" when more follows, inside its
// slot: what she sees is what a click hits, and the next line covers nothing.
TEST_P(ItemLineTest, ShowsTheFirstLineInsideItsSlot) {
    ShowMarch();
    const std::int32_t first = AddNote(CDateValue(2027, 3, 1), GetParam().text);
    AddNote(CDateValue(2027, 3, 1), "segunda");
    Paint();
    const auto text = surface.FindText(GetParam().shown);
    ASSERT_TRUE(text.has_value()) << GetParam().shown;
    EXPECT_EQ(text->rc, (Rect{1, 37, 77, 50}));
    EXPECT_EQ(text->flags, kItemFlags);
    const Rect slot = Item(first)->GetItemRect();
    EXPECT_TRUE(slot.Contains({text->rc.left, text->rc.top}) &&
                slot.Contains({text->rc.right - 1, text->rc.bottom - 1}));
    EXPECT_EQ(Item(first)->Text(), GetParam().text) << "the note keeps its whole text";
}

INSTANTIATE_TEST_SUITE_P(Texts, ItemLineTest,
                         ::testing::Values(LineCase{"uno", "uno"}, LineCase{"uno\r\ndos", "uno…"},
                                           LineCase{"uno\ndos\ntres\ncuatro", "uno…"},
                                           LineCase{"uno\r\n", "uno"},
                                           LineCase{"uno\r\n \r\n", "uno"},
                                           LineCase{"\r\ndos", "…"}));

TEST_F(MonthPaint, SecondItemOverflowsIntoTheMarker) {
    ShowMarch();
    const std::int32_t a = AddNote(CDateValue(2027, 3, 1, 8), "primera");
    const std::int32_t b = AddNote(CDateValue(2027, 3, 1, 9), "segunda");
    const std::int32_t c = AddNote(CDateValue(2027, 3, 1, 10), "tercera");
    Paint();
    EXPECT_EQ(Item(a)->GetItemRect(), (Rect{1, 37, 77, 53}));
    EXPECT_EQ(Item(b)->GetItemRect(), (Rect{1, 54, 77, 71}));
    EXPECT_EQ(Item(c)->GetItemRect(), (Rect{1, 54, 77, 71}));
    EXPECT_TRUE(surface.FindText("primera").has_value());
    EXPECT_FALSE(surface.FindText("segunda").has_value());
    EXPECT_FALSE(surface.FindText("tercera").has_value());

    EXPECT_EQ(ctrl.GetCell(1)->m_rcMarker, (Rect{58, 50, 78, 59}));
    const auto rects = surface.Rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rc, (Rect{58, 50, 78, 59}));
    EXPECT_EQ(rects[0].colour, kBlack);
    EXPECT_EQ(rects[0].fill, kWhite);
    EXPECT_TRUE(surface.HasLine({60, 52}, {67, 52}, kBlack));
    EXPECT_TRUE(surface.HasLine({61, 53}, {66, 53}, kBlack));
    EXPECT_TRUE(surface.HasLine({62, 54}, {65, 54}, kBlack));
    EXPECT_TRUE(surface.HasLine({63, 55}, {64, 55}, kBlack));
    EXPECT_TRUE(surface.HasFill({68, 52, 70, 54}, kBlack));
    EXPECT_TRUE(surface.HasFill({71, 52, 73, 54}, kBlack));
    EXPECT_TRUE(surface.HasFill({74, 52, 76, 54}, kBlack));
}

TEST_F(MonthPaint, WeekendCellsShowOnlyTheMarker) {
    ShowMarch();
    const std::int32_t id = AddNote(CDateValue(2027, 3, 6), "sábado");  // cell 6
    Paint();
    EXPECT_FALSE(surface.FindText("sábado").has_value());
    EXPECT_EQ(Item(id)->GetItemRect(), (Rect{392, 37, 464, 53}));
    EXPECT_EQ(ctrl.GetCell(6)->m_rcMarker, (Rect{445, 29, 465, 38}));
}

TEST_F(MonthPaint, ItemsOfUnshownDaysKeepTheirRectanglesAndInvalidStartsMatchNothing) {
    ShowMarch();
    const std::int32_t later = AddNote(CDateValue(2027, 6, 1), "junio");
    const std::int32_t bad = AddNote(CDateValue(2027, 2, 30), "mala");
    Paint();
    EXPECT_TRUE(Item(later)->GetItemRect().IsEmpty());
    EXPECT_TRUE(Item(bad)->GetItemRect().IsEmpty());
}

TEST_F(MonthPaint, MarkerRectangleStaysAfterOverflowIsGone) {
    ShowMarch();
    AddNote(CDateValue(2027, 3, 1), "a");
    const std::int32_t b = AddNote(CDateValue(2027, 3, 1), "b");
    Paint();
    ASSERT_TRUE(ctrl.DeleteItem(b));
    Paint();
    EXPECT_TRUE(surface.Rectangles().empty());
    EXPECT_EQ(ctrl.GetCell(1)->m_rcMarker, (Rect{58, 50, 78, 59}));
}

TEST_F(MonthPaint, SelectedItemIsHighlightedWithWhiteText) {
    ShowMarch();
    AddNote(CDateValue(2027, 3, 1), "nota");
    Paint();
    ctrl.OnLButtonDown({10, 45});
    Paint();
    EXPECT_TRUE(surface.HasFill({1, 37, 77, 53}, host.m_crHighlight));
    EXPECT_EQ(surface.FindText("nota")->colour, kWhite);
}

}  // namespace
}  // namespace gestalia::test
