// The calendar hosted in its QWidget on the offscreen platform: the painted
// pixels where the layout puts them, and Qt's mouse sequences reaching the
// owner's sink as the control's notifications.

#include "platform/qt/calendar_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QStyle>
#include <vector>

#include "calendar/month_layout.h"
#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"

namespace gestalia {
namespace {

constexpr int kWidth = 465;
constexpr int kHeight = 265;

QRgb Rgb(Colour c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

struct Received {
    std::int32_t code = 0;
    int nCellIndex = 0;
    std::int32_t nItemId = 0;
};

class CalendarWidget : public ::testing::Test {
  protected:
    CalendarWidget() {
        globals.dtLastPeriod = CDateValue(2027, 3, 1);  // 2 March is a link day
        CCalendarSink sink;
        sink.onNotify = [this](const NMWMDATECTRL& nm) {
            received.push_back(
                {nm.hdr.code, nm.pCell != nullptr ? nm.pCell->m_nIndex : 0, nm.nItemId});
            return std::intptr_t{0};
        };
        sink.showDay = [this](const CDateValue& d) { shownDays.push_back(d); };
        widget = std::make_unique<CCalendarWidget>(ctrl, std::move(sink));
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
    std::unique_ptr<CCalendarWidget> widget;
    MonthMetrics metrics;
    std::vector<Received> received;
    std::vector<CDateValue> shownDays;
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
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].code, NM_DBLCLK);
    EXPECT_EQ(received[0].nCellIndex, 9);
    EXPECT_EQ(received[0].nItemId, 0);
    ASSERT_EQ(shownDays.size(), 1u);
    EXPECT_TRUE(shownDays[0] == CDateValue(2027, 3, 9));
}

TEST_F(CalendarWidget, DoubleClickOnAnItemClicksThenDoubleClicksIt) {
    const std::int32_t id =
        ctrl.AddItem(CDateValue(2027, 3, 9), CDateValue(2027, 3, 9), "Consulta", -1, 0.0f);
    Grab();
    const Rect slot = ItemSlot(CellRect(9), metrics.h, 0);
    DoubleClick(QPoint(slot.left + 3, slot.top + 3));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].code, NM_CLICK);
    EXPECT_EQ(received[0].nItemId, id);
    EXPECT_EQ(received[1].code, NM_DBLCLK);
    EXPECT_EQ(received[1].nItemId, id);
}

TEST_F(CalendarWidget, RightPressAndReleaseSendRightClick) {
    Grab();
    Send(QEvent::MouseButtonPress, Qt::RightButton, Inside(12));
    Send(QEvent::MouseButtonRelease, Qt::RightButton, Inside(12));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].code, NM_RCLICK);
    EXPECT_EQ(received[0].nCellIndex, 12);
    EXPECT_TRUE(shownDays.empty());
}

TEST_F(CalendarWidget, UnbindsFromTheControlWhenDestroyed) {
    widget.reset();
    ctrl.Redraw();  // would reach a dead host otherwise
    EXPECT_EQ(ctrl.SendNotify({1, 1}, NM_CLICK), 0);
}

}  // namespace
}  // namespace gestalia
