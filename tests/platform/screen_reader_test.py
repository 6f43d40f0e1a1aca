#!/usr/bin/python3
"""Gestalia as a screen reader reads it on Linux: through AT-SPI, from outside
the process, with the client library Orca uses (pyatspi).

    screen_reader_test.py PROGRAM

Run it on a display and a session bus of its own (screen_reader_test.sh).
It writes an agenda with two notes on the 15th of this month, starts PROGRAM
on it, says a screen reader is listening (as Orca does), and checks what the
accessibility tree tells: the calendar is a list of the 42 shown days, each
named as a sentence; the 15th says its two notes; today is chosen and
focused; a key moves the chosen day and the new day is announced and
focused; the last-period box and the status texts say what they are.
"""

import datetime
import os
import struct
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib

DAYS = ["lunes", "martes", "miércoles", "jueves", "viernes", "sábado", "domingo"]
MONTHS = ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto",
          "septiembre", "octubre", "noviembre", "diciembre"]
OLE_EPOCH = datetime.date(1899, 12, 30)


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def ole_date(day):
    """A 12-byte agenda date: days since 30 December 1899 and status 0 (valid)."""
    return struct.pack("<di", float((day - OLE_EPOCH).days), 0)


def write_agenda(path, last_period, notes):
    """The agenda file: last-period date, note count, then each note."""
    data = ole_date(last_period) + struct.pack("<i", len(notes))
    for day, text in notes:
        raw = text.encode("cp1252")
        data += struct.pack("<i", len(raw)) + raw + ole_date(day) + ole_date(day)
        data += struct.pack("<if", -1, 0.0)
    with open(path, "wb") as out:
        out.write(data)


def notes_text(count):
    if count == 0:
        return "sin anotaciones"
    return "1 anotación" if count == 1 else "%d anotaciones" % count


def day_name(day, notes, today):
    """The name the program must give a day, worked out here on its own."""
    name = "%s, %d de %s de %d, %s" % (DAYS[day.weekday()], day.day, MONTHS[day.month - 1],
                                       day.year, notes_text(notes))
    return name + ", hoy" if day == today else name


def say_a_screen_reader_listens():
    """What Orca does at start: the accessibility bus's ScreenReaderEnabled."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def pump(seconds):
    """Lets the client's main loop deliver events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.02)


def wait_for(what, seconds, probe):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = probe()
        if found:
            return found
        pump(0.2)
    fail(what + " (waited %d s)" % seconds)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except GLib.Error:
            pass
    return None


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        # The days have no children; the calendar's 42 are read below.
        if child.getRole() != pyatspi.ROLE_LIST:
            yield from descendants(child)


def find(root, role, name=None):
    for node in descendants(root):
        if node.getRole() == role and (name is None or node.name == name):
            return node
    return None


def has_state(node, state):
    return node.getState().contains(state)


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def main():
    program = sys.argv[1]
    today = datetime.date.today()
    fifteenth = today.replace(day=15)
    last_period = fifteenth - datetime.timedelta(days=60)

    work = tempfile.mkdtemp(prefix="gestalia-atspi-")
    agenda = os.path.join(work, "agenda.gst")
    write_agenda(agenda, last_period,
                 [(fifteenth, "Ecografía"), (fifteenth, "Análisis de sangre")])

    say_a_screen_reader_listens()
    focus_events = []

    def on_focus(event):
        if event.detail1 == 1:
            focus_events.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")

    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program, agenda], env=env)
    try:
        app = wait_for("the program never reached the accessibility bus", 60,
                       lambda: application(process.pid))
        window = wait_for("no main window in the tree", 30,
                          lambda: find(app, pyatspi.ROLE_DIALOG))
        calendar = wait_for("no list named Calendario: the days cannot be reached", 30,
                            lambda: find(window, pyatspi.ROLE_LIST, "Calendario"))
        if calendar.childCount != 42:
            fail("the calendar has %d children, not the 42 days" % calendar.childCount)
        days = [calendar.getChildAtIndex(i) for i in range(42)]
        names = [d.name for d in days]
        if any(d.getRole() != pyatspi.ROLE_LIST_ITEM for d in days):
            fail("a day is not a list item")

        # The 15th with its two notes, where the grid puts it.
        first_of_month = today.replace(day=1)
        grid_start = first_of_month - datetime.timedelta(days=first_of_month.weekday())
        expected = [day_name(grid_start + datetime.timedelta(days=i),
                             2 if grid_start + datetime.timedelta(days=i) == fifteenth else 0,
                             today) for i in range(42)]
        if names != expected:
            wrong = [(got, want) for got, want in zip(names, expected) if got != want]
            fail("days read wrong, first: %r instead of %r" % wrong[0])
        fifteenth_name = day_name(fifteenth, 2, today)
        if fifteenth_name not in names:
            fail("no day reads %r" % fifteenth_name)

        # At start-up the keyboard is on the calendar, on today.
        chosen = days[(today - grid_start).days]
        if not has_state(chosen, pyatspi.STATE_SELECTED):
            fail("today is not the selected day")
        wait_for("today is not focused at start-up", 10,
                 lambda: has_state(chosen, pyatspi.STATE_FOCUSED))

        # A key moves the chosen day; the new one is announced and focused.
        key, step = ("Right", 1) if (today - grid_start).days < 41 else ("Left", -1)
        subprocess.run(["xdotool", "key", key], check=True)
        moved = today + datetime.timedelta(days=step)
        moved_name = day_name(moved, 2 if moved == fifteenth else 0, today)
        wait_for("no focus event for %r, heard %r" % (moved_name, focus_events), 10,
                 lambda: moved_name in focus_events)
        focused = [d.name for d in days if has_state(d, pyatspi.STATE_FOCUSED)]
        if focused != [moved_name]:
            fail("focused days after the key: %r, not %r" % (focused, [moved_name]))

        # Every input says what it is, every status text what it says.
        picker = find(window, pyatspi.ROLE_SPIN_BUTTON)
        if picker is None or picker.name != "Fecha de la última regla":
            fail("the last-period box is named %r" % (picker.name if picker else None))
        weeks = [n for n in descendants(window) if n.getRole() == pyatspi.ROLE_TEXT and
                 text_of(n).startswith("Estás de ")]
        if not weeks or weeks[0].name != text_of(weeks[0]):
            fail("the weeks text is named %r" % (weeks[0].name if weeks else None))
    finally:
        process.terminate()
        process.wait(10)
    print("OK: the calendar, its days and the inputs read through AT-SPI")


if __name__ == "__main__":
    main()
