#!/usr/bin/env python3
"""The baseline of the note sync's first upload: a plain client that makes a calendar and PUTs
COUNT all-day events into it, one after the other over one kept-alive connection, with the same
conditional header (If-None-Match: *) and events of the same shape and size as the sync's.
Prints the seconds the PUTs took (the MKCALENDAR not counted).
Usage: plain_puts.py PORT USER PASSWORD COLLECTION_PATH COUNT"""
import base64
import datetime
import http.client
import sys
import time

port, user, password, path, count = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(
    sys.argv[5])
auth = 'Basic ' + base64.b64encode(f'{user}:{password}'.encode()).decode()
connection = http.client.HTTPConnection('127.0.0.1', int(port))


def send(verb, url, body, headers):
    connection.request(verb, url, body, {'Authorization': auth, **headers})
    answer = connection.getresponse()
    answer.read()
    return answer.status


if send('MKCALENDAR', path, b'', {}) != 201:
    sys.exit('MKCALENDAR failed')
today = datetime.date.today()
started = time.monotonic()
for i in range(count, 0, -1):
    d = today - datetime.timedelta(days=i)
    e = d + datetime.timedelta(days=1)
    text = f'Meeting & notes for event {i}, room {i % 40}'
    body = (f'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Almanor//Notes//EN\r\nBEGIN:VEVENT\r\n'
            f'UID:plain-{i:08d}-0000-4000-8000-000000000000@almanor\r\n'
            f'DTSTAMP:20261208T120000Z\r\nDTSTART;VALUE=DATE:{d:%Y%m%d}\r\n'
            f'DTEND;VALUE=DATE:{e:%Y%m%d}\r\nSUMMARY:{text}\r\nDESCRIPTION:{text}\r\n'
            f'X-ALMANOR-NOTE:1\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n').encode()
    status = send('PUT', f'{path}plain-{i}.ics', body,
                  {'Content-Type': 'text/calendar; charset=utf-8', 'If-None-Match': '*'})
    if status != 201:
        sys.exit(f'PUT {i} answered {status}')
print(f'{time.monotonic() - started:.2f}')
