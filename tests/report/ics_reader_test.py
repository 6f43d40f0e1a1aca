"""gestalia-tool export-ics, read by python3-icalendar: an event for each note with
a date and an all-day event on the due date; texts with accents, commas,
semicolons, backslashes and line breaks come back as they were written; times
are floating; every physical line ends in CR LF within 75 octets; a second
export gives the same UIDs.
    ics_reader_test.py GESTALIA_TOOL"""

import datetime
import os
import subprocess
import sys
import tempfile

import icalendar

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import agenda_fixture  # noqa: E402

failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def export(tool, agenda):
    run = subprocess.run([tool, "export-ics", agenda], capture_output=True, check=False)
    check(run.returncode == 0, "export-ics exits 0")
    check(b"1 nota no tiene una fecha" in run.stderr, "the note without a date is named")
    return run.stdout


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        agenda = os.path.join(work, "agenda.gst")
        with open(agenda, "wb") as f:
            f.write(agenda_fixture.sample_agenda())
        raw = export(tool, agenda)

    lines = raw.split(b"\r\n")
    check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""),
          "every line ends in CR LF and nothing else")
    check(max(len(line) for line in lines) <= 75, "no physical line is over 75 octets")
    check(any(line.startswith(b" ") for line in lines), "long lines are folded")
    raw.decode("utf-8")  # throws on a character split by a fold

    calendar = icalendar.Calendar.from_ical(raw)
    check(str(calendar["VERSION"]) == "2.0" and "PRODID" in calendar, "VERSION and PRODID")
    events = calendar.walk("VEVENT")
    dated = [n for n in agenda_fixture.NOTES if n["from"]]
    check(len(events) == len(dated) + 1, f"{len(events)} events: one per dated note and the due date")

    for note, event in zip(dated, events):
        text = note["text"]
        start = event.decoded("DTSTART")
        check(start == note["from"] and start.tzinfo is None,
              f"{start} is the note's start, floating")
        check(str(event["SUMMARY"]) == text.split("\n")[0], f"SUMMARY {str(event['SUMMARY'])!r}")
        description = str(event["DESCRIPTION"])
        check(description.startswith(text), f"DESCRIPTION starts with the whole text {text!r}")
        if "weight" in note:
            kilos = f"{note['weight']:g}".replace(".", ",")
            check(f"Peso: {kilos} kg" in description, f"DESCRIPTION holds the weight {kilos}")
    visit = str(events[len(dated) - 1]["DESCRIPTION"])
    check("TA 118/75 mmHg, AU 27,5 cm, FCF 142 lpm, edemas: sí" in visit,
          "DESCRIPTION holds the visit data")

    due = events[-1]
    start, end = due.decoded("DTSTART"), due.decoded("DTEND")
    check(type(start) is datetime.date and end - start == datetime.timedelta(days=1),
          f"the due date {start} is one whole day")
    check(start == (agenda_fixture.LAST_PERIOD + datetime.timedelta(days=280)).date(),
          "the due date is 280 days after the last period")

    uids = [str(e["UID"]) for e in events]
    check(len(set(uids)) == len(uids), "every UID is its own")
    with tempfile.TemporaryDirectory() as work:
        again = os.path.join(work, "copia.gst")
        with open(again, "wb") as f:
            f.write(agenda_fixture.sample_agenda())
        second = icalendar.Calendar.from_ical(export(tool, again))
    check([str(e["UID"]) for e in second.walk("VEVENT")] == uids,
          "a second export gives the same UIDs")
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
