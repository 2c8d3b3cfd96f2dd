#!/usr/bin/env python3
"""A CalDAV server that stores nothing and answers at once, to time the clients alone: every PUT
is created (201, a new ETag), every collection is empty (a sync-collection REPORT or PROPFIND
answers an empty multistatus with a token), MKCALENDAR succeeds. HTTP/1.1 with keep-alive,
one thread per connection. Prints its port on the first line.
Usage: null_dav_server.py"""
import http.server
import itertools
import sys

EMPTY = (b'<?xml version="1.0" encoding="utf-8"?>\n<multistatus xmlns="DAV:">'
         b'<sync-token>http://null/sync/1</sync-token></multistatus>')
counter = itertools.count(1)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def answer(self, status, body=b'', headers=()):
        length = int(self.headers.get('Content-Length') or 0)
        if length:
            self.rfile.read(length)
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_PUT(self):
        self.answer(201, headers=[('ETag', f'"{next(counter)}"')])

    def do_MKCALENDAR(self):
        self.answer(201)

    def do_REPORT(self):
        self.answer(207, EMPTY, [('Content-Type', 'application/xml; charset=utf-8')])

    do_PROPFIND = do_REPORT


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
