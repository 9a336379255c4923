#!/usr/bin/env python3
"""Tabs benchmark: 24 tabs opened and closed in Corvane and in a bare Qt WebEngine window
with tabs, under Xvfb, driven by real X input.

Each run starts one program with a fresh home on a light start page served by a loopback
HTTP server in this script, and measures
  - the memory of the program's own process and of its whole process tree (the program and
    the engine's processes): private (Private_Clean + Private_Dirty of
    /proc/<pid>/smaps_rollup) and RSS, at three points: before (the start page shown and
    the program quiet for a while), open (24 tabs opened by a click into the start page, each
    tab's page opening the next one, all loaded and the program quiet), and after (15 s after
    a click on Close All);
  - the share of what opening the tabs took that closing them gave back within those 15 s;
  - the switch latency: from a click on a tab (its button in Corvane's tab row, its tab in the
    bare window's tab bar) to the first frame that shows the tab's page on the screen (each
    tab page has a colour of its own, read back from the screen at each frame the X server
    reports), and the frames that drew at least half the screen for each switch;
  - the time from the click into the start page to the 24th tab's page request.
The bare window and Corvane alternate, run by run, after one warm-up run of each that is
not counted.

Targets: Corvane's own process and its tree give back at least 80 % of what opening the
tabs took, within 15 s of Close All; Corvane's median switch latency is at most the bare
window's + 3 ms. Exit code 0: every target met; 2: a target missed; 1: the benchmark could
not run.
"""

import json
import os
import re
import shutil
import statistics
import sys
import tempfile
import time

import benchlib
import xframes
from benchlib import MIB

TABS = 24
SETTLE = 3.0
AFTER_CLOSE = 15.0
# Where Corvane's controls lie when its window fills a screen of 1280 x 1024 (the design's
# places): the tab buttons of the normal bar's tab row, 24 pixels apart, and Close All,
# which follows the highest tab in use.
CORVANE_TAB = (260, 86)  # tab 1's button
CORVANE_TAB_STEP = 24
CORVANE_CLOSE_ALL = (865, 86)  # with 24 tabs open
# A point of the page area that no bar, menu or panel covers, in both programs.
SAMPLE = (1000, 950)


def colour_of(n):
    """The page colour of tab n (0: the start page)."""
    return ((37 * n) % 200 + 40, (91 * n) % 200 + 40, (53 * n + 100) % 200 + 40)


def page(path, query, port):
    run = query.get("run", "")
    if path == "/start.html":
        # A click anywhere into the page opens the first tab.
        body = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Start</title></head>"
                "<body style=\"margin:0;background:rgb%s\" "
                "onclick=\"window.open('/tab.html?n=1&of=%d&run=%s')\">"
                "<div style=\"height:100vh\"><h1>Start</h1><p>A click opens the tabs.</p></div></body></html>"
                % (str(colour_of(0)), TABS, run))
        return 200, "text/html; charset=utf-8", body.encode()
    if path == "/tab.html":
        n = int(query.get("n", "1"))
        of = int(query.get("of", str(TABS)))
        following = ("<script>window.open('/tab.html?n=%d&of=%d&run=%s');</script>" % (n + 1, of, run)
                     if n < of else "")
        body = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Tab %d</title></head>"
                "<body style=\"margin:0;background:rgb%s\"><h1>Tab %d</h1><p>A page of its own colour.</p>%s"
                "</body></html>" % (n, str(colour_of(n)), n, following))
        return 200, "text/html; charset=utf-8", body.encode()
    if path == "/favicon.ico":
        return 404, "text/plain", b""
    return 404, "text/plain", b"not here"


def memory(pid):
    tree = benchlib.process_tree(pid)
    figures = [benchlib.memory_kib(p) for p in tree]
    return {"program_private": figures[0]["Private"] / MIB, "program_rss": figures[0]["Rss"] / MIB,
            "tree_private": sum(f["Private"] for f in figures) / MIB, "tree_rss": sum(f["Rss"] for f in figures) / MIB,
            "processes": len(tree)}


def wait_for(condition, timeout, step=0.02):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return None


class Places:
    """Where to click in one program."""

    def __init__(self, kind, output_path):
        self.kind = kind
        self.output_path = output_path

    def _bare(self):
        tabs, close = {}, None
        try:
            with open(self.output_path) as f:
                for line in f:
                    m = re.match(r"tab (\d+) (-?\d+) (-?\d+)$", line.strip())
                    if m:
                        tabs[int(m.group(1))] = (int(m.group(2)), int(m.group(3)))
                    m = re.match(r"close (-?\d+) (-?\d+)$", line.strip())
                    if m:
                        close = (int(m.group(1)), int(m.group(2)))
        except OSError:
            pass
        return tabs, close

    def tab(self, n):
        if self.kind == "bare":
            return self._bare()[0].get(n)
        return CORVANE_TAB[0] + (n - 1) * CORVANE_TAB_STEP, CORVANE_TAB[1]

    def close_all(self):
        if self.kind == "bare":
            return self._bare()[1]
        return CORVANE_CLOSE_ALL


