#pragma once
// What screen readers see of the calendar: a list named "Calendario" whose
// 42 items are the shown days, each read as the control describes it
// ("martes, 15 de diciembre de 2026, 2 anotaciones"), selected when it is
// the chosen day, at its cell's place on the screen.

class QAccessibleInterface;
class QObject;
class QString;

namespace gestalia {

class CCalendarWidget;

// Registers the calendar's accessibility with Qt (once per process) and makes
// it the widget's. Called from the widget's constructor: while its QWidget
// part was being built, Qt may already have made and kept a plain widget's
// interface for it (it does so on the parent change, screen reader or not),
// which would hide the days from every reader; that one is dropped.
void InstallCalendarAccessibility(CCalendarWidget& widget);

// The interface for a CCalendarWidget; nullptr for any other object.
QAccessibleInterface* CalendarAccessibleFactory(const QString& key, QObject* object);

}  // namespace gestalia
