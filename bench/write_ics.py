#!/usr/bin/env python3
"""Writes an .ics subscription of COUNT timed one-off events for the comparison benchmark, spread
over the year around today but never on today (so no "Today:" alert holds the start).
Usage: write_ics.py COUNT SEED"""
import datetime
import random
import sys

count, seed = int(sys.argv[1]), int(sys.argv[2])
rng = random.Random(seed)
today = datetime.date.today()
out = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Almanor bench//EN"]
for i in range(count):
    day = today + datetime.timedelta(days=rng.choice((-1, 1)) * rng.randint(1, 180))
    start = datetime.datetime.combine(day, datetime.time(rng.randint(7, 19), rng.choice((0, 30))))
    out += ["BEGIN:VEVENT", f"UID:bench-{seed}-{i}@almanor", "DTSTAMP:20260101T000000Z",
            "DTSTART:" + start.strftime("%Y%m%dT%H%M%S"),
            "DTEND:" + (start + datetime.timedelta(hours=1)).strftime("%Y%m%dT%H%M%S"),
            f"SUMMARY:Remote event {seed}-{i}"]
    out.append("END:VEVENT")
out.append("END:VCALENDAR")
sys.stdout.write("\r\n".join(out) + "\r\n")
