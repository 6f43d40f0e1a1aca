// The keyboard on the calendar: the chosen day moves as the keys say and fills
// the panels, the month follows it off the grid, each mouse action has its key
// and sends that action's notification, and the focus frame marks the chosen
// day only while the control has the focus. Also the texts for screen readers
// and tooltips.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "calendar/keys.h"
#include "calendar/month_layout.h"
#include "model/visit.h"
#include "tests/calendar/calendar_fixture.h"

namespace gestalia::test {
namespace {

using ::testing::ElementsAre;

// March 2027 shown (1 March in cell 1), painted, today 10 March chosen.
class Keyboard : public CalendarFixture {
  protected:
    void SetUp() override {
        ShowMarch();
        Paint();
        host.ClearLog();
    }
    // Chooses a day as a left press on its empty corner would.
    void Choose(const CDateValue& day) {
        const Rect rc = ctrl.FindCell(day)->m_rcCell;
        ctrl.OnLButtonDown({rc.left + 3, rc.bottom - 3});
        host.ClearLog();
    }
    bool Key(std::int32_t key, std::uint32_t modifiers = kModNone) {
        return ctrl.OnKeyDown(key, modifiers);
    }
};

TEST_F(Keyboard, TheChosenDayStartsAsToday) {
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2027, 3, 10));
    EXPECT_EQ(ctrl.ChosenCellIndex(), 10);
}

struct MoveCase {
    CDateValue from;
    std::int32_t key;
    CDateValue to;
};

class KeyMoves : public Keyboard, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(KeyMoves, MoveTheChosenDayAndFillThePanelsAsAPress) {
    Choose(GetParam().from);
    ASSERT_TRUE(Key(GetParam().key));
    EXPECT_EQ(ctrl.GetChosenDay(), GetParam().to);
    ASSERT_EQ(host.m_panelDays.size(), 1u);
    EXPECT_EQ(host.m_panelDays[0], GetParam().to);
    ASSERT_NE(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetSelectedCell()->m_dtDate, GetParam().to);
    EXPECT_EQ(ctrl.GetSelectedCell()->m_bSelected, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMoves,
    ::testing::Values(MoveCase{CDateValue(2027, 3, 10), VK_RIGHT, CDateValue(2027, 3, 11)},
                      MoveCase{CDateValue(2027, 3, 10), VK_LEFT, CDateValue(2027, 3, 9)},
                      MoveCase{CDateValue(2027, 3, 10), VK_DOWN, CDateValue(2027, 3, 17)},
                      MoveCase{CDateValue(2027, 3, 10), VK_UP, CDateValue(2027, 3, 3)},
                      MoveCase{CDateValue(2027, 3, 31), VK_NEXT, CDateValue(2027, 4, 30)},
                      MoveCase{CDateValue(2027, 3, 31), VK_PRIOR, CDateValue(2027, 2, 28)},
                      MoveCase{CDateValue(2027, 3, 2), VK_HOME, CDateValue(2027, 3, 10)},
                      MoveCase{CDateValue(2027, 3, 1), VK_LEFT, CDateValue(2027, 2, 28)},
                      MoveCase{CDateValue(2027, 4, 5), VK_DOWN, CDateValue(2027, 4, 12)},
                      MoveCase{CDateValue(2027, 3, 1), VK_PRIOR, CDateValue(2027, 2, 1)}));

// Page Up and Page Down across the turn of the year.
TEST_F(Keyboard, PageKeysCrossTheYear) {
    ctrl.ShowMonth(CDateValue(2027, 1, 1), 0, WMVIEW_MONTH);
    Paint();
    Choose(CDateValue(2027, 1, 15));
    Key(VK_PRIOR);
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2026, 12, 15));
    Key(VK_NEXT);
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2027, 1, 15));
}

TEST_F(Keyboard, PastTheSixWeeksTheParentIsAskedToShowTheMonth) {
    Choose(CDateValue(2027, 4, 5));  // the last row
    Key(VK_DOWN);
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, WMN_SHOWMONTH);
    EXPECT_EQ(host.m_notifies[0].nm.dtDay, CDateValue(2027, 4, 12));
    // This host does not move the month: the control shows it itself.
    EXPECT_EQ(ctrl.GetMonth(), CDateValue(2027, 4, 1));
    EXPECT_EQ(ctrl.GetSelectedCell(), ctrl.FindCell(CDateValue(2027, 4, 12)));
}

TEST_F(Keyboard, WithinTheSixWeeksTheMonthStays) {
    Choose(CDateValue(2027, 3, 31));
    Key(VK_RIGHT);  // 1 April, a grey day of the grid
    EXPECT_TRUE(host.m_notifies.empty());
    EXPECT_EQ(ctrl.GetMonth(), CDateValue(2027, 3, 1));
}

