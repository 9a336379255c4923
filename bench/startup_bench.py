#!/usr/bin/env python3
"""Start-up benchmark: Corvane against a bare Qt WebEngine window.

Under Xvfb, each run starts one program with a fresh home folder and measures
  - the time from process start to the end of the home page's load, by two signals the
    page gives (served by a loopback HTTP server in this script; the same page for both
    programs, nothing added to either): the request for the picture at the page's end,
    and the request the page's onload handler makes, once the page and everything in it
    has loaded (what a user perceives as "the page is ready");
  - 2 s after that, the private memory (Private_Clean + Private_Dirty, from
    /proc/<pid>/smaps_rollup) of the program's own process and of the whole process tree
    (the program and the engine's processes), and their PSS; other programs that use the
    engine at the same time share its library pages, which lowers both;
  - the processes of the tree and how many of them are the engine's;
  - the wake-ups of the program's main thread (context switches a second) over the 3 s
    after that, while nothing loads: a timer of the program that keeps running shows
    here, as 5 wake-ups a second for every 200 ms timer.
Three kinds of run alternate, after one warm-up run of each that is not counted: the bare
window, Corvane with one main browser and Corvane with six configured main browsers (a
settings file with MainBrowserLastIndex 5).

Exit code 0: every target met; 2: a target missed; 1: the benchmark could not run.
"""

import argparse
import http.server
import json
import os
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import zlib

MIB = 1024.0


# --------------------------------------------------------------------------------------
# The page server


class PageLog:
    def __init__(self):
        self.lock = threading.Lock()
        self.requests = []  # (monotonic time, run id, path)

    def add(self, run, path):
        with self.lock:
            self.requests.append((time.monotonic(), run, path))

    def first(self, run, path):
        with self.lock:
            for t, r, p in self.requests:
                if r == run and p == path:
                    return t
        return None

    def firsts(self, run, paths):
        """The first request of each path, or None while one of them has not come."""
        times = [self.first(run, p) for p in paths]
        return None if None in times else times

    def paths(self, run):
        with self.lock:
            return [p for _, r, p in self.requests if r == run]


def make_server(log):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            run = urllib.parse.parse_qs(url.query).get("run", [""])[0]
            log.add(run, url.path)
            port = self.server.server_address[1]
            if url.path == "/home.html":
                paragraphs = "".join(
                    "<p>Paragraph %d of the home page: a few lines of ordinary text, as a "
                    "start page has them, so that the engine lays out and paints a page "
                    "of some size before it reaches the picture at its end.</p>" % i
                    for i in range(40))
                # The onload handler fires once the page and its picture have loaded.
                body = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Home</title>"
                        "<style>body{font-family:sans-serif;margin:2em}</style></head>"
                        "<body onload=\"fetch('http://127.0.0.1:%d/onload?run=%s',{cache:'no-store'})\">"
                        "<h1>Home</h1>%s<img src=\"http://127.0.0.1:%d/last.png?run=%s\" "
                        "width=\"16\" height=\"16\" alt=\"\"></body></html>"
                        % (port, run, paragraphs, port, run)).encode()
                self.reply(200, "text/html; charset=utf-8", body)
            elif url.path == "/last.png":
                self.reply(200, "image/png", PNG)
            elif url.path == "/onload":
                self.reply(204, "text/plain", b"")
            else:
                self.reply(404, "text/plain", b"not here")

        def reply(self, status, ctype, body):
            self.send_response(status)
            self.send_header("Content-Type", ctype)
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store")
            self.end_headers()
            self.wfile.write(body)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def make_png():
    # A 1 x 1 grey picture.
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"\x00\x80")) + chunk(b"IEND", b""))


PNG = make_png()


# --------------------------------------------------------------------------------------
# Processes


def proc_stat(pid):
    try:
        with open("/proc/%d/stat" % pid, "rb") as f:
            data = f.read()
    except OSError:
        return None
    close = data.rfind(b")")
    comm = data[data.find(b"(") + 1:close].decode(errors="replace")
    fields = data[close + 2:].split()
    return comm, fields[0].decode(), int(fields[1])  # name, state, parent


def process_tree(root):
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        st = proc_stat(int(entry))
        if st and st[1] != "Z":
            children.setdefault(st[2], []).append(int(entry))
    tree, todo = [], [root]
    while todo:
        pid = todo.pop()
        tree.append(pid)
        todo.extend(children.get(pid, []))
    return tree


