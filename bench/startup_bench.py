#!/usr/bin/env python3
"""Start-up benchmark: Corvane against a bare Qt WebEngine window.

Under Xvfb, each run starts one program with a fresh home folder on a home page served by a
loopback HTTP server in this script (the same page for both programs, nothing added to
either), and measures
  - the time from process start to the page's request, to its picture (the full page only)
    and to the request its onload handler makes once the page and everything in it has
    loaded (what a user perceives as "the page is ready");
  - the frames put on the screen in each phase of the start: launch to the page's request,
    the request to onload, and onload to 2 s later, counted by the X server (DAMAGE events);
    a frame that draws at least half the screen is a composed window;
  - the CPU time of the whole process tree (the program and the engine's processes) from
    launch to 2 s after onload;
  - 2 s after onload, the private memory (Private_Clean + Private_Dirty, from
    /proc/<pid>/smaps_rollup) of the program's own process and of the whole tree, their PSS,
    and how many of the processes are the engine's;
  - on a quiet machine, the wake-ups of the program's main thread (context switches a
    second) over the 3 s after that, while nothing loads: a timer of the program that keeps
    running shows here, as 5 wake-ups a second for every 200 ms timer.

Two pages: "light" (a few lines of text, no picture) and "full" (forty paragraphs and a
picture at the end). Two conditions: "quiet", and "loaded", with a CPU-bound process at the
lowest priority on every core but one, as another program's build beside the browser. The
programs: the bare window (bench_bare_web_window: one view filling the screen, a persistent
named profile), Corvane with one main browser and, on the full page, Corvane with six
configured main browsers (a settings file with MainBrowserLastIndex 5). After one warm-up
run of each that is not counted, every series runs its programs in turn, round after round,
the order turning each round.

Exit code 0: every target met; 2: a target missed; 1: the benchmark could not run.
"""

import argparse
import json
import os
import shutil
import statistics
import struct
import sys
import tempfile
import time
import zlib

import benchlib
import xframes
from benchlib import MIB

SERIES = {
    # name: (page, condition, programs)
    "full": ("full", "quiet", ("bare", "corvane1", "corvane6")),
    "light": ("light", "quiet", ("bare", "corvane1")),
    "light-loaded": ("light", "loaded", ("bare", "corvane1")),
}
PHASES = ("launch to request", "request to onload", "onload to +2 s")
SETTLE = 2.0


# --------------------------------------------------------------------------------------
# The pages


def make_png():
    # A 1 x 1 grey picture.
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"\x00\x80")) + chunk(b"IEND", b""))


PNG = make_png()


def page(path, query, port):
    run = query.get("run", "")
    onload = "fetch('http://127.0.0.1:%d/onload?run=%s',{cache:'no-store'})" % (port, run)
    head = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Home</title>"
            "<style>body{font-family:sans-serif;margin:2em}</style></head>")
    if path == "/full.html":
        paragraphs = "".join(
            "<p>Paragraph %d of the home page: a few lines of ordinary text, as a start page has them, "
            "so that the engine lays out and paints a page of some size before it reaches the picture "
            "at its end.</p>" % i for i in range(40))
        body = ("%s<body onload=\"%s\"><h1>Home</h1>%s<img src=\"http://127.0.0.1:%d/last.png?run=%s\" "
                "width=\"16\" height=\"16\" alt=\"\"></body></html>" % (head, onload, paragraphs, port, run))
        return 200, "text/html; charset=utf-8", body.encode()
    if path == "/light.html":
        body = ("%s<body onload=\"%s\"><h1>Home</h1><p>A light start page: a few lines of text and "
                "nothing else.</p><p>No picture, no script but the one that says it has loaded.</p>"
                "</body></html>" % (head, onload))
        return 200, "text/html; charset=utf-8", body.encode()
    if path == "/last.png":
        return 200, "image/png", PNG
    if path == "/onload":
        return 204, "text/plain", b""
    return 404, "text/plain", b"not here"


# --------------------------------------------------------------------------------------
# One run


def frames_by_phase(rects, times, screen_area):
    """Frames that drew at least half the screen, and all frames, in each phase."""
    big, every = [], []
    for start, end in zip(times, times[1:]):
        part = [r for r in rects if start <= r[0] < end]
        big.append(len(xframes.full_frames(part, screen_area)))
        every.append(len(xframes.frames(part)))
    return big, every