TEST_F(Keyboard, EnterAndSpaceAddANoteAsADoubleClickOnTheDay) {
    AddNote(CDateValue(2027, 3, 10), "consulta");
    for (std::int32_t key : {VK_RETURN, VK_SPACE}) {
        host.ClearLog();
        ASSERT_TRUE(Key(key));
        ASSERT_EQ(host.m_notifies.size(), 1u);
        const SentNotify& sent = host.m_notifies[0];
        EXPECT_EQ(sent.nm.hdr.code, NM_DBLCLK);
        EXPECT_EQ(sent.nCellIndex, 10);
        EXPECT_EQ(sent.nm.pItem, nullptr);
        EXPECT_EQ(sent.nm.bMarker, 0);
    }
}

TEST_F(Keyboard, F2AndShiftEnterChangeTheDaysFirstNote) {
    const std::int32_t first = AddNote(CDateValue(2027, 3, 10, 8), "primera");
    AddNote(CDateValue(2027, 3, 10, 9), "segunda");
    Key(VK_F2);
    Key(VK_RETURN, kModShift);
    ASSERT_EQ(host.m_notifies.size(), 2u);
    for (const SentNotify& sent : host.m_notifies) {
        EXPECT_EQ(sent.nm.hdr.code, NM_DBLCLK);
        EXPECT_EQ(sent.nm.nItemId, first);
        EXPECT_EQ(sent.strItemText, "primera");
    }
}

TEST_F(Keyboard, ControlArrowsChooseTheNotesOfTheDayInTurn) {
    const std::int32_t first = AddNote(CDateValue(2027, 3, 10, 8), "primera");
    const std::int32_t second = AddNote(CDateValue(2027, 3, 10, 9), "segunda");
    Key(VK_DOWN, kModControl);
    Key(VK_DOWN, kModControl);
    Key(VK_DOWN, kModControl);  // round to the first again
    Key(VK_UP, kModControl);
    std::vector<std::int32_t> clicked;
    for (const SentNotify& sent : host.m_notifies) {
        EXPECT_EQ(sent.nm.hdr.code, NM_CLICK);
        clicked.push_back(sent.nm.nItemId);
    }
    EXPECT_THAT(clicked, ElementsAre(first, second, first, second));
    EXPECT_EQ(Item(second)->GetSelected(), 1);
    EXPECT_EQ(Item(first)->GetSelected(), 0);
    // F2 now changes the chosen note, Delete deletes it.
    host.ClearLog();
    Key(VK_F2);
    Key(VK_DELETE);
    ASSERT_EQ(host.m_notifies.size(), 2u);
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, second);
    EXPECT_EQ(host.m_notifies[1].nm.hdr.code, NM_KEYDOWN);
    EXPECT_EQ(host.m_notifies[1].nm.nKey, VK_DELETE);
    EXPECT_EQ(host.m_notifies[1].nm.nItemId, second);
}

TEST_F(Keyboard, MenuKeyAndShiftF10SendTheRightClick) {
    ASSERT_TRUE(Key(VK_APPS));
    ASSERT_TRUE(Key(VK_F10, kModShift));
    ASSERT_EQ(host.m_notifies.size(), 2u);
    for (const SentNotify& sent : host.m_notifies) {
        EXPECT_EQ(sent.nm.hdr.code, NM_RCLICK);
        EXPECT_EQ(sent.nCellIndex, 10);
    }
}

// Notes on the day, none chosen: the right click is the day's, with no note.
TEST_F(Keyboard, MenuKeyOnADayWhoseNotesAreNotChosenSendsNoNote) {
    AddNote(CDateValue(2027, 3, 10, 8), "primera");
    ASSERT_TRUE(Key(VK_APPS));
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_RCLICK);
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, 0);
    EXPECT_EQ(host.m_notifies[0].nm.pItem, nullptr);
}

TEST_F(Keyboard, NoteKeysOnADayWithoutNotesSendNothing) {
    EXPECT_TRUE(Key(VK_F2));
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_TRUE(Key(VK_DOWN, kModControl));
    EXPECT_TRUE(host.m_notifies.empty());
}

TEST_F(Keyboard, OtherKeysAreLeftToTheWindow) {
    EXPECT_FALSE(Key('A'));
    EXPECT_FALSE(Key(VK_F10));
    EXPECT_FALSE(Key(VK_RIGHT, kModAlt));
    EXPECT_FALSE(Key(VK_HOME, kModControl));
    ctrl.SetView(WMVIEW_WEEK, false);
    EXPECT_FALSE(Key(VK_RIGHT));
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2027, 3, 10));
}

// Quietly: the focus alone shows no day in the panels, and the selection is
// on the day the frame marks, which Enter adds to.
TEST_F(Keyboard, FocusGivenBackBringsTheChosenDayIntoTheShownMonth) {
    ctrl.ShowMonth(CDateValue(2027, 5, 20), 0, WMVIEW_MONTH);  // the month arrows
    host.ClearLog();
    ctrl.OnSetFocus();
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2027, 5, 10));
    EXPECT_TRUE(host.m_panelDays.empty());
    ASSERT_NE(ctrl.GetSelectedCell(), nullptr);
    EXPECT_EQ(ctrl.GetSelectedCell()->m_dtDate, CDateValue(2027, 5, 10));
    ASSERT_TRUE(Key(VK_RETURN));
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_DBLCLK);
    EXPECT_EQ(host.m_notifies[0].nm.pCell->m_dtDate, CDateValue(2027, 5, 10));
}