def switch(screen, watch, at, colour, timeout=5.0):
    """Clicks at; returns the time from the press to the first frame that shows colour at the
    sample point, and the frames that drew at least half the screen until then."""
    mark = watch.mark()
    pressed = screen.click(*at)
    seen = mark
    shown = None
    deadline = time.monotonic() + timeout
    while shown is None and time.monotonic() < deadline:
        watch.wait_past(seen, 0.05)
        now = watch.mark()
        if now > seen:
            if screen.pixel(*SAMPLE) == colour:
                shown = watch.drawn(seen, now)[-1][0]
            seen = now
    if shown is None:
        return None, None
    rects = [r for r in watch.drawn(mark) if r[0] <= shown]
    return (shown - pressed) * 1000.0, len(xframes.full_frames(rects, watch.x.width * watch.x.height))


def one_run(kind, run_id, args, log, port, display, watch, screen, work):
    base = os.path.join(work, run_id)
    os.makedirs(base)
    home = benchlib.fresh_home(base)
    address = "http://127.0.0.1:%d/start.html?run=%s" % (port, run_id)
    if kind == "bare":
        cmd, cwd = [args.bare, "--tabs", address], base
    else:
        cmd, cwd = benchlib.corvane_copy(args.portable, base, address)
    output = os.path.join(base, "output.log")
    proc = benchlib.start(cmd, cwd, benchlib.program_env(home, display), output)
    places = Places(kind, output)
    result = {"kind": kind, "run": run_id}
    try:
        if not wait_for(lambda: log.first(run_id, "/start.html") and screen.pixel(*SAMPLE) == colour_of(0), 60):
            raise RuntimeError("%s: the start page did not show (see %s)" % (run_id, output))
        time.sleep(SETTLE)
        result["before"] = memory(proc.pid)

        # The tabs: a click into the start page opens the first; each opens the next.
        clicked = screen.click(*SAMPLE)
        if not wait_for(lambda: log.count(run_id, "/tab.html") >= TABS, 120):
            raise RuntimeError("%s: only %d of %d tabs were asked for" % (run_id, log.count(run_id, "/tab.html"), TABS))
        result["open_s"] = max(t for t, r, p in log.requests if r == run_id and p == "/tab.html") - clicked
        if not wait_for(lambda: screen.pixel(*SAMPLE) == colour_of(TABS), 30):
            raise RuntimeError("%s: the last tab did not show" % run_id)
        if not wait_for(lambda: places.tab(TABS) is not None, 10):
            raise RuntimeError("%s: the tabs' places are not known" % run_id)
        time.sleep(SETTLE)
        result["open"] = memory(proc.pid)

        # Switches between tabs, in an order that jumps about.
        latencies, frames = [], []
        for k in range(args.switches):
            n = 1 + (7 * k + 3) % TABS
            if n == TABS and k == 0:
                n = 1
            latency, drawn = switch(screen, watch, places.tab(n), colour_of(n))
            if latency is None:
                raise RuntimeError("%s: tab %d did not show after a click on it" % (run_id, n))
            latencies.append(latency)
            frames.append(drawn)
            time.sleep(0.3)
        result["switch_ms"] = latencies
        result["switch_frames"] = frames

        # Close All; 15 s later.
        screen.click(*places.close_all())
        if not wait_for(lambda: screen.pixel(*SAMPLE) == colour_of(0), 10):
            raise RuntimeError("%s: Close All did not bring the start page back" % run_id)
        time.sleep(AFTER_CLOSE)
        result["after"] = memory(proc.pid)
        result["load_average"] = os.getloadavg()[0]
    finally:
        benchlib.end_tree(proc)
    return result


def given_back(run, key):
    took = run["open"][key] - run["before"][key]
    return (run["open"][key] - run["after"][key]) / took if took > 0 else float("nan")


