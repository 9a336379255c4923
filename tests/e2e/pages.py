"""The page server of the end-to-end tests: a loopback HTTP server that logs every request
(path, query and Cookie header) and serves the pages the tests drive.

Pages tell the harness what happened in them by asking the server for small addresses
(/ready, /typed, /written ...), so a test waits on the log instead of guessing. Every page
that a test clicks into lays its target out big, from the top-left corner of the page,
so that a click at a known offset from the browser's corner hits it whatever the fonts."""

import html
import json
import http.server
import threading
import time
import urllib.parse

COOKIE_VALUE = "kept"
# Pages that a test must see on the screen (the one written into a blank window, the one a
# target=_blank link opens) fill it with this colour: a picture of the screen tells whether
# they are shown.
FILL = (0x28, 0xaa, 0x78)
FILL_CSS = "#28aa78"
DOWNLOAD_NAME = "e2e-download.txt"
DOWNLOAD_BODY = b"Saved by the end-to-end test of downloads.\n"

STYLE = ("<style>body{margin:0;font:16px sans-serif;background:#fff}"
         ".big{position:absolute;display:block;box-sizing:border-box;border:2px solid #357;"
         "background:#dde8f4;color:#123;font-size:22px;text-decoration:none;padding:12px}"
         "#status{position:absolute;left:20px;top:470px}</style>")

# Where the big targets stand, in pixels from the page's top-left corner.
FIRST = (20, 20, 420, 180)    # left, top, width, height
SECOND = (20, 240, 420, 180)


def centre(box):
    left, top, width, height = box
    return left + width // 2, top + height // 2


def _box(box):
    return "left:%dpx;top:%dpx;width:%dpx;height:%dpx" % box


def page(title, body, script=""):
    return ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%s</title>%s</head>"
            "<body>%s<script>%s</script></body></html>" % (html.escape(title), STYLE, body, script)).encode()


def ready(name):
    """The script line that tells the server the page has run its scripts."""
    return "fetch('/ready?p=%s');" % name


class Request:
    def __init__(self, when, method, path, query, cookie, target):
        self.when = when
        self.method = method
        self.path = path
        self.query = query      # dict of first values
        self.cookie = cookie    # the Cookie header, "" when none
        self.target = target    # the request line's target as sent

    def __repr__(self):
        return "%8.3f %s %s%s" % (self.when, self.method, self.target,
                                  "  [Cookie: %s]" % self.cookie if self.cookie else "")


