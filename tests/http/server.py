#!/usr/bin/env python3
"""Test HTTP server for the request objects: 127.0.0.1 only, on a free port.

usage: server.py PORTFILE EXPECTED_BINARY [CERT KEY]
Writes the port to PORTFILE once listening (with CERT and KEY, then a space
and the port of the same server over HTTPS), and the bytes /binary serves to
EXPECTED_BINARY. Stops by itself after two minutes.
"""
import os
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

BINARY = bytes(range(256)) * 40 + b"\r\n\x00\x1a end"


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, code, body, ctype="text/plain", extra=(), reason=None):
        self.send_response(code, reason)
        if ctype:
            self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        for k, v in extra:
            self.send_header(k, v)
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def body(self):
        n = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(n) if n else b""

    def handle_any(self):
        path = self.path
        data = self.body()
        if path == "/hello":
            self.reply(200, b"Hello, world", "text/plain; charset=utf-8", [("X-Test", "yes"), ("X-Multi", "a"), ("X-Multi", "b")])
        elif path.startswith("/echo"):
            lines = [f"{self.command} {path}"]
            for name in sorted(self.headers.keys(), key=str.lower):
                low = name.lower()
                if low in ("content-type", "user-agent", "content-length", "authorization") or low.startswith("x-"):
                    lines.append(f"{low}: {self.headers[name]}")
            lines.append("body: " + data.decode("utf-8", "backslashreplace"))
            self.reply(200, "\n".join(lines).encode("utf-8"), "text/plain; charset=utf-8")
        elif path.startswith("/auth"):
            auth = self.headers.get("Authorization")
            if auth:
                self.reply(200, f"{self.command} with {auth}".encode(), "text/plain")
            else:
                self.reply(401, b"who are you?", "text/plain", [("WWW-Authenticate", 'Basic realm="test"')])
        elif path.startswith("/to-http?"):
            self.reply(302, b"", "text/plain", [("Location", path.split("?", 1)[1])])
        elif path == "/redirect":
            self.reply(302, b"moved", "text/plain", [("Location", "/hello")])
        elif path == "/redirect-post":
            self.reply(303, b"", "text/plain", [("Location", "/echo?after=303")])
        elif path == "/loop":
            self.reply(302, b"", "text/plain", [("Location", "/loop")])
        elif path == "/latin1":
            self.reply(200, "café crème".encode("iso-8859-1"), "text/plain; charset=ISO-8859-1")
        elif path == "/win1252":
            self.reply(200, "“€5” – ok".encode("cp1252"), 'text/html; charset="windows-1252"')
        elif path == "/utf8":
            self.reply(200, "naïve ☃ 日本".encode("utf-8"), "text/plain;charset=utf-8")
        elif path == "/nocharset":
            self.reply(200, "Grüße".encode("utf-8"), "text/plain")
        elif path == "/utf16bom":
            self.reply(200, b"\xff\xfe" + "Grüße".encode("utf-16-le"), "text/plain")
        elif path == "/binary":
            self.reply(200, BINARY, "application/octet-stream")
        elif path == "/xml":
            self.reply(200, b'<?xml version="1.0"?><root><item id="1">one</item></root>', "application/xml")
        elif path == "/json":
            self.reply(200, '{"name": "Zoë", "items": [1, 2, 3]}'.encode("utf-8"), "application/json; charset=utf-8")
        elif path == "/teapot":
            self.reply(418, b"short and stout", "text/plain", reason="I'm a teapot")
        elif path == "/slow":
            time.sleep(20)
            self.reply(200, b"late", "text/plain")
        else:
            self.reply(404, b"no such page: " + path.encode(), "text/plain")

    do_GET = do_POST = do_PUT = do_DELETE = do_HEAD = do_PATCH = handle_any


def main():
    servers = [ThreadingHTTPServer(("127.0.0.1", 0), Handler)]
    if len(sys.argv) > 4:
        tls = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        ctx.load_cert_chain(sys.argv[3], sys.argv[4])
        tls.socket = ctx.wrap_socket(tls.socket, server_side=True)
        servers.append(tls)
    for s in servers:
        s.daemon_threads = True
    with open(sys.argv[2], "wb") as f:
        f.write(BINARY)
    with open(sys.argv[1] + ".tmp", "w") as f:
        f.write(" ".join(str(s.server_address[1]) for s in servers))
    os.rename(sys.argv[1] + ".tmp", sys.argv[1])
    for s in servers[1:]:
        threading.Thread(target=s.serve_forever, daemon=True).start()
    threading.Timer(120, servers[0].shutdown).start()
    servers[0].serve_forever()


if __name__ == "__main__":
    main()