def main():
    args = benchlib.arguments(__doc__, 3, lambda ap: ap.add_argument(
        "--switches", type=int, default=24, help="tab switches in each run (default 24)"))
    if not args:
        return 1

    log = benchlib.PageLog()
    server = benchlib.serve(log, page)
    port = server.server_address[1]
    work = tempfile.mkdtemp(prefix="corvane-tabs-bench-")
    results = []
    xvfb = watch = screen = None
    kinds = ["bare", "corvane"]
    try:
        xvfb, display = benchlib.start_xvfb("1280x1024", os.path.join(work, "xvfb.log"))
        watch = xframes.DamageWatch(display)
        screen = xframes.Screen(display)
        if args.warmup:
            for kind in kinds:
                one_run(kind, "%s-warm-up" % kind, args, log, port, display, watch, screen, work)
        for r in range(args.runs):
            for kind in kinds[r % 2:] + kinds[:r % 2]:
                res = one_run(kind, "%s-%d" % (kind, r), args, log, port, display, watch, screen, work)
                results.append(res)
                print("%-8s run %d  program private MiB: before %6.1f  open %6.1f  after %6.1f (%3.0f %% back)   "
                      "tree private: %6.1f  %6.1f  %6.1f (%3.0f %% back)   tree RSS: %6.1f  %6.1f  %6.1f   "
                      "24 tabs in %.1f s   switch median %5.1f ms (%4.1f-%5.1f), frames %g   load %.2f"
                      % (kind, r + 1, res["before"]["program_private"], res["open"]["program_private"],
                         res["after"]["program_private"], 100 * given_back(res, "program_private"),
                         res["before"]["tree_private"], res["open"]["tree_private"], res["after"]["tree_private"],
                         100 * given_back(res, "tree_private"), res["before"]["tree_rss"], res["open"]["tree_rss"],
                         res["after"]["tree_rss"], res["open_s"], statistics.median(res["switch_ms"]),
                         min(res["switch_ms"]), max(res["switch_ms"]), statistics.median(res["switch_frames"]),
                         res["load_average"]), flush=True)
    except RuntimeError as e:
        print(e, file=sys.stderr)
        return 1
    finally:
        for x in (screen, watch):
            if x:
                x.close()
        if xvfb:
            benchlib.end_tree(xvfb)
        server.shutdown()
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print("runs kept in", work)

    def med(kind, f):
        return statistics.median(f(r) for r in results if r["kind"] == kind)

    print("\nmedians of %d runs each" % args.runs)
    for kind in kinds:
        print("%-8s program private: %.1f -> %.1f -> %.1f MiB (%.0f %% back); tree private %.1f -> %.1f -> %.1f MiB "
              "(%.0f %% back); switch %.1f ms, %g frames each; 24 tabs in %.1f s"
              % (kind, med(kind, lambda r: r["before"]["program_private"]), med(kind, lambda r: r["open"]["program_private"]),
                 med(kind, lambda r: r["after"]["program_private"]), 100 * med(kind, lambda r: given_back(r, "program_private")),
                 med(kind, lambda r: r["before"]["tree_private"]), med(kind, lambda r: r["open"]["tree_private"]),
                 med(kind, lambda r: r["after"]["tree_private"]), 100 * med(kind, lambda r: given_back(r, "tree_private")),
                 statistics.median(x for r in results if r["kind"] == kind for x in r["switch_ms"]),
                 statistics.median(x for r in results if r["kind"] == kind for x in r["switch_frames"]),
                 med(kind, lambda r: r["open_s"])))
    loads = [r["load_average"] for r in results]
    print("load average (1 min) at the runs' ends: median %.2f, lowest %.2f, highest %.2f"
          % (statistics.median(loads), min(loads), max(loads)))
    switch_c = statistics.median(x for r in results if r["kind"] == "corvane" for x in r["switch_ms"])
    switch_b = statistics.median(x for r in results if r["kind"] == "bare" for x in r["switch_ms"])
    checks = [
        ("closing 24 tabs gives back at least 80 % of what opening them took, within 15 s: Corvane's own process",
         min(given_back(r, "program_private") for r in results if r["kind"] == "corvane") >= 0.8,
         "lowest of the runs %.0f %%" % (100 * min(given_back(r, "program_private") for r in results
                                                 if r["kind"] == "corvane"))),
        ("the same for Corvane's whole process tree",
         min(given_back(r, "tree_private") for r in results if r["kind"] == "corvane") >= 0.8,
         "lowest of the runs %.0f %%" % (100 * min(given_back(r, "tree_private") for r in results
                                                 if r["kind"] == "corvane"))),
        ("Corvane's median switch latency <= the bare window's + 3 ms", switch_c <= switch_b + 3,
         "%.1f ms vs %.1f ms (%+.1f)" % (switch_c, switch_b, switch_c - switch_b)),
    ]
    print()
    missed = False
    for text, ok, detail in checks:
        print("%-4s %s: %s" % ("ok" if ok else "MISS", text, detail))
        missed |= not ok
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, indent=1)
    return 2 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
