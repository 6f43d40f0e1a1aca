// The calendar hosted in its QWidget on the offscreen platform: the painted
// pixels where the layout puts them, and Qt's mouse sequences reaching the
// owner's sink as the control's notifications.

#include "platform/qt/calendar_widget.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTest>
#include <QToolTip>
#include <vector>

#include "calendar/month_layout.h"
#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "tests/support/recording_parent.h"

namespace gestalia {
namespace {

constexpr int kWidth = 465;
constexpr int kHeight = 265;

QRgb Rgb(Colour c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

class CalendarWidget : public ::testing::Test {
  protected:
    CalendarWidget() {
        globals.dtLastPeriod = CDateValue(2027, 3, 1);  // 2 March is a link day
        widget = std::make_unique<CCalendarWidget>(ctrl, parent);
        widget->resize(kWidth, kHeight);
        ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_MONTH);
        metrics = MakeMonthMetrics({kWidth, kHeight},
                                   widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }

    QImage Grab() { return widget->grab().toImage(); }
    Rect CellRect(int index) const { return CellRectsOf(metrics, index).rcCell; }
    QPoint Inside(int index) const {
        const Rect rc = CellRect(index);
        return {rc.left + 4, rc.bottom - 4};  // clear of the label and the item lines
    }
    void Send(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(widget.get(), &event);
    }
    void DoubleClick(QPoint at) {
        Send(QEvent::MouseButtonPress, Qt::LeftButton, at);
        Send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
        Send(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
        Send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    }

    CGlobals globals;
    CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CWMDateCtrl ctrl{globals, clock};
    test::CRecordingParent parent{ctrl};
    std::unique_ptr<CCalendarWidget> widget;
    MonthMetrics metrics;
};

TEST_F(CalendarWidget, IsNamedForTests) {
    EXPECT_EQ(widget->objectName(), QStringLiteral("calendar"));
}

TEST_F(CalendarWidget, PaintsHeaderGridAndDayColours) {
    const QImage image = Grab();
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);
    EXPECT_EQ(image.pixel(1, metrics.h / 2), Rgb(RGB(238, 62, 115))) << "header band";
    const GridLine vertical = VerticalGridLine(metrics, 2);
    EXPECT_EQ(image.pixel(vertical.from.x, 120), Rgb(RGB(238, 62, 115))) << "grid line";
    const GridLine horizontal = HorizontalGridLine(metrics, 1);
    EXPECT_EQ(image.pixel(40, horizontal.from.y), Rgb(RGB(238, 62, 115)));
    EXPECT_EQ(image.pixel(Inside(2)), Rgb(RGB(253, 190, 209))) << "2 March, a link day";
    EXPECT_EQ(image.pixel(Inside(39)), Rgb(RGB(240, 240, 240))) << "8 April";
    EXPECT_EQ(image.pixel(Inside(9)), Rgb(RGB(255, 255, 255))) << "9 March";
    const Rect today = CellRectsOf(metrics, 10).rcLabel;  // 10 March
    EXPECT_EQ(image.pixel(today.left + 1, today.top + 2), Rgb(RGB(169, 216, 50)));
}

TEST_F(CalendarWidget, RepaintsFromItsTextCacheUntilTheSizeChanges) {
    widget->show();  // so that a resize reaches the widget at once
    ctrl.AddItem(CDateValue(2027, 3, 9, 8), CDateValue(2027, 3, 9, 8), "Consulta", -1, 0.0f);
    const QImage first = Grab();
    const std::size_t texts = widget->TextCache().TextCount();
    EXPECT_GT(texts, 0u);
    EXPECT_EQ(Grab(), first) << "a paint from the cache gives the same pixels";
    EXPECT_EQ(widget->TextCache().TextCount(), texts) << "nothing was worked out again";
    widget->resize(kWidth + 10, kHeight);
    EXPECT_EQ(widget->TextCache().TextCount(), 0u);
}

TEST_F(CalendarWidget, DoubleClickOnADayNotifiesTheSink) {
    Grab();  // the paint records the rectangles the mouse uses
    DoubleClick(Inside(9));
    ASSERT_EQ(parent.notified.size(), 1u);
    EXPECT_EQ(parent.notified[0].code, NM_DBLCLK);
    EXPECT_EQ(parent.notified[0].nCellIndex, 9);
    EXPECT_EQ(parent.notified[0].nItemId, 0);
    ASSERT_EQ(parent.days.size(), 1u);
    EXPECT_TRUE(parent.days[0] == CDateValue(2027, 3, 9));
}

TEST_F(CalendarWidget, DoubleClickOnAnItemClicksThenDoubleClicksIt) {
    const std::int32_t id =
        ctrl.AddItem(CDateValue(2027, 3, 9), CDateValue(2027, 3, 9), "Consulta", -1, 0.0f);
    Grab();
    const Rect slot = ItemSlot(CellRect(9), metrics.h, 0);
    DoubleClick(QPoint(slot.left + 3, slot.top + 3));
    ASSERT_EQ(parent.notified.size(), 2u);
    EXPECT_EQ(parent.notified[0].code, NM_CLICK);
    EXPECT_EQ(parent.notified[0].nItemId, id);
    EXPECT_EQ(parent.notified[1].code, NM_DBLCLK);
    EXPECT_EQ(parent.notified[1].nItemId, id);
}

TEST_F(CalendarWidget, RightPressAndReleaseSendRightClick) {
    Grab();
    Send(QEvent::MouseButtonPress, Qt::RightButton, Inside(12));
    Send(QEvent::MouseButtonRelease, Qt::RightButton, Inside(12));
    ASSERT_EQ(parent.notified.size(), 1u);
    EXPECT_EQ(parent.notified[0].code, NM_RCLICK);
    EXPECT_EQ(parent.notified[0].nCellIndex, 12);
    EXPECT_TRUE(parent.days.empty());
}

TEST_F(CalendarWidget, UnbindsFromTheControlWhenDestroyed) {
    widget.reset();
    ctrl.Redraw();  // would reach a dead host otherwise
    EXPECT_EQ(ctrl.SendNotify({1, 1}, NM_CLICK), 0);
}

TEST_F(CalendarWidget, TakesTheFocusOnAClickAndThroughTab) {
    EXPECT_EQ(widget->focusPolicy(), Qt::StrongFocus);
}

TEST_F(CalendarWidget, DrawsTheFocusFrameOnTheChosenDayWhileFocused) {
    Grab();
    const Rect frame = FocusFrameRect(CellRect(10));  // today, 10 March
    const QPoint onFrame(frame.left, frame.bottom - 3);
    EXPECT_NE(Grab().pixel(onFrame), qRgb(0, 0, 0));
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(widget.get(), &in);
    EXPECT_EQ(Grab().pixel(onFrame), qRgb(0, 0, 0));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget.get(), &out);
    EXPECT_NE(Grab().pixel(onFrame), qRgb(0, 0, 0));
}

// After the month arrows, the press that gives the calendar its focus: a
// right press on a day, or any press on a grid line, shows no day in the
// panels; the chosen day moves quietly into the shown month.
struct FocusingPress {
    const char* name;
    Qt::MouseButton button;
    bool bOnDay;
};

class FocusingPressTest : public CalendarWidget,
                          public ::testing::WithParamInterface<FocusingPress> {};

TEST_P(FocusingPressTest, ShowsNoDayInThePanels) {
    widget->show();
    widget->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(widget.get()));
    widget->clearFocus();
    ctrl.ShowMonth(CDateValue(2027, 5, 1), 0, WMVIEW_MONTH);  // the month arrow
    Grab();
    const GridLine line = VerticalGridLine(metrics, 2);
    const QPoint at = GetParam().bOnDay ? Inside(12) : QPoint(line.from.x, 120);
    for (int i = 1; i <= kCells && !GetParam().bOnDay; ++i) {
        ASSERT_FALSE(CellRect(i).Contains({at.x(), at.y()})) << "in cell " << i;
    }
    ASSERT_FALSE(widget->hasFocus());
    QTest::mousePress(widget.get(), GetParam().button, Qt::NoModifier, at);
    QTest::mouseRelease(widget.get(), GetParam().button, Qt::NoModifier, at);