def one_run(kind, page_name, run_id, args, log, port, display, watch, work):
    base = os.path.join(work, run_id)
    os.makedirs(base)
    home = benchlib.fresh_home(base)
    address = "http://127.0.0.1:%d/%s.html?run=%s" % (port, page_name, run_id)
    if kind == "bare":
        cmd, cwd = [args.bare, address], base
    else:
        others = ["http://127.0.0.1:%d/other%d.html?run=%s" % (port, i, run_id) for i in range(2, 7)]
        cmd, cwd = benchlib.corvane_copy(args.portable, base, address, others, 5 if kind == "corvane6" else 0)
    env = benchlib.program_env(home, display)
    ends = ["/%s.html" % page_name] + (["/last.png"] if page_name == "full" else []) + ["/onload"]
    mark = watch.mark()
    t0 = time.monotonic()
    proc = benchlib.start(cmd, cwd, env, os.path.join(base, "output.log"))
    try:
        deadline = t0 + args.timeout
        seen = None
        while seen is None and time.monotonic() < deadline and proc.poll() is None:
            time.sleep(0.002)
            seen = log.firsts(run_id, ends)
        if seen is None:
            raise RuntimeError("%s run %s: the page did not finish loading (see %s)"
                               % (kind, run_id, os.path.join(base, "output.log")))
        request, onload = seen[0], seen[-1]
        time.sleep(max(0.0, onload + SETTLE - time.monotonic()))
        tree = benchlib.process_tree(proc.pid)
        cpu = benchlib.cpu_seconds(tree)
        rects = watch.drawn(mark)
        memory = [benchlib.memory_kib(p) for p in tree]
        own = memory[0]  # the program's own process (the engine's browser side runs in it)
        others = benchlib.engine_processes_of_others(tree)
        names = [(benchlib.proc_stat(p) or ("?",))[0] for p in tree]
        wakeups = float("nan")
        if args.idle > 0:
            s0 = benchlib.main_thread_switches(proc.pid)
            time.sleep(args.idle)
            s1 = benchlib.main_thread_switches(proc.pid)
            if s0 is not None and s1 is not None:
                wakeups = (s1 - s0) / args.idle
        stray = [p for p in log.paths(run_id) if p.startswith("/other")]
    finally:
        benchlib.end_tree(proc)
    big, every = frames_by_phase(rects, [t0, request, onload, onload + SETTLE], watch.x.width * watch.x.height)
    return {
        "kind": kind, "page": page_name, "run": run_id,
        "request_ms": (request - t0) * 1000.0,
        "picture_ms": (seen[1] - t0) * 1000.0 if page_name == "full" else None,
        "onload_ms": (onload - t0) * 1000.0,
        "cpu_ms": cpu * 1000.0,
        "big_frames": big, "frames": every,
        "pss_mib": sum(m["Pss"] for m in memory) / MIB,
        "private_mib": sum(m["Private"] for m in memory) / MIB,
        "main_pss_mib": own["Pss"] / MIB, "main_private_mib": own["Private"] / MIB,
        "processes": len(tree), "engine_processes": sum(1 for n in names if n.startswith("QtWebEngineProc")),
        "engine_processes_of_others": others,
        "idle_wakeups_per_s": wakeups, "load_average": os.getloadavg()[0], "other_home_pages_loaded": stray,
    }


def print_run(series, res, r):
    print("%-12s %-9s run %d  request %6.0f  %sonload %6.0f ms  CPU %5.0f ms  frames %s (of %s)  "
          "private %6.1f MiB (program %5.1f)  PSS %6.1f  processes %d (engine %d)%s  load %.2f%s"
          % (series, res["kind"], r + 1, res["request_ms"],
             "picture %6.0f  " % res["picture_ms"] if res["picture_ms"] is not None else "",
             res["onload_ms"], res["cpu_ms"], "/".join(map(str, res["big_frames"])),
             "/".join(map(str, res["frames"])), res["private_mib"], res["main_private_mib"], res["pss_mib"],
             res["processes"], res["engine_processes"],
             "  wake-ups %4.1f/s" % res["idle_wakeups_per_s"] if res["idle_wakeups_per_s"] == res["idle_wakeups_per_s"]
             else "", res["load_average"],
             "  [%d engine processes of other programs]" % res["engine_processes_of_others"]
             if res["engine_processes_of_others"] else ""), flush=True)


# --------------------------------------------------------------------------------------
# The figures and the targets


