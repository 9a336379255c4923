"""What the benchmarks that start the real programs share: their own Xvfb, a loopback page
server that logs every request, fresh homes and portable copies, the programs' process
trees with their memory and CPU time, and a machine under load."""

import argparse
import http.server
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import threading
import time
import urllib.parse

MIB = 1024.0
CLOCK_TICK = os.sysconf("SC_CLK_TCK")
ENGINE_FLAGS = "--disable-gpu --disable-background-networking --disable-component-update"


# --------------------------------------------------------------------------------------
# The command line


def arguments(description, runs, add=None):
    """The options every benchmark takes, with add(parser) for its own; the programs' paths
    are checked. Returns the parsed arguments, or None when a program is missing."""
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=description, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(here, "..", "build"),
                    help="build folder holding Corvane/ and bench/bench_bare_web_window")
    ap.add_argument("--runs", type=int, default=runs, help="runs of each program (default %d)" % runs)
    ap.add_argument("--portable", help="Corvane's portable folder (default: Corvane/ in the build folder), to "
                    "measure another build against the same bare window")
    ap.add_argument("--json", help="also write every run's figures to this file")
    ap.add_argument("--keep", action="store_true", help="keep the runs' folders (logs, homes)")
    ap.add_argument("--no-warmup", dest="warmup", action="store_false",
                    help="count from the first run (no uncounted warm-up run of each program)")
    if add:
        add(ap)
    args = ap.parse_args()
    args.portable = os.path.abspath(args.portable or os.path.join(args.build, "Corvane"))
    args.bare = os.path.abspath(os.path.join(args.build, "bench", "bench_bare_web_window"))
    for path in (os.path.join(args.portable, "Corvane.exe"), os.path.join(args.portable, "site"), args.bare):
        if not os.path.exists(path):
            print("missing %s: build the targets Corvane, site and bench_bare_web_window" % path, file=sys.stderr)
            return None
    return args


# --------------------------------------------------------------------------------------
# The display


def start_xvfb(screen, log_path):
    """Xvfb on a display number it picks itself (-displayfd): other programs run displays
    of their own on this machine. Returns the process and the display's name."""
    read_end, write_end = os.pipe()
    with open(log_path, "wb") as log:
        proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen + "x24",
                                 "-nolisten", "tcp", "-noreset"],
                                pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=log, start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 20
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip().isdigit():
        end_tree(proc)
        raise RuntimeError("Xvfb did not start (see %s)" % log_path)
    return proc, ":" + number.strip().decode()


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

    def count(self, run, path):
        with self.lock:
            return sum(1 for _, r, p in self.requests if r == run and p == path)


def serve(log, page):
    """A loopback HTTP server: page(path, query, port) gives (status, type, body) for every
    request, which is logged under the request's "run" parameter first."""
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            query = {k: v[0] for k, v in urllib.parse.parse_qs(url.query).items()}
            log.add(query.get("run", ""), url.path)
            status, ctype, body = page(url.path, query, self.server.server_address[1])
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


# --------------------------------------------------------------------------------------
# The programs


def fresh_home(base):
    home = os.path.join(base, "home")
    for sub in ("config", "data", "cache", "runtime"):
        os.makedirs(os.path.join(home, sub))
    os.chmod(os.path.join(home, "runtime"), 0o700)
    # A returning user: no nickname prompt on the fixed-disk road.
    with open(os.path.join(home, "config", "Tavolin.ini"), "w") as f:
        f.write("[NidraBhanga]\nNickName=Bench\n")
    return home


def program_env(home, display, extra=None):
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
        "QTWEBENGINE_CHROMIUM_FLAGS": ENGINE_FLAGS,
    })
    env.update(extra or {})
    return env


def settings_file(home_page, others, last_index):
    """Corvane's settings file with its home pages; main browsers up to last_index."""
    lines = ["0", "0", "-1", "0", "0", "-1", "0", "0", str(last_index)]
    lines += ['"%s"' % home_page] + ['"%s"' % o for o in others]
    return ("\r\n".join(lines) + "\r\n").encode()


def corvane_copy(portable, base, home_page, others=(), last_index=0):
    """A fresh copy of the portable folder whose settings give these home pages; returns the
    command line and the folder to start it in."""
    folder = os.path.join(base, "stick", "Corvane")
    shutil.copytree(portable, folder)
    others = list(others) or [home_page] * 5
    os.makedirs(os.path.join(folder, "Corvane"))
    with open(os.path.join(folder, "Corvane", "Set.Velmora"), "wb") as f:
        f.write(settings_file(home_page, others, last_index))
    return [os.path.join(folder, "Corvane.exe")], folder


def start(cmd, cwd, env, log_path):
    with open(log_path, "wb") as out:
        return subprocess.Popen(cmd, cwd=cwd, env=env, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)


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
# Processes


def proc_stat(pid):
    """Name, state, parent and CPU ticks (its own and its waited-for children's)."""
    try:
        with open("/proc/%d/stat" % pid, "rb") as f:
            data = f.read()
    except OSError:
        return None
    close = data.rfind(b")")
    comm = data[data.find(b"(") + 1:close].decode(errors="replace")
    fields = data[close + 2:].split()
    ticks = sum(int(fields[i]) for i in (11, 12, 13, 14))
    return comm, fields[0].decode(), int(fields[1]), ticks


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


def cpu_seconds(pids):
    """CPU time the processes have used, user and system, with their ended children's."""
    return sum((proc_stat(p) or (0, 0, 0, 0))[3] for p in pids) / CLOCK_TICK


def memory_kib(pid):
    """Pss, Pss_Anon, Private_Clean, Private_Dirty and Rss of one process, in KiB."""
    out = {"Pss": 0, "Pss_Anon": 0, "Private_Clean": 0, "Private_Dirty": 0, "Rss": 0}
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


def engine_processes_of_others(tree):
    """Engine processes of other programs: they share the engine's library pages with ours
    and so lower our private memory and PSS; their work slows our start."""
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


# --------------------------------------------------------------------------------------
# A machine under load


class Load:
    """Other work on the machine: a CPU-bound process on every core but one, at the lowest
    priority, as a build or a test run beside the user's browser."""

    def __init__(self):
        self.procs = []

    def __enter__(self):
        for _ in range(max(1, (os.cpu_count() or 2) - 1)):
            self.procs.append(subprocess.Popen(["nice", "-n", "19", "sh", "-c", "while :; do :; done"],
                                               start_new_session=True))
        return self

    def __exit__(self, *exc):
        for p in self.procs:
            end_tree(p)
        self.procs = []


def quiet():
    """No load: a stand-in for Load in the same with-statement."""
    class Nothing:
        def __enter__(self):
            return self

        def __exit__(self, *exc):
            pass
    return Nothing()


def median_min_max(values):
    values = [v for v in values if v is not None]
    if not values:
        return float("nan"), float("nan"), float("nan")
    return statistics.median(values), min(values), max(values)
