#include "platform/qt/calendar_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <array>

#include "calendar/wm_date_ctrl.h"
#include "platform/qt/calendar_widget.h"
#include "platform/qt/qt_convert.h"

namespace gestalia {

namespace {

class CCalendarAccessible;

// One day of the shown six weeks. It has no object of its own: it lives as
// long as the calendar's interface, which deletes it.
class CDayAccessible final : public QAccessibleInterface {
  public:
    CDayAccessible(CCalendarAccessible& parent, int index) : m_parent(parent), m_nIndex(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

    int Index() const { return m_nIndex; }

  private:
    CCalendarAccessible& m_parent;
    int m_nIndex;  // 1 to 42
};

class CCalendarAccessible final : public QAccessibleWidget {
  public:
    explicit CCalendarAccessible(CCalendarWidget* widget)
        : QAccessibleWidget(widget, QAccessible::List) {}
    ~CCalendarAccessible() override {
        for (QAccessible::Id id : m_childIds) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }
    CCalendarAccessible(const CCalendarAccessible&) = delete;
    CCalendarAccessible& operator=(const CCalendarAccessible&) = delete;

    int childCount() const override { return kCells; }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= kCells) {
            return nullptr;
        }
        QAccessible::Id& id = m_childIds[static_cast<std::size_t>(index)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(
                new CDayAccessible(const_cast<CCalendarAccessible&>(*this), index + 1));
        }
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* day = dynamic_cast<const CDayAccessible*>(child);
        return day != nullptr ? day->Index() - 1 : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = Widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 1; i <= kCells; ++i) {
            if (Control().GetCell(i)->m_rcCell.Contains(FromQPoint(local))) {
                return child(i - 1);
            }
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        const int index = Control().ChosenCellIndex();
        return Widget()->hasFocus() && index != 0 ? child(index - 1) : nullptr;
    }

    CCalendarWidget* Widget() const { return static_cast<CCalendarWidget*>(widget()); }
    CWMDateCtrl& Control() const { return Widget()->Control(); }

  private:
    mutable std::array<QAccessible::Id, kCells> m_childIds{};
};

bool CDayAccessible::isValid() const {
    return m_parent.isValid();
}

QWindow* CDayAccessible::window() const {
    return m_parent.window();
}

QAccessibleInterface* CDayAccessible::parent() const {
    return &m_parent;
}

QString CDayAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) {
        return {};
    }
    return ToQString(m_parent.Control().DayDescription(m_nIndex));
}

QRect CDayAccessible::rect() const {
    QRect rc = ToQRect(m_parent.Control().GetCell(m_nIndex)->m_rcCell);
    rc.moveTopLeft(m_parent.Widget()->mapToGlobal(rc.topLeft()));
    return rc;
}

QAccessible::State CDayAccessible::state() const {
    QAccessible::State s;
    s.focusable = true;
    s.selectable = true;
    const bool chosen = m_parent.Control().ChosenCellIndex() == m_nIndex;
    s.selected = chosen;
    s.focused = chosen && m_parent.Widget()->hasFocus();
    s.invisible = m_parent.Control().GetCell(m_nIndex)->m_rcCell.IsEmpty();
    return s;
}

}  // namespace

QAccessibleInterface* CalendarAccessibleFactory(const QString& /*key*/, QObject* object) {
    if (auto* widget = qobject_cast<CCalendarWidget*>(object)) {
        return new CCalendarAccessible(widget);
    }
    return nullptr;
}

void InstallCalendarAccessibility(CCalendarWidget& widget) {
    // Qt keeps its factories for the process; one is enough.
    static const bool installed = [] {
        QAccessible::installFactory(&CalendarAccessibleFactory);
        return true;
    }();
    static_cast<void>(installed);
    QAccessibleInterface* early = QAccessible::queryAccessibleInterface(&widget);
    if (early != nullptr && dynamic_cast<CCalendarAccessible*>(early) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
    }
}

}  // namespace gestalia
