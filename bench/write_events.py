#!/usr/bin/env python3
"""Writes a calendar.dat to standard output: one event a day for the COUNT days up to yesterday.
This month's boxes before today hold captions to fit, and nothing falls on today, so no "Today: "
alert holds a start-up. Usage: write_events.py COUNT"""
import datetime
import sys

count, today = int(sys.argv[1]), datetime.date.today()
out = sys.stdout.buffer
for i in range(count, 0, -1):
    d = today - datetime.timedelta(days=i)
    out.write(f'"{d.day}/{d.month}/{d.year}=Meeting && notes for event {i}, room {i % 40}"\r\n'
              .encode())
