#!/usr/bin/env python3
"""Serves the browser build on 127.0.0.1 with the two headers its threads need.

    tools/serve_web.py [DIR] [--port N]

DIR is the built page (build-web/web). The port is 8080 unless given; 0
takes a free one. The address served is printed on the first line. A
file's .br or .gz beside it (the build writes both) is sent instead when
the browser accepts that encoding.
"""
import argparse
import functools
import http.server
import os
import sys

# Best first.
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))


def accepted_encodings(header):
    """The encodings an Accept-Encoding header allows (a q of 0 refuses one)."""
    accepted = set()
    for part in (header or "").split(","):
        name, _, params = part.strip().partition(";")
        if params.strip().replace(" ", "") in ("q=0", "q=0.0", "q=0.00", "q=0.000"):
            continue
        if name:
            accepted.add(name.strip().lower())
    return accepted


class PageHandler(http.server.SimpleHTTPRequestHandler):
    # Shared memory, which the game's two threads use, needs an isolated page.
    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.split("?", 1)[0].endswith("/"):
            path = os.path.join(path, "index.html")
        accepted = accepted_encodings(self.headers.get("Accept-Encoding"))
        for name, suffix in ENCODINGS:
            if name in accepted and os.path.isfile(path) and os.path.isfile(path + suffix):
                encoded = open(path + suffix, "rb")
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(path))
                self.send_header("Content-Encoding", name)
                self.send_header("Content-Length", str(os.fstat(encoded.fileno()).st_size))
                self.end_headers()
                return encoded
        return super().send_head()

    def log_message(self, format, *args):
        pass  # quiet: the tests read the first line only


def main():
    parser = argparse.ArgumentParser(description="Serve the browser build of Brinefall on 127.0.0.1.")
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build-web", "web")
    parser.add_argument("dir", nargs="?", default=default)
    parser.add_argument("--port", type=int, default=8080)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.dir, "index.html")):
        sys.exit(f"serve_web: no page in {args.dir}: build it with emcmake cmake -S . -B build-web && cmake --build build-web")
    PageHandler.extensions_map = {**PageHandler.extensions_map, ".wasm": "application/wasm", ".js": "text/javascript",
                                  ".webmanifest": "application/manifest+json"}
    handler = functools.partial(PageHandler, directory=args.dir)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    print(f"http://127.0.0.1:{server.server_port}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