    EXPECT_TRUE(widget->hasFocus());
    EXPECT_TRUE(ctrl.HasFocus());
    EXPECT_TRUE(parent.days.empty());
    EXPECT_EQ(ctrl.GetChosenDay(), CDateValue(2027, 5, 10));
}

INSTANTIATE_TEST_SUITE_P(Presses, FocusingPressTest,
                         ::testing::Values(FocusingPress{"RightOnADay", Qt::RightButton, true},
                                           FocusingPress{"LeftOnAGridLine", Qt::LeftButton, false},
                                           FocusingPress{"RightOnAGridLine", Qt::RightButton,
                                                         false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool bAccepted;
    std::int32_t code;  // the notification it sends, 0 for none
};

class CalendarWidgetKeys : public CalendarWidget, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CalendarWidgetKeys, ReachTheControlWhichKeepsItsOwn) {
    ctrl.AddItem(CDateValue(2027, 3, 10), CDateValue(2027, 3, 10), "Consulta", -1, 0.0f);
    Grab();
    QKeyEvent press(QEvent::KeyPress, GetParam().key, GetParam().modifiers);
    QApplication::sendEvent(widget.get(), &press);
    EXPECT_EQ(press.isAccepted(), GetParam().bAccepted);
    if (GetParam().code == 0) {
        EXPECT_TRUE(parent.notified.empty());
    } else {
        ASSERT_EQ(parent.notified.size(), 1u);
        EXPECT_EQ(parent.notified[0].code, GetParam().code);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CalendarWidgetKeys,
    ::testing::Values(KeyCase{Qt::Key_Right, Qt::NoModifier, true, 0},
                      KeyCase{Qt::Key_PageUp, Qt::NoModifier, true, WMN_SHOWMONTH},
                      KeyCase{Qt::Key_Return, Qt::NoModifier, true, NM_DBLCLK},
                      KeyCase{Qt::Key_Enter, Qt::KeypadModifier, true, NM_DBLCLK},
                      KeyCase{Qt::Key_Space, Qt::NoModifier, true, NM_DBLCLK},
                      KeyCase{Qt::Key_F2, Qt::NoModifier, true, NM_DBLCLK},
                      KeyCase{Qt::Key_Delete, Qt::NoModifier, true, NM_KEYDOWN},
                      KeyCase{Qt::Key_Down, Qt::ControlModifier, true, NM_CLICK},
                      KeyCase{Qt::Key_F10, Qt::ShiftModifier, true, NM_RCLICK},
                      KeyCase{Qt::Key_Menu, Qt::NoModifier, true, NM_RCLICK},
                      KeyCase{Qt::Key_Escape, Qt::NoModifier, false, 0},
                      KeyCase{Qt::Key_A, Qt::NoModifier, false, 0}));

TEST_F(CalendarWidget, ArrowsFillTheDayPanels) {
    Grab();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(widget.get(), &right);
    ASSERT_EQ(parent.days.size(), 1u);
    EXPECT_TRUE(parent.days[0] == CDateValue(2027, 3, 11));
}

TEST_F(CalendarWidget, TakesTheContextMenuEventsSoNoWindowMenuOpens) {
    Grab();
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, Inside(12), widget->mapToGlobal(Inside(12)));
    mouse.ignore();
    QApplication::sendEvent(widget.get(), &mouse);
    EXPECT_TRUE(mouse.isAccepted());
    EXPECT_TRUE(parent.notified.empty()) << "the mouse's press and release send the right click";
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(0, 0),
                               widget->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(widget.get(), &keyboard);
    ASSERT_EQ(parent.notified.size(), 1u);
    EXPECT_EQ(parent.notified[0].code, NM_RCLICK);
    EXPECT_EQ(parent.notified[0].nCellIndex, 10);
}

TEST_F(CalendarWidget, ScreenReadersReadEveryDay) {
    ctrl.AddItem(CDateValue(2027, 3, 15), CDateValue(2027, 3, 15), "Eco", -1, 0.0f);
    Grab();
    QAccessibleInterface* calendar = QAccessible::queryAccessibleInterface(widget.get());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->role(), QAccessible::List);
    EXPECT_EQ(calendar->text(QAccessible::Name), QStringLiteral("Calendario"));
    ASSERT_EQ(calendar->childCount(), kCells);
    QAccessibleInterface* day15 = calendar->child(14);  // cell 15: Monday 15 March
    ASSERT_NE(day15, nullptr);
    EXPECT_EQ(day15->text(QAccessible::Name).toStdString(),
              "lunes, 15 de marzo de 2027, 1 anotación");
    EXPECT_EQ(day15->role(), QAccessible::ListItem);
    EXPECT_EQ(calendar->indexOfChild(day15), 14);
    EXPECT_FALSE(day15->state().selected);
    EXPECT_TRUE(calendar->child(9)->state().selected) << "today, the chosen day";
    const Rect rc = CellRect(15);
    EXPECT_EQ(day15->rect().topLeft(), widget->mapToGlobal(QPoint(rc.left, rc.top)));
    EXPECT_EQ(day15->rect().width(), rc.Width());
}

// Built inside its window, as the dialogs build it: Qt makes a plain
// widget's interface for it while its QWidget part is constructed, which must
// not be the one readers get.
TEST_F(CalendarWidget, ScreenReadersReadTheDaysOfACalendarBuiltInsideAWindow) {
    QWidget window;
    auto* inside = new CCalendarWidget(ctrl, parent, &window);
    QAccessibleInterface* calendar = QAccessible::queryAccessibleInterface(inside);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->role(), QAccessible::List);
    EXPECT_EQ(calendar->childCount(), kCells);
}

TEST_F(CalendarWidget, HoveringANoteLineShowsItsWholeTextAndWeight) {
    ctrl.AddItem(CDateValue(2027, 3, 9), CDateValue(2027, 3, 9), "Ecografía de la semana 10", -1,
                 61.5f);
    Grab();
    const Rect slot = ItemSlot(CellRect(9), metrics.h, 0);
    const QPoint onLine(slot.left + 3, slot.top + 3);
    QHelpEvent help(QEvent::ToolTip, onLine, widget->mapToGlobal(onLine));
    QApplication::sendEvent(widget.get(), &help);
    EXPECT_EQ(QToolTip::text().toStdString(), "Ecografía de la semana 10\nPeso: 61,5 kg");
    QHelpEvent away(QEvent::ToolTip, Inside(12), widget->mapToGlobal(Inside(12)));
    QApplication::sendEvent(widget.get(), &away);
    // The tip fades out.
    QElapsedTimer waited;
    waited.start();
    while (QToolTip::isVisible() && waited.elapsed() < 2000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
}  // namespace gestalia