class PageServer:
    def __init__(self):
        self.lock = threading.Lock()
        self.requests = []
        self.t0 = time.monotonic()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_GET(self):
                url = urllib.parse.urlsplit(self.path)
                query = {k: v[0] for k, v in urllib.parse.parse_qs(url.query, keep_blank_values=True).items()}
                server.log(Request(time.monotonic() - server.t0, "GET", url.path, query,
                                   self.headers.get("Cookie", ""), self.path))
                server.serve(self, url.path, query)

            def reply(self, status, ctype="text/html; charset=utf-8", body=b"", headers=()):
                self.send_response(status)
                if status != 204:
                    self.send_header("Content-Type", ctype)
                    self.send_header("Content-Length", str(len(body)))
                for k, v in headers:
                    self.send_header(k, v)
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                if status != 204:
                    self.wfile.write(body)

        class Server(http.server.ThreadingHTTPServer):
            daemon_threads = True

            def handle_error(self, request, client_address):
                pass  # a program that dies or ends drops its connections: not news

        self.httpd = Server(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.port, path)

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()

    # ---- the log

    def log(self, request):
        with self.lock:
            self.requests.append(request)

    def seen(self, path, **query):
        """The requests for a path whose query holds the given values."""
        with self.lock:
            return [r for r in self.requests
                    if r.path == path and all(r.query.get(k) == v for k, v in query.items())]

    def values(self, path, key):
        with self.lock:
            return [r.query.get(key) for r in self.requests if r.path == path]

    def text(self):
        with self.lock:
            return "\n".join(repr(r) for r in self.requests) + "\n"

    # ---- the pages

    def serve(self, h, path, query):
        if path.startswith("/page/"):
            # Plain pages: /page/NAME.html, ?fill=1 paints them in the fill colour.
            name = path[len("/page/"):].rsplit(".", 1)[0]
            fill = "<style>body{background:%s}</style>" % FILL_CSS if query.get("fill") else ""
            h.reply(200, body=page("Page " + name, fill + "<h1>Page %s</h1><p>A plain page.</p>" % html.escape(name),
                                   ready(name)))
        elif path == "/rewrite.html":
            # Rewrites its address at every key; reports what the field holds and when it
            # takes or loses the focus.
            how = "pushState" if query.get("how") == "push" else "replaceState"
            body = ("<input id=\"field\" class=\"big\" style=\"%s\" autocomplete=\"off\">"
                    "<p id=\"status\">Type into the field.</p>" % _box(FIRST))
            script = ("var f=document.getElementById('field');"
                      "f.addEventListener('focus',function(){fetch('/focus?in=1');});"
                      "f.addEventListener('blur',function(){fetch('/focus?in=0');});"
                      "f.addEventListener('input',function(){"
                      " history.%s(null,'','/rewrite.html?how=%s&q='+encodeURIComponent(f.value));"
                      " fetch('/typed?v='+encodeURIComponent(f.value));});"
                      % (how, query.get("how", "replace"))) + ready("rewrite")
            h.reply(200, body=page("Rewrite", body, script))
        elif path == "/ticker.html":
            # Ticks its hash every 200 ms and tells each tick; the counter stands far from
            # the menus.
            body = "<p style=\"position:absolute;left:20px;top:600px\" id=\"n\">0</p>"
            script = ("var n=0;setInterval(function(){n++;location.hash='t'+n;"
                      "document.getElementById('n').textContent=n;fetch('/tick?n='+n);},200);") + ready("ticker")
            h.reply(200, body=page("Ticker", body, script))
        elif path == "/opener.html":
            # Opens a blank window and writes into it; the written page reports itself.
            written = ("<title>Written</title><style>body{background:%s}</style><h1>Written by the opener</h1>"
                       "<img src=\"%s\" width=\"16\" height=\"16\">"
                       "<script>fetch('%s?vis='+document.visibilityState);</script>"
                       % (FILL_CSS, self.url("/written.png"), self.url("/written")))
            literal = json.dumps(written).replace("</", "<\\/")
            body = "<button id=\"go\" class=\"big\" style=\"%s\">Open a blank window</button>" % _box(FIRST)
            script = ("document.getElementById('go').onclick=function(){"
                      " var w=window.open('','_blank');"
                      " fetch('/opened?got='+(w?1:0));"
                      " if(w){w.document.write(%s);w.document.close();}};" % literal) + ready("opener")
            h.reply(200, body=page("Opener", body, script))
        elif path == "/window-open.html":
            # A button that opens an ordinary page in a new window (?fill=1: a filled page).
            body = "<button id=\"go\" class=\"big\" style=\"%s\">Open a window</button>" % _box(FIRST)
            opened = "/page/second.html" + ("?fill=1" if query.get("fill") else "")
            script = ("document.getElementById('go').onclick=function(){window.open('%s');};" % opened
                      + ready("window-open"))
            h.reply(200, body=page("Window open", body, script))
        elif path == "/links.html":
            # A first link (a download or a 204) and a target=_blank link under it.
            first = query.get("first", "download")
            href = "/download/" + DOWNLOAD_NAME if first == "download" else "/no-content"
            body = ("<a id=\"first\" class=\"big\" style=\"%s\" href=\"%s\">%s</a>"
                    "<a id=\"blank\" class=\"big\" style=\"%s\" href=\"/page/blank-target.html?fill=1\" target=\"_blank\">"
                    "Open in a new window</a>" % (_box(FIRST), href, html.escape(first), _box(SECOND)))
            h.reply(200, body=page("Links", body, ready("links")))
        elif path.startswith("/download/"):
            h.reply(200, "application/octet-stream", DOWNLOAD_BODY,
                    [("Content-Disposition", "attachment; filename=\"%s\"" % path[len("/download/"):])])
        elif path == "/no-content":
            h.reply(204)
        elif path == "/cookie.html":
            # Sets a lasting cookie from the server and one from the page's script.
            script = ("document.cookie='e2e_script=%s; max-age=86400; path=/';" % COOKIE_VALUE) + ready("cookie")
            h.reply(200, body=page("Cookie", "<h1>Cookies set</h1>", script),
                    headers=[("Set-Cookie", "e2e_header=%s; Max-Age=86400; Path=/" % COOKIE_VALUE)])
        elif path == "/cookie-alert.html":
            # Sets a lasting cookie from the server and one from the page's script, then
            # raises an alert that stays open until someone answers it.
            script = ("document.cookie='e2e_script=%s; max-age=86400; path=/';" % COOKIE_VALUE + ready("cookie-alert")
                      + "setTimeout(function(){fetch('/alerting').then(function(){alert('Stay with me');});},0);")
            h.reply(200, body=page("Cookie alert", "<h1>An alert comes</h1>", script),
                    headers=[("Set-Cookie", "e2e_header=%s; Max-Age=86400; Path=/" % COOKIE_VALUE)])
        elif path == "/alert-loop.html":
            # One alert after another, for as long as the user answers them.
            # (The loop waits for the server to have heard of the page: a page in an alert
            # sends nothing.)
            script = ("fetch('/ready?p=alert-loop').then(function(){"
                      "for(var i=0;i<1000;i++){alert('Again '+i);}fetch('/loop-ended');});")
            h.reply(200, body=page("Alert loop", "<h1>Alerts</h1>", script))
        elif path == "/echo-cookie.html":
            h.reply(200, body=page("Echo", "<pre>%s</pre>" % html.escape(h.headers.get("Cookie", "")),
                                   ready("echo")))
        elif path == "/text.html":
            # Lines of words from edge to edge: any part of the page that is not drawn shows.
            lines = "".join("<p style=\"margin:2px\">%s</p>" % " ".join("word%02d-%02d" % (r, c) for c in range(24))
                            for r in range(60))
            h.reply(200, body=page("Text", lines, ready("text")))
        elif path == "/slow.html":
            time.sleep(min(float(query.get("ms", "2000")) / 1000.0, 30.0))
            h.reply(200, body=page("Slow", "<h1>Slow</h1>", ready("slow")))
        elif path in ("/ready", "/typed", "/focus", "/tick", "/opened", "/written", "/written.png", "/alerting",
                      "/loop-ended"):
            h.reply(204)
        else:
            h.reply(404, "text/plain", b"not here")