def memory_kib(pid):
    """Pss, Pss_Anon, Pss_File, Private_Clean and Private_Dirty of one process, in KiB."""
    out = {"Pss": 0, "Pss_Anon": 0, "Pss_File": 0, "Private_Clean": 0, "Private_Dirty": 0}
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                key = line.split(":")[0]
                if key in out:
                    out[key] = int(line.split()[1])
    except OSError:
        pass
    out["Private"] = out["Private_Clean"] + out["Private_Dirty"]
    return out


def foreign_engine_processes(tree):
    """Engine processes of other programs: they share the engine's library pages with ours
    and so lower our PSS; their work slows our start."""
    own = set(tree)
    n = 0
    for entry in os.listdir("/proc"):
        if entry.isdigit() and int(entry) not in own:
            st = proc_stat(int(entry))
            if st and st[0].startswith("QtWebEngineProc") and st[1] != "Z":
                n += 1
    return n


def main_thread_switches(pid):
    total = 0
    try:
        with open("/proc/%d/task/%d/status" % (pid, pid)) as f:
            for line in f:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
    except OSError:
        return None
    return total


def end_tree(proc):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            pass
    # Whatever is left of the session (engine helpers) goes too.
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except OSError:
        pass
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        pass


# --------------------------------------------------------------------------------------
# Runs


def settings_file(home_page, others, last_index):
    lines = ["0", "0", "-1", "0", "0", "-1", "0", "0", str(last_index)]
    lines += ['"%s"' % home_page] + ['"%s"' % o for o in others]
    return ("\r\n".join(lines) + "\r\n").encode()


def fresh_home(base):
    home = os.path.join(base, "home")
    for sub in ("config", "data", "cache", "runtime"):
        os.makedirs(os.path.join(home, sub))
    os.chmod(os.path.join(home, "runtime"), 0o700)
    # A returning user: no nickname prompt on the fixed-disk road.
    with open(os.path.join(home, "config", "Tavolin.ini"), "w") as f:
        f.write("[NidraBhanga]\nNickName=Bench\n")
    return home


def one_run(kind, run_id, args, log, port, display, work):
    base = os.path.join(work, run_id)
    os.makedirs(base)
    home = fresh_home(base)
    page = "http://127.0.0.1:%d/home.html?run=%s" % (port, run_id)
    if kind == "bare":
        cmd, cwd = [args.bare, page], base
    else:
        folder = os.path.join(base, "stick", "Corvane")
        shutil.copytree(args.portable, folder)
        others = ["http://127.0.0.1:%d/other%d.html?run=%s" % (port, i, run_id) for i in range(2, 7)]
        os.makedirs(os.path.join(folder, "Corvane"))
        with open(os.path.join(folder, "Corvane", "Set.Velmora"), "wb") as f:
            f.write(settings_file(page, others, 5 if kind == "corvane6" else 0))
        cmd, cwd = [os.path.join(folder, "Corvane.exe")], folder
    env = dict(os.environ)
    for k in ("QT_QPA_PLATFORM", "QTWEBENGINE_DISABLE_SANDBOX", "WAYLAND_DISPLAY"):
        env.pop(k, None)
    env.update({
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, "config"),
        "XDG_DATA_HOME": os.path.join(home, "data"),
        "XDG_CACHE_HOME": os.path.join(home, "cache"),
        "XDG_RUNTIME_DIR": os.path.join(home, "runtime"),
        "DISPLAY": display,
        "QT_QPA_PLATFORM": "xcb",
        "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu --disable-background-networking --disable-component-update",
    })
    with open(os.path.join(base, "output.log"), "wb") as out:
        t0 = time.monotonic()
        proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=out, stderr=subprocess.STDOUT,
                                start_new_session=True)
        try:
            deadline = t0 + args.timeout
            ends = None
            while ends is None and time.monotonic() < deadline and proc.poll() is None:
                time.sleep(0.002)
                ends = log.firsts(run_id, ("/last.png", "/onload"))
            if ends is None:
                raise RuntimeError("%s run %s: the page did not finish loading (see %s)"
                                   % (kind, run_id, os.path.join(base, "output.log")))
            picture, onload = ends
            time.sleep(2.0)
            tree = process_tree(proc.pid)
            memory = [memory_kib(p) for p in tree]
            pss = sum(m["Pss"] for m in memory)
            anon = sum(m["Pss_Anon"] for m in memory)
            private = sum(m["Private"] for m in memory)
            own = memory[0]  # the program's own process (the engine's browser side runs in it)
            foreign = foreign_engine_processes(tree)
            names = [(proc_stat(p) or ("?",))[0] for p in tree]
            engine = sum(1 for n in names if n.startswith("QtWebEngineProc"))
            s0 = main_thread_switches(proc.pid)
            time.sleep(args.idle)
            s1 = main_thread_switches(proc.pid)
            wakeups = (s1 - s0) / args.idle if s0 is not None and s1 is not None else float("nan")
            stray = [p for p in log.paths(run_id) if p.startswith("/other")]
        finally:
            end_tree(proc)
    return {
        "kind": kind, "run": run_id, "load_ms": (picture - t0) * 1000.0, "onload_ms": (onload - t0) * 1000.0,
        "pss_mib": pss / MIB, "pss_anon_mib": anon / MIB, "private_mib": private / MIB,
        "foreign_engine_processes": foreign,
        "main_pss_mib": own["Pss"] / MIB, "main_anon_mib": own["Pss_Anon"] / MIB,
        "main_private_mib": own["Private"] / MIB,
        "processes": len(tree), "engine_processes": engine, "idle_wakeups_per_s": wakeups,
        "load_average": os.getloadavg()[0], "other_home_pages_loaded": stray,
    }


