#include "platform/qt/calendar_widget.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QStyle>
#include <QToolTip>

#include "calendar/keys.h"
#include "calendar/wm_date_ctrl.h"
#include "platform/calendar_parent.h"
#include "platform/qt/calendar_accessible.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_draw_surface.h"
#include "platform/qt/qt_images.h"

namespace gestalia {

namespace {

Point ToPoint(const QMouseEvent* event) {
    return FromQPoint(event->position().toPoint());
}

// The control's number for a Qt key; 0 for a key it does not know.
std::int32_t ToVirtualKey(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Menu:
            return VK_APPS;
        case Qt::Key_F2:
            return VK_F2;
        case Qt::Key_F10:
            return VK_F10;
        default:
            return 0;
    }
}

std::uint32_t ToModifiers(Qt::KeyboardModifiers modifiers) {
    std::uint32_t m = kModNone;
    m |= modifiers.testFlag(Qt::ShiftModifier) ? kModShift : 0u;
    m |= modifiers.testFlag(Qt::ControlModifier) ? kModControl : 0u;
    m |= modifiers.testFlag(Qt::AltModifier) ? kModAlt : 0u;
    return m;
}

}  // namespace

CCalendarWidget::CCalendarWidget(CWMDateCtrl& ctrl, ICalendarParent& owner, QWidget* parent)
    : QWidget(parent), m_ctrl(ctrl), m_owner(owner), m_images(&MaskedStrip) {
    setObjectName(QStringLiteral("calendar"));
    // The control erases its own background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Calendario"));
    InstallCalendarAccessibility(*this);
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
        AnnounceChosenDay();
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

void CCalendarWidget::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's right press and release are the control's own messages; the
    // menu key asks for the same notification on the chosen day.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        m_ctrl.OnKeyDown(VK_APPS, kModNone);
    }
    event->accept();
}

void CCalendarWidget::keyPressEvent(QKeyEvent* event) {
    const std::int32_t key = ToVirtualKey(event->key());
    if (key != 0 && m_ctrl.OnKeyDown(key, ToModifiers(event->modifiers()))) {
        event->accept();
        AnnounceChosenDay();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CCalendarWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_ctrl.OnSetFocus();
    m_dtAnnounced.reset();
    AnnounceChosenDay();
}

void CCalendarWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_ctrl.OnKillFocus();
}

bool CCalendarWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const std::int32_t id = m_ctrl.ItemIdAt(FromQPoint(help->pos()));
        if (id == 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QToolTip::showText(help->globalPos(), ToQtLines(m_ctrl.ItemTooltip(id)), this);
        return true;
    }
    return QWidget::event(event);
}

void CCalendarWidget::AnnounceChosenDay() {
    const int index = m_ctrl.ChosenCellIndex();
    const CDateValue chosen = m_ctrl.GetChosenDay();
    if (!hasFocus() || index == 0 || (m_dtAnnounced && *m_dtAnnounced == chosen)) {
        return;
    }
    m_dtAnnounced = chosen;
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index - 1);
        QAccessible::updateAccessibility(&focus);
    }
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
    return FromQColor(palette().color(QPalette::Highlight));
}

std::intptr_t CCalendarWidget::SendNotify(const NMWMDATECTRL& nm) {
    return m_owner.OnNotify(nm);
}

void CCalendarWidget::ShowDayInPanels(const CDateValue& dtDay) {
    m_owner.ShowDayInPanels(dtDay);
}

QWidget* CreateCalendarWidget(CWMDateCtrl& ctrl, ICalendarParent& owner, QWidget* parent) {
    return new CCalendarWidget(ctrl, owner, parent);
}

}  // namespace gestalia
