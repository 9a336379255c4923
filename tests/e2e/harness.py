"""What the end-to-end tests share: a virtual display with a window manager, a fresh
portable copy of the program with a fresh home, real X input, and waiting on conditions.

The window manager is openbox: it is in Debian, small, needs no session, gives the focus
to the window clicked, and closes a window the way its close button does (it sends the
client WM_DELETE_WINDOW) when asked with the standard _NET_CLOSE_WINDOW message, which
`wmctrl -c` sends. (`xdotool windowkill` would cut the client's connection instead, and
destroying the window is not what a user's close does.)"""

import atexit
import hashlib
import mmap
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

import xwdpng

TOOLS = ("Xvfb", "openbox", "xdotool", "wmctrl", "xwd", "xwininfo", "xclip", "xprop")
SCREEN = (1280, 1024)
NICKNAME = "Tester"
MAIN_TITLE = "Corvane - " + NICKNAME
# Our settings for the engine's command line, as the benchmark uses them: no GPU on the
# virtual display, no calls home.
ENGINE_FLAGS = "--disable-gpu --disable-background-networking --disable-component-update"


class Failure(Exception):
    """A test's check did not hold."""


def missing_tools():
    return [t for t in TOOLS if shutil.which(t) is None]


def wait_for(condition, timeout, step=0.05):
    """Polls condition until it gives a true value (returned) or timeout seconds pass (None)."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(step)


def stays(condition, seconds, step=0.05):
    """Polls condition for the next seconds: True when it held all through, False as soon
    as it fails."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not condition():
            return False
        time.sleep(step)
    return bool(condition())


def check(condition, message):
    if not condition:
        raise Failure(message)


def _runtime_folder(home):
    """The home's runtime folder. It lies apart, under a short name: the programs find each
    other by sockets in it, and a folder too deep for a socket address would send every test
    running at the same time to one shared folder, where one test's help program finds
    another test's browser."""
    return os.path.join(tempfile.gettempdir(),
                        "cv-run-" + hashlib.sha1(os.path.abspath(home).encode()).hexdigest()[:12])


def _env_home(base):
    """A fresh home with its own XDG folders."""
    home = os.path.join(base, "home")
    for sub in ("config", "data", "cache"):
        os.makedirs(os.path.join(home, sub), exist_ok=True)
    runtime = _runtime_folder(home)
    shutil.rmtree(runtime, ignore_errors=True)
    os.makedirs(runtime, mode=0o700)
    atexit.register(shutil.rmtree, runtime, True)
    return home


def _clean_env(home, display):
    env = {k: v for k, v in os.environ.items()
           if k not in ("QT_QPA_PLATFORM", "QTWEBENGINE_DISABLE_SANDBOX", "WAYLAND_DISPLAY",
                        "QT_QPA_PLATFORMTHEME", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER",
                        "XAUTHORITY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION")}
    env.update({
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, "config"),
        "XDG_DATA_HOME": os.path.join(home, "data"),
        "XDG_CACHE_HOME": os.path.join(home, "cache"),
        "XDG_RUNTIME_DIR": _runtime_folder(home),
        "DISPLAY": display,
    })
    return env


def _end(proc, grace=5.0):
    """Ends a process we started, and its process group."""
    if proc is None:
        return
    if proc.poll() is None:
        try:
            os.killpg(proc.pid, signal.SIGTERM)
        except OSError:
            proc.terminate()
        try:
            proc.wait(grace)
        except subprocess.TimeoutExpired:
            pass
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except OSError:
        pass
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        pass


# --------------------------------------------------------------------------------------
# The display


