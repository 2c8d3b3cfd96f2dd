#!/ usr / bin / env python3
"""Reads an exported .ics file with the icalendar package, a reader that shares nothing with
libical, checks what every calendar program expects of it and lists its events, one a line:
start date|yearly or once|summary (line breaks shown as \\n)."""
import datetime
import sys

from icalendar import Calendar


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def check_lines(raw):
    if not raw.endswith(b"\r\n"):
        fail("the file does not end with CR LF")
    for number, line in enumerate(raw.split(b"\r\n")[:-1], 1):
        if len(line) > 75:
            fail(f"line {number} is {len(line)} octets long, more than 75")
        if b"\n" in line or b"\r" in line:
            fail(f"line {number} holds a bare line break")
    raw.decode("utf-8")


def check_event(event, uids):
    if event.errors:
        fail(f"event errors: {event.errors}")
    for name in ("UID", "DTSTAMP", "DTSTART", "DTEND", "SUMMARY"):
        if name not in event:
            fail(f"an event lacks {name}")
    uid = str(event["UID"])
    if uid in uids:
        fail(f"UID {uid} is used twice")
    uids.add(uid)
    start = event.decoded("DTSTART")
    end = event.decoded("DTEND")
    if isinstance(start, datetime.datetime) or isinstance(end, datetime.datetime):
        fail(f"event {uid} is not an all-day event")
    if end != start + datetime.timedelta(days=1):
        fail(f"event {uid} does not end the day after it starts")
    stamp = event.decoded("DTSTAMP")
    if not isinstance(stamp, datetime.datetime) or stamp.utcoffset() != datetime.timedelta(0):
        fail(f"event {uid} has no DTSTAMP in UTC")
    yearly = False
    if "RRULE" in event:
        if event["RRULE"].get("FREQ") != ["YEARLY"] or len(event["RRULE"]) != 1:
            fail(f"event {uid} repeats other than yearly")
        yearly = True
    summary = str(event["SUMMARY"]).replace("\n", "\\n")
    return f"{start.isoformat()}|{'yearly' if yearly else 'once'}|{summary}"


def main(path):
    with open(path, "rb") as file:
        raw = file.read()
    check_lines(raw)
    calendar = Calendar.from_ical(raw)
    if calendar.name != "VCALENDAR" or calendar.errors:
        fail(f"not a clean calendar: {calendar.name} {calendar.errors}")
    if str(calendar.get("VERSION")) != "2.0":
        fail("VERSION is not 2.0")
    if "Almanor" not in str(calendar.get("PRODID", "")):
        fail("PRODID does not name Almanor")
    uids = set()
    for event in calendar.walk("VEVENT"):
        print(check_event(event, uids))


if __name__ == "__main__":
    main(sys.argv[1])