def medians(results, series, kind):
    runs = [r for r in results if r["series"] == series and r["kind"] == kind]
    if not runs:
        return None

    def med(key):
        return benchlib.median_min_max([r[key] for r in runs])
    out = {k: med(k) for k in ("request_ms", "picture_ms", "onload_ms", "cpu_ms", "main_private_mib",
                               "private_mib", "main_pss_mib", "pss_mib", "processes", "engine_processes",
                               "idle_wakeups_per_s", "load_average")}
    out["big_frames"] = [statistics.median(r["big_frames"][i] for r in runs) for i in range(len(PHASES))]
    out["frames"] = [statistics.median(r["frames"][i] for r in runs) for i in range(len(PHASES))]
    out["loads"] = [r["load_average"] for r in runs]
    return out


def print_medians(med, series_list):
    print("\nmedians (min-max); times and CPU in ms, memory in MiB; frames per phase (launch to request / "
          "request to onload / onload to +2 s) that drew at least half the screen, and in brackets all frames")
    print("%-12s %-9s %8s %8s %16s %16s %8s %14s %8s %8s %6s %6s %14s %7s"
          % ("series", "program", "request", "picture", "onload", "CPU", "private", "(min-max)", "tree", "PSS",
             "engine", "wake", "frames", "load"))
    for series in series_list:
        for kind in SERIES[series][2]:
            m = med.get((series, kind))
            if not m:
                continue
            print("%-12s %-9s %8.0f %8s %6.0f (%4.0f-%4.0f) %6.0f (%4.0f-%4.0f) %8.1f (%5.1f-%5.1f) %8.1f %8.1f "
                  "%6g %6.1f %6s (%s) %5.2f"
                  % (series, kind, m["request_ms"][0],
                     "%.0f" % m["picture_ms"][0] if m["picture_ms"][0] == m["picture_ms"][0] else "-",
                     *m["onload_ms"], *m["cpu_ms"], *m["main_private_mib"], m["private_mib"][0], m["pss_mib"][0],
                     m["engine_processes"][0], m["idle_wakeups_per_s"][0],
                     "/".join("%g" % f for f in m["big_frames"]), "/".join("%g" % f for f in m["frames"]),
                     m["load_average"][0]))


def checks(med, series_list, results):
    out = []

    def ratio(series, key):
        return med[(series, "corvane1")][key][0] / med[(series, "bare")][key][0]

    for series in series_list:
        page_name, condition, kinds = SERIES[series]
        if (series, "bare") not in med or (series, "corvane1") not in med:
            continue
        c, b = med[(series, "corvane1")], med[(series, "bare")]
        where = "%s page, %s" % (page_name, condition)
        keys = [("onload_ms", "time to the page's onload")]
        if page_name == "full":
            keys.insert(0, ("picture_ms", "time to the page's last picture"))
        for key, text in keys:
            out.append(("%s: Corvane's median %s <= 1.10 x the bare window's" % (where, text),
                        ratio(series, key) <= 1.10,
                        "%.0f ms vs %.0f ms (x%.3f)" % (c[key][0], b[key][0], ratio(series, key))))
        if page_name == "light":
            out.append(("%s: Corvane's median start CPU (whole tree, launch to onload + 2 s) <= 1.05 x the bare "
                        "window's" % where, ratio(series, "cpu_ms") <= 1.05,
                        "%.0f ms vs %.0f ms (x%.3f)" % (c["cpu_ms"][0], b["cpu_ms"][0], ratio(series, "cpu_ms"))))
            out.append(("%s: at most one frame drawing half the screen more than the bare window in each phase "
                        "(medians)" % where,
                        all(cf <= bf + 1 for cf, bf in zip(c["big_frames"], b["big_frames"])),
                        "%s vs %s" % ("/".join("%g" % f for f in c["big_frames"]),
                                      "/".join("%g" % f for f in b["big_frames"]))))
        out.append(("%s: Corvane's own process: median private memory <= the bare window's process + 10 MiB" % where,
                    c["main_private_mib"][0] <= b["main_private_mib"][0] + 10,
                    "%.1f MiB vs %.1f MiB (%+.1f)" % (c["main_private_mib"][0], b["main_private_mib"][0],
                                                      c["main_private_mib"][0] - b["main_private_mib"][0])))
        if condition == "quiet":
            wake = [med[(series, k)]["idle_wakeups_per_s"][0] for k in kinds if k != "bare"]
            out.append(("%s: no timer of Corvane's runs while nothing loads (main-thread wake-ups <= the bare "
                        "window's + 1/s)" % where, max(wake) <= b["idle_wakeups_per_s"][0] + 1.0,
                        " and ".join("%.1f/s" % w for w in wake) + " vs %.1f/s" % b["idle_wakeups_per_s"][0]))
        if "corvane6" in kinds and (series, "corvane6") in med:
            six = med[(series, "corvane6")]
            out.append(("six configured browsers start no more engine processes than one",
                        six["engine_processes"][2] <= c["engine_processes"][1],
                        "%g-%g vs %g-%g" % (six["engine_processes"][1], six["engine_processes"][2],
                                            c["engine_processes"][1], c["engine_processes"][2])))
            out.append(("six configured browsers cost at most 5 MiB more private memory than one (whole tree)",
                        six["private_mib"][0] <= c["private_mib"][0] + 5,
                        "%+.1f MiB" % (six["private_mib"][0] - c["private_mib"][0])))
            out.append(("six configured browsers load no other home page",
                        all(not r["other_home_pages_loaded"] for r in results if r["series"] == series), ""))
    return out