class Display:
    """Xvfb on a free display number (Xvfb picks it: -displayfd), with openbox on it."""

    def __init__(self, base):
        self.base = base
        self.xvfb = self.wm = None
        read_end, write_end = os.pipe()
        # The screen is kept in a file (-fbdir), where the pictures of it are read; the
        # pointer is not drawn into it.
        self.framebuffer = os.path.join(base, "Xvfb_screen0")
        with open(os.path.join(base, "xvfb.log"), "wb") as log:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN,
                 "-nolisten", "tcp", "-noreset", "-fbdir", base, "-nocursor"],
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
            self.close()
            raise RuntimeError("Xvfb did not start (see %s)" % os.path.join(base, "xvfb.log"))
        self.name = ":" + number.strip().decode()
        env = _clean_env(_env_home(os.path.join(base, "wm")), self.name)
        with open(os.path.join(base, "openbox.log"), "wb") as log:
            self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=log,
                                       stderr=subprocess.STDOUT, start_new_session=True)
        # The window manager is ready when it has announced itself on the root window.
        if not wait_for(lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                        check=False), 20):
            self.close()
            raise RuntimeError("openbox did not start (see %s)" % os.path.join(base, "openbox.log"))

    def env(self):
        return {"DISPLAY": self.name, "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                "HOME": os.path.join(self.base, "wm", "home")}

    def run(self, cmd, check=True, timeout=20):
        """Runs an X tool on this display; returns its output."""
        r = subprocess.run(cmd, env=self.env(), stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           timeout=timeout)
        if check and r.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(cmd), r.stderr.decode(errors="replace").strip()))
        return r.stdout.decode(errors="replace")

    def close(self):
        _end(self.wm)
        _end(self.xvfb)

    # ---- windows

    def windows(self, name, pid=None):
        """Visible windows whose title matches the regular expression name."""
        cmd = ["xdotool", "search", "--all", "--onlyvisible"]
        if pid is not None:
            cmd += ["--pid", str(pid)]
        cmd += ["--name", name]
        return [int(w) for w in self.run(cmd, check=False).split()]

    def title(self, window):
        return self.run(["xdotool", "getwindowname", str(window)], check=False).strip()

    def geometry(self, window):
        """The window's client area on the screen: x, y, width, height. (xwininfo, because
        xdotool's own position is off under a reparenting window manager.)"""
        out = self.run(["xwininfo", "-id", str(window)])
        g = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            g[key] = value.strip()
        return (int(g["Absolute upper-left X"]), int(g["Absolute upper-left Y"]), int(g["Width"]),
                int(g["Height"]))

    def active_window(self):
        out = self.run(["xdotool", "getactivewindow"], check=False).strip()
        return int(out) if out.isdigit() else None

    def close_from_title_bar(self, window):
        """What the title bar's close button does: the window manager asks the client to
        close (WM_DELETE_WINDOW)."""
        self.run(["wmctrl", "-i", "-c", "0x%x" % window])

    # ---- input: through the X server, as a user's keyboard and mouse

    def pointer(self):
        out = self.run(["xdotool", "getmouselocation", "--shell"])
        g = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(g["X"]), int(g["Y"])

    def click(self, x, y, button=1):
        # (`mousemove --sync` waits for a motion that never comes when the pointer is
        # already there, so the move is checked here.)
        self.run(["xdotool", "mousemove", str(x), str(y)])
        check(wait_for(lambda: self.pointer() == (x, y), 5, step=0.01), "the pointer did not move to %d, %d" % (x, y))
        self.run(["xdotool", "click", str(button)])

    def type(self, text, delay_ms=100):
        self.run(["xdotool", "type", "--delay", str(delay_ms), text], timeout=60)

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "50"] + list(keys))

    def clipboard(self):
        return self.run(["xclip", "-o", "-selection", "clipboard"], check=False, timeout=5)

    # ---- pictures

    def grab(self, area=None):
        """The screen, or an area (x, y, width, height) of it, as the display holds it.
        (Not `xwd -root`: where windows of several visuals meet, it reads a window that lies
        wholly over another of the same visual through the lower one, which the server gives
        back black there; a window drawn with OpenGL over the main window comes out black.)"""
        with open(self.framebuffer, "rb") as f, mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ) as screen:
            return xwdpng.parse_xwd(screen, area)

    def grab_window(self, window, area=None):
        """What a window has drawn, or an area (x, y, width, height) of it in the window's
        own coordinates, read from the window itself (`xwd -id`): what lies over it does not
        count. (A window alone in its area is read directly; see grab for where xwd does
        not.)"""
        # Reading a window fails while the window manager is changing it (a map, a
        # reconfiguration): try again a little later.
        for attempt in range(10):
            try:
                return xwdpng.grab(self.name, window, area)
            except subprocess.CalledProcessError:
                if attempt == 9:
                    raise
                time.sleep(0.1)

    def screenshot(self, path):
        with open(path, "wb") as f:
            f.write(self.grab().png())
        return path


# --------------------------------------------------------------------------------------
# The program


def settings_file(home_pages, new_window_separate=False, exit_count=0):
    """A settings file with the given home pages (main browser 1 first) and options."""
    pages = list(home_pages) + [home_pages[-1]] * (6 - len(home_pages))
    items = [str(exit_count), "0", "-1", "0", "1" if new_window_separate else "0", "-1", "0", "0",
             str(len(home_pages) - 1)] + ['"%s"' % p for p in pages]
    return ("\r\n".join(items) + "\r\n").encode()