def start_xvfb(screen):
    for n in range(90, 140):
        if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
            continue
        proc = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", screen + "x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X%d" % n):
                return proc, ":%d" % n
            if proc.poll() is not None:
                break
            time.sleep(0.05)
        proc.kill()
    raise RuntimeError("could not start Xvfb")


def summary(results, kind, key):
    values = [r[key] for r in results if r["kind"] == kind]
    return statistics.median(values), min(values), max(values)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(here, "..", "build"),
                    help="build folder holding Corvane/ and bench/bench_bare_web_window")
    ap.add_argument("--runs", type=int, default=7, help="runs of each kind (default 7)")
    ap.add_argument("--screen", default="1280x1024", help="Xvfb screen size (default 1280x1024)")
    ap.add_argument("--idle", type=float, default=3.0, help="seconds of idle wake-up counting")
    ap.add_argument("--timeout", type=float, default=60.0, help="seconds to wait for one load")
    ap.add_argument("--json", help="also write every run's figures to this file")
    ap.add_argument("--keep", action="store_true", help="keep the runs' folders (logs, homes)")
    ap.add_argument("--no-warmup", dest="warmup", action="store_false",
                    help="count from the first run (no uncounted warm-up run of each kind)")
    args = ap.parse_args()
    args.portable = os.path.abspath(os.path.join(args.build, "Corvane"))
    args.bare = os.path.abspath(os.path.join(args.build, "bench", "bench_bare_web_window"))
    for path in (os.path.join(args.portable, "Corvane.exe"), os.path.join(args.portable, "site"), args.bare):
        if not os.path.exists(path):
            print("missing %s: build the targets Corvane, site and bench_bare_web_window" % path, file=sys.stderr)
            return 1

    log = PageLog()
    server = make_server(log)
    port = server.server_address[1]
    xvfb, display = start_xvfb(args.screen)
    work = tempfile.mkdtemp(prefix="corvane-startup-bench-")
    kinds = ["bare", "corvane1", "corvane6"]
    results = []
    try:
        for kind in kinds if args.warmup else []:
            # Not counted: the first start after a build finds the libraries and fonts
            # outside the page cache.
            one_run(kind, "%s-warm-up" % kind, args, log, port, display, work)
        for r in range(args.runs):
            # The order turns each round, so that no kind always follows the same one.
            order = kinds[r % 3:] + kinds[:r % 3]
            for kind in order:
                res = one_run(kind, "%s-%d" % (kind, r), args, log, port, display, work)
                results.append(res)
                print("%-9s run %d  picture %7.1f ms  onload %7.1f ms  private %6.1f MiB (program %5.1f)  "
                      "PSS %6.1f MiB (program %5.1f)  processes %d (engine %d)  idle wake-ups %4.1f/s%s"
                      % (kind, r + 1, res["load_ms"], res["onload_ms"], res["private_mib"], res["main_private_mib"],
                         res["pss_mib"], res["main_pss_mib"], res["processes"], res["engine_processes"],
                         res["idle_wakeups_per_s"],
                         "  [%d engine processes of other programs running]" % res["foreign_engine_processes"]
                         if res["foreign_engine_processes"] else ""), flush=True)
    except RuntimeError as e:
        print(e, file=sys.stderr)
        return 1
    finally:
        xvfb.terminate()
        server.shutdown()
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print("runs kept in", work)

    print()
    print("medians (min-max) of %d runs each; memory in MiB, times in ms" % args.runs)
    print("%-9s %20s %20s %20s %20s %12s %12s %8s %7s %9s"
          % ("", "picture", "onload", "private: program", "private: tree", "PSS program", "PSS tree",
             "process", "engine", "wake-ups/s"))
    med = {}
    for kind in kinds:
        load = summary(results, kind, "load_ms")
        onload = summary(results, kind, "onload_ms")
        own_private = summary(results, kind, "main_private_mib")
        private = summary(results, kind, "private_mib")
        own_pss = summary(results, kind, "main_pss_mib")
        pss = summary(results, kind, "pss_mib")
        procs = summary(results, kind, "processes")
        engine = summary(results, kind, "engine_processes")
        wake = summary(results, kind, "idle_wakeups_per_s")
        med[kind] = {"load": load[0], "onload": onload[0], "own_private": own_private[0], "private": private[0],
                     "pss": pss[0], "procs": procs, "engine": engine, "wake": wake[0]}
        print("%-9s %6.0f (%5.0f-%-5.0f) %6.0f (%5.0f-%-5.0f) %6.1f (%5.1f-%-5.1f) %6.1f (%5.1f-%-5.1f) %12.1f %12.1f "
              "%4g-%-3g %3g-%-3g %9.1f"
              % (kind, load[0], load[1], load[2], onload[0], onload[1], onload[2], own_private[0], own_private[1],
                 own_private[2], private[0], private[1], private[2], own_pss[0], pss[0], procs[1], procs[2],
                 engine[1], engine[2], wake[0]))

    def ratio(key):
        return med["corvane1"][key] / med["bare"][key]

    checks = [
        ("Corvane's median load time to the page's last picture <= 1.10 x the bare window's",
         ratio("load") <= 1.10,
         "%.1f ms vs %.1f ms (x%.3f)" % (med["corvane1"]["load"], med["bare"]["load"], ratio("load"))),
        ("Corvane's median load time to the page's onload <= 1.10 x the bare window's",
         ratio("onload") <= 1.10,
         "%.1f ms vs %.1f ms (x%.3f)" % (med["corvane1"]["onload"], med["bare"]["onload"], ratio("onload"))),
        ("Corvane's own process: median private memory <= the bare window's process + 10 MiB",
         med["corvane1"]["own_private"] <= med["bare"]["own_private"] + 10,
         "%.1f MiB vs %.1f MiB (%+.1f)" % (med["corvane1"]["own_private"], med["bare"]["own_private"],
                                           med["corvane1"]["own_private"] - med["bare"]["own_private"])),
        ("six configured browsers start no more engine processes than one",
         med["corvane6"]["engine"][2] <= med["corvane1"]["engine"][1],
         "%g-%g vs %g-%g" % (med["corvane6"]["engine"][1], med["corvane6"]["engine"][2],
                             med["corvane1"]["engine"][1], med["corvane1"]["engine"][2])),
        ("six configured browsers cost at most 5 MiB more private memory than one (whole tree)",
         med["corvane6"]["private"] <= med["corvane1"]["private"] + 5,
         "%+.1f MiB" % (med["corvane6"]["private"] - med["corvane1"]["private"])),
        ("six configured browsers load no other home page",
         all(not r["other_home_pages_loaded"] for r in results), ""),
        ("no timer of Corvane's runs while nothing loads (main-thread wake-ups <= the bare window's + 1/s)",
         max(med["corvane1"]["wake"], med["corvane6"]["wake"]) <= med["bare"]["wake"] + 1.0,
         "%.1f/s and %.1f/s vs %.1f/s" % (med["corvane1"]["wake"], med["corvane6"]["wake"], med["bare"]["wake"])),
    ]
    busy = sum(1 for r in results if r["foreign_engine_processes"])
    if busy:
        # The engine's library pages that another program maps too are neither private nor
        # wholly ours: about 50 MiB of the program's private memory moves with them.
        print("\nwarning: %d of %d runs had engine processes of other programs beside them: their private "
              "memory and PSS are lower and their times longer than on a quiet machine" % (busy, len(results)))
    load = max(r["load_average"] for r in results)
    print("\nload average (1 min) during the runs: median %.2f, highest %.2f"
          % (statistics.median(r["load_average"] for r in results), load))
    if load > 1.5:
        print("warning: other work on the machine stretches the times")
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
