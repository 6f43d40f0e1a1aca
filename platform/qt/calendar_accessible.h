#pragma once
// What screen readers see of the calendar: a list named "Calendario" whose
// 42 items are the shown days, each read as the control describes it
// ("martes, 15 de diciembre de 2026, 2 anotaciones"), selected when it is
// the chosen day, at its cell's place on the screen.

class QAccessibleInterface;
class QObject;
class QString;

namespace gestalia {

// Registers the calendar's accessibility with Qt; calling it again does nothing.
void InstallCalendarAccessibility();

// The interface for a CCalendarWidget; nullptr for any other object.
QAccessibleInterface* CalendarAccessibleFactory(const QString& key, QObject* object);

}  // namespace gestalia