# --------------------------------------------------------------------------------------


def own_arguments(ap):
    ap.add_argument("--series", default=",".join(SERIES),
                    help="series to run, of %s (default all)" % ", ".join(SERIES))
    ap.add_argument("--screen", default="1280x1024", help="Xvfb screen size (default 1280x1024)")
    ap.add_argument("--idle", type=float, default=3.0, help="seconds of idle wake-up counting (quiet runs)")
    ap.add_argument("--timeout", type=float, default=60.0, help="seconds to wait for one load")


def main():
    args = benchlib.arguments(__doc__, 7, own_arguments)
    if not args:
        return 1
    series_list = [s for s in args.series.split(",") if s]
    if any(s not in SERIES for s in series_list):
        print("unknown series in %s" % args.series, file=sys.stderr)
        return 1

    log = benchlib.PageLog()
    server = benchlib.serve(log, page)
    port = server.server_address[1]
    work = tempfile.mkdtemp(prefix="corvane-startup-bench-")
    results = []
    xvfb = watch = None
    try:
        xvfb, display = benchlib.start_xvfb(args.screen, os.path.join(work, "xvfb.log"))
        watch = xframes.DamageWatch(display)
        plan = [(s, k) for s in series_list for k in SERIES[s][2]]
        if args.warmup:
            # Not counted: the first start after a build finds the libraries and fonts
            # outside the page cache.
            for kind in sorted({k for _, k in plan}):
                one_run(kind, "full", "%s-warm-up" % kind, args, log, port, display, watch, work)
        for r in range(args.runs):
            # The order turns each round, so that no program always follows the same one.
            order = plan[r % len(plan):] + plan[:r % len(plan)]
            for series, kind in order:
                page_name, condition, _ = SERIES[series]
                run_args = argparse.Namespace(**vars(args))
                if condition != "quiet":
                    run_args.idle = 0
                with benchlib.Load() if condition == "loaded" else benchlib.quiet():
                    res = one_run(kind, page_name, "%s-%s-%d" % (series, kind, r), run_args, log, port, display,
                                  watch, work)
                res["series"] = series
                results.append(res)
                print_run(series, res, r)
    except RuntimeError as e:
        print(e, file=sys.stderr)
        return 1
    finally:
        if watch:
            watch.close()
        if xvfb:
            benchlib.end_tree(xvfb)
        server.shutdown()
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print("runs kept in", work)

    med = {(s, k): medians(results, s, k) for s in series_list for k in SERIES[s][2]}
    print_medians(med, series_list)
    others = sum(1 for r in results if r["engine_processes_of_others"])
    if others:
        # The engine's library pages that another program maps too are neither private nor
        # wholly ours: about 50 MiB of the program's private memory moves with them.
        print("\nwarning: %d of %d runs had engine processes of other programs beside them: their private "
              "memory and PSS are lower and their times longer than on a quiet machine" % (others, len(results)))
    for series in series_list:
        loads = [r["load_average"] for r in results if r["series"] == series]
        print("load average (1 min) during the %s runs: median %.2f, lowest %.2f, highest %.2f"
              % (series, statistics.median(loads), min(loads), max(loads)))
    quiet_loads = [r["load_average"] for r in results if SERIES[r["series"]][1] == "quiet"]
    if quiet_loads and max(quiet_loads) > 1.5:
        print("warning: other work on the machine stretched the quiet runs' times")
    print()
    missed = False
    for text, ok, detail in checks(med, series_list, results):
        print("%-4s %s: %s" % ("ok" if ok else "MISS", text, detail))
        missed |= not ok
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, indent=1)
    return 2 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