// The frame's four lines, as the paint draws them.
std::vector<DrawCall> FrameLines(const CRecordingSurface& surface, const Rect& rc) {
    std::vector<DrawCall> found;
    for (const DrawCall& line : surface.Lines()) {
        const bool horizontal = line.from.y == line.to.y &&
                                (line.from.y == rc.top || line.from.y == rc.bottom - 1) &&
                                line.from.x == rc.left && line.to.x == rc.right;
        const bool vertical = line.from.x == line.to.x &&
                              (line.from.x == rc.left || line.from.x == rc.right - 1) &&
                              line.from.y == rc.top && line.to.y == rc.bottom;
        if ((horizontal || vertical) && line.colour == RGB(0, 0, 0)) {
            found.push_back(line);
        }
    }
    return found;
}

TEST_F(Keyboard, TheFocusFrameMarksTheChosenDayWhileFocused) {
    const Rect frame = FocusFrameRect(ctrl.GetCell(10)->m_rcCell);
    EXPECT_EQ(frame,
              (Rect{ctrl.GetCell(10)->m_rcCell.left + 2, ctrl.GetCell(10)->m_rcCell.top + 2,
                    ctrl.GetCell(10)->m_rcCell.right - 2, ctrl.GetCell(10)->m_rcCell.bottom - 2}));
    Paint();
    EXPECT_TRUE(FrameLines(surface, frame).empty());
    ctrl.OnSetFocus();
    Paint();
    EXPECT_EQ(FrameLines(surface, frame).size(), 4u);
    Key(VK_RIGHT);
    Paint();
    EXPECT_TRUE(FrameLines(surface, frame).empty());
    EXPECT_EQ(FrameLines(surface, FocusFrameRect(ctrl.GetCell(11)->m_rcCell)).size(), 4u);
    ctrl.OnKillFocus();
    Paint();
    EXPECT_TRUE(FrameLines(surface, FocusFrameRect(ctrl.GetCell(11)->m_rcCell)).empty());
}

TEST_F(Keyboard, APressChoosesTheDayTheKeysStartFrom) {
    Choose(CDateValue(2027, 3, 22));
    Key(VK_RIGHT);
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2027, 3, 23));
}

TEST(DayTexts, ReadTheDayWithItsNotes) {
    CGlobals globals;
    CFixedClock clock(CFixedClock::LocalSeconds(2026, 12, 8, 9, 0));
    CWMDateCtrl ctrl(globals, clock);
    ctrl.ShowMonth(CDateValue(2026, 12, 1), 0, WMVIEW_MONTH);
    const auto note = [&](int day) {
        return ctrl.AddItem(CDateValue(2026, 12, day), CDateValue(2026, 12, day), "nota", -1, 0.0f);
    };
    note(15);
    note(15);
    note(16);
    const auto text = [&](int day) {
        return ctrl.DayDescription(ctrl.FindCell(CDateValue(2026, 12, day))->m_nIndex);
    };
    EXPECT_EQ(text(15), "martes, 15 de diciembre de 2026, 2 anotaciones");
    EXPECT_EQ(text(16), "miércoles, 16 de diciembre de 2026, 1 anotación");
    EXPECT_EQ(text(8), "martes, 8 de diciembre de 2026, sin anotaciones, hoy");
    EXPECT_EQ(ctrl.DayDescription(0), "");
    EXPECT_EQ(ctrl.DayDescription(kCells + 1), "");
}

TEST_F(Keyboard, TooltipOfANoteLineIsItsWholeTextAndWeight) {
    const std::int32_t weighed = ctrl.AddItem(CDateValue(2027, 3, 2), CDateValue(2027, 3, 2),
                                              "Ecografía\r\nsemana 10", -1, 61.5f);
    const std::int32_t light = AddNote(CDateValue(2027, 3, 3), "Análisis");
    Paint();
    const Rect line = Item(weighed)->GetItemRect();
    EXPECT_EQ(ctrl.ItemIdAt({line.left + 1, line.top + 1}), weighed);
    EXPECT_EQ(ctrl.ItemIdAt({line.left + 1, line.bottom}), 0);
    EXPECT_EQ(ctrl.ItemTooltip(weighed), "Ecografía\r\nsemana 10\r\nPeso: 61,5 kg");
    EXPECT_EQ(ctrl.ItemTooltip(light), "Análisis\r\nSin peso");
    EXPECT_EQ(ctrl.ItemTooltip(9999), "");
    // A visit adds its line.
    globals.listItems.SetVisit(light, CVisit{120, 80, 28.5, {}, {}});
    EXPECT_EQ(ctrl.ItemTooltip(light), "Análisis\r\nSin peso\r\nTA 120/80 mmHg, AU 28,5 cm");
    // Asking changes nothing.
    EXPECT_EQ(Item(weighed)->GetSelected(), 0);
    EXPECT_EQ(ctrl.GetSelectedCell(), nullptr);
}

}  // namespace
}  // namespace gestalia::test