class Program:
    """A fresh portable copy of Corvane with a fresh home, started from its folder."""

    def __init__(self, base, portable, display, settings=None):
        self.base = base
        self.display = display
        self.folder = os.path.join(base, "stick", "Corvane")
        shutil.copytree(portable, self.folder)
        self.home = _env_home(base)
        # A returning user: a nickname is stored, so no prompt asks for one.
        with open(os.path.join(self.home, "config", "Tavolin.ini"), "w") as f:
            f.write("[NidraBhanga]\nNickName=%s\n" % NICKNAME)
        if settings is not None:
            os.makedirs(self.data_folder(), exist_ok=True)
            with open(self.settings_path(), "wb") as f:
                f.write(settings)
        self.proc = None
        self.runs = 0
        self.helpers = []
        self.helps = []

    def twin(self):
        """A second copy of the program from the same folder, with the same home, as a user
        starts it twice; its output goes to its own logs."""
        other = Program.__new__(Program)
        other.base = os.path.join(self.base, "twin")
        os.makedirs(other.base, exist_ok=True)
        other.display = self.display
        other.folder = self.folder
        other.home = self.home
        other.proc = None
        other.runs = 0
        other.helpers = []
        other.helps = []
        return other

    def data_folder(self):
        return os.path.join(self.folder, "Corvane")

    def settings_path(self):
        return os.path.join(self.data_folder(), "Set.Velmora")

    def settings_items(self):
        try:
            with open(self.settings_path(), "rb") as f:
                return [line for line in f.read().decode("utf-8", "replace").split("\r\n") if line]
        except OSError:
            return None

    def output_path(self, run=None):
        return os.path.join(self.base, "program-run%d.log" % (run or self.runs))

    def start(self):
        self.runs += 1
        env = _clean_env(self.home, self.display.name)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["QTWEBENGINE_CHROMIUM_FLAGS"] = os.environ.get("E2E_ENGINE_FLAGS", ENGINE_FLAGS)
        with open(self.output_path(), "wb") as out:
            self.proc = subprocess.Popen([os.path.join(self.folder, "Corvane.exe")], cwd=self.folder, env=env,
                                         stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        self.started = time.monotonic()

    def start_help(self):
        """Starts the help program from its folder beside the browser, as a user would, with
        the same home; returns its process (ended by kill())."""
        env = _clean_env(self.home, self.display.name)
        env["QT_QPA_PLATFORM"] = "xcb"
        folder = os.path.join(self.folder, "Help")
        out = open(os.path.join(self.base, "help-run%d.log" % (len(self.helps) + 1)), "wb")
        with out:
            proc = subprocess.Popen([os.path.join(folder, "CorvaneHelp.exe")], cwd=folder, env=env,
                                    stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        self.helps.append(proc)
        return proc

    def alive(self):
        return self.proc is not None and self.proc.poll() is None

    def output(self):
        try:
            with open(self.output_path(), "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def main_window(self, timeout=30):
        """The main window, once it is on the screen."""
        found = wait_for(lambda: self.display.windows("^" + MAIN_TITLE + "$", self.proc.pid) or not self.alive(),
                         timeout)
        check(found is not True and found, "the main window did not appear%s"
              % ("" if self.alive() else " (the program ended with code %s)" % self.proc.returncode))
        return found[0]

    def process_tree(self):
        """Our process and its descendants (the engine's helpers)."""
        children = {}
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open("/proc/%s/stat" % entry, "rb") as f:
                        data = f.read()
                except OSError:
                    continue
                fields = data[data.rfind(b")") + 2:].split()
                if fields[0] != b"Z":
                    children.setdefault(int(fields[1]), []).append(int(entry))
        tree, todo = [], [self.proc.pid]
        while todo:
            pid = todo.pop()
            tree.append(pid)
            todo.extend(children.get(pid, []))
        return tree

    def wait_exit(self, timeout):
        """Waits for the program to end by itself; its exit code, or None when it still runs."""
        self.helpers = [p for p in self.process_tree() if p != self.proc.pid]
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def helpers_gone(self, timeout=10):
        def gone(pid):
            try:
                with open("/proc/%d/stat" % pid, "rb") as f:
                    data = f.read()
            except OSError:
                return True
            return data[data.rfind(b")") + 2:].split()[0] == b"Z"
        return wait_for(lambda: all(gone(p) for p in self.helpers), timeout)

    def kill(self):
        for proc in self.helps:
            _end(proc, grace=3)
        _end(self.proc, grace=3)
