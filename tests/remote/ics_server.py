#!/usr/bin/python3
"""A small HTTP server for the remote calendar tests, on 127.0.0.1 at a free port.

Serves the files of a folder with an ETag (of their bytes) and Last-Modified, answers a matching
If-None-Match or If-Modified-Since with 304, and compresses when the client accepts gzip. Some
paths misbehave on purpose: /status/N answers N, /loop redirects to itself, /slow waits,
/big sends more than the client takes. GET /counts gives "200=a 304=b". Prints its port.
With a certificate and key file after the folder it speaks TLS.
"""
import email.utils
import gzip
import hashlib
import http.server
import os
import ssl
import sys
import time

root = sys.argv[1]
counts = {200: 0, 304: 0}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, status, body, kind="text/calendar", extra=()):
        if status in counts:
            counts[status] += 1
        if "gzip" in self.headers.get("Accept-Encoding", "") and body:
            body = gzip.compress(body)
            extra = list(extra) + [("Content-Encoding", "gzip")]
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_PROPFIND(self):
        # A plain web server: no WebDAV here.
        self.rfile.read(int(self.headers.get("Content-Length", 0)))
        self.send_body(405, b"", "text/plain", [("Allow", "GET")])

    def do_GET(self):
        path = self.path.split("?")[0]
        if path == "/counts":
            text = "200=%d 304=%d" % (counts[200], counts[304])
            self.send_body(299, text.encode(), "text/plain")
            return
        if path.startswith("/status/"):
            self.send_body(int(path[8:]), b"<html><body>No</body></html>", "text/html")
            return
        if path == "/loop":
            step = int(self.path.partition("?")[2] or 0)
            self.send_response(302)
            self.send_header("Location", "/loop?%d" % ((step + 1) % 2))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if path == "/slow":
            time.sleep(5)
        if path == "/big":
            self.send_response(200)
            self.send_header("Content-Type", "text/calendar")
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            chunk = b"X" * (1 << 20)
            try:
                for _ in range(64):
                    self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
                self.wfile.write(b"0\r\n\r\n")
            except OSError:
                pass
            return
        name = os.path.join(root, os.path.basename(path))
        if not os.path.isfile(name):
            self.send_body(404, b"not found", "text/plain")
            return
        with open(name, "rb") as f:
            body = f.read()
        etag = '"%s"' % hashlib.sha1(body).hexdigest()
        modified = email.utils.formatdate(os.path.getmtime(name), usegmt=True)
        if self.headers.get("If-None-Match") == etag:
            self.send_body(304, b"", extra=[("ETag", etag)])
            return
        kind = "text/html" if name.endswith(".html") else "text/calendar"
        self.send_body(200, body, kind, [("ETag", etag), ("Last-Modified", modified)])


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
if len(sys.argv) > 3:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[2], sys.argv[3])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
