#include "platform/qt/calendar_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QStyle>

#include "calendar/wm_date_ctrl.h"
#include "platform/dialog_window.h"
#include "platform/qt/qt_draw_surface.h"
#include "platform/qt/qt_images.h"

namespace gestalia {

namespace {

Point ToPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

}  // namespace

CCalendarWidget::CCalendarWidget(CWMDateCtrl& ctrl, CCalendarSink sink, QWidget* parent)
    : QWidget(parent), m_ctrl(ctrl), m_sink(std::move(sink)), m_images(&MaskedStrip) {
    setObjectName(QStringLiteral("calendar"));
    // The control erases its own background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    m_ctrl.SetHost(this);
}

CCalendarWidget::~CCalendarWidget() {
    m_ctrl.SetHost(nullptr);
}

void CCalendarWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    CQtDrawSurface surface(painter, &m_images, &m_texts);
    m_ctrl.OnEraseBkgnd(surface);
    m_ctrl.OnPaint(surface);
}

void CCalendarWidget::resizeEvent(QResizeEvent* event) {
    m_texts.Clear();
    QWidget::resizeEvent(event);
}

void CCalendarWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange) {
        m_texts.Clear();
    }
    QWidget::changeEvent(event);
}

void CCalendarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_ctrl.OnLButtonDown(ToPoint(event));
    } else if (event->button() == Qt::RightButton) {
        m_ctrl.OnRButtonDown(ToPoint(event));
    }
    event->accept();
}

void CCalendarWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        m_ctrl.OnRButtonUp(ToPoint(event));
    }
    event->accept();
}

void CCalendarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // A right double-click has no handler in the control: like the desktop's,
    // it is neither a press nor a double-click on a day.
    if (event->button() == Qt::LeftButton) {
        m_ctrl.OnLButtonDblClk(ToPoint(event));
    }
    event->accept();
}

void CCalendarWidget::Invalidate() {
    update();
}

Size CCalendarWidget::ClientSize() const {
    return {width(), height()};
}

int CCalendarWidget::ScrollBarWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

Colour CCalendarWidget::HighlightColour() const {
    const QColor c = palette().color(QPalette::Highlight);
    return RGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue()));
}

std::intptr_t CCalendarWidget::SendNotify(const NMWMDATECTRL& nm) {
    return m_sink.onNotify ? m_sink.onNotify(nm) : 0;
}

void CCalendarWidget::ShowDayInPanels(const CDateValue& dtDay) {
    if (m_sink.showDay) {
        m_sink.showDay(dtDay);
    }
}

QWidget* CreateCalendarWidget(CWMDateCtrl& ctrl, IDialogHandler& handler, IUiServices& /*ui*/,
                              QWidget* parent) {
    CCalendarSink sink;
    sink.onNotify = [&handler](const NMWMDATECTRL& nm) { return handler.OnNotify(nm); };
    sink.showDay = [&handler](const CDateValue& day) { handler.ShowDayInPanels(day); };
    return new CCalendarWidget(ctrl, std::move(sink), parent);
}

}  // namespace gestalia
