"""What reaches the screen of the benchmarks' X server, told by the server itself, and a
user's mouse on it.

Every drawing that changes the screen raises a DAMAGE event with the rectangle it changed. A
window that holds a web view is composed through OpenGL: each of its frames puts the whole
window (or the whole of a native child window) on the screen at once, while a window drawn
by the CPU puts only the rectangles that changed. The frames are counted from these events;
the same count serves every program, with nothing added to any of them.

The X protocol is spoken here directly over the server's local socket, with nothing beyond
Python's own library: the benchmarks' own Xvfb only (no authorisation, little-endian).
"""

import socket
import struct
import threading
import time


def _pad(n):
    return (4 - n % 4) % 4


class Connection:
    """One client connection: requests, their replies, and events for a reader thread."""

    def __init__(self, display):
        number = display.split(":")[1].split(".")[0]
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect("/tmp/.X11-unix/X%s" % number)
        self.buffer = b""
        self.root, self.width, self.height, self.id_base = self._setup()

    def _recv(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise EOFError("the X server closed the connection")
            self.buffer += chunk
        data, self.buffer = self.buffer[:n], self.buffer[n:]
        return data

    def _setup(self):
        self.sock.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
        head = self._recv(8)
        if head[0] != 1:
            raise RuntimeError("the X server refused the connection")
        body = self._recv(struct.unpack("<H", head[6:8])[0] * 4)
        id_base = struct.unpack("<I", body[4:8])[0]
        vendor_len, _, _, formats = struct.unpack("<HHBB", body[16:22])
        screen = 32 + vendor_len + _pad(vendor_len) + 8 * formats
        root = struct.unpack("<I", body[screen:screen + 4])[0]
        width, height = struct.unpack("<HH", body[screen + 20:screen + 24])
        return root, width, height, id_base

    def send(self, data):
        self.sock.sendall(data)

    def packet(self):
        """The next reply, event or error: (first 32 bytes, the rest of a reply)."""
        head = self._recv(32)
        extra = struct.unpack("<I", head[4:8])[0] * 4 if head[0] == 1 else 0
        return head, self._recv(extra) if extra else b""

    def reply(self):
        """The reply to the last request (events that come before it are dropped)."""
        while True:
            head, rest = self.packet()
            if head[0] == 1:
                return head + rest
            if head[0] == 0:
                raise RuntimeError("X error %d on request %d.%d" % (head[1], head[10], head[8]))

    def query_extension(self, name):
        self.send(struct.pack("<BxHHxx", 98, 2 + (len(name) + _pad(len(name))) // 4, len(name))
                  + name + b"\0" * _pad(len(name)))
        reply = self.reply()
        if not reply[8]:
            raise RuntimeError("the X server has no %s extension" % name.decode())
        return reply[9], reply[10]

    def close(self):
        try:
            self.sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        self.sock.close()


class DamageWatch:
    """Records every rectangle drawn on the screen of display (":N") from its creation on."""

    def __init__(self, display):
        self.x = Connection(display)
        self.lock = threading.Lock()
        self.changed = threading.Condition(self.lock)
        self.rects = []  # (monotonic time of arrival, x, y, w, h)
        self.opcode, self.first_event = self.x.query_extension(b"DAMAGE")
        # The client tells its version before the extension answers anything else.
        self.x.send(struct.pack("<BBHII", self.opcode, 0, 3, 1, 1))
        self.x.reply()
        # Raw rectangles: one event for every drawing, nothing merged by the server. A
        # watch on the root window sees the drawing of every window on the screen.
        self.x.send(struct.pack("<BBHIIB3x", self.opcode, 1, 4, self.x.id_base | 1, self.x.root, 0))
        self.thread = threading.Thread(target=self._read_events, daemon=True)
        self.thread.start()

    def _read_events(self):
        try:
            while True:
                head, _ = self.x.packet()
                if head[0] & 0x7F != self.first_event:
                    continue
                x, y, w, h = struct.unpack("<hhHH", head[16:24])
                with self.changed:
                    self.rects.append((time.monotonic(), x, y, w, h))
                    self.changed.notify_all()
        except (EOFError, OSError):
            pass

    def mark(self):
        """A point in the recording, to count from or to."""
        with self.lock:
            return len(self.rects)

    def drawn(self, start=0, end=None):
        with self.lock:
            return list(self.rects[start:end])

    def wait_past(self, mark, timeout):
        """Waits for a drawing after mark; False when none came within timeout seconds."""
        with self.changed:
            return self.changed.wait_for(lambda: len(self.rects) > mark, timeout)

    def close(self):
        self.x.close()


def frames(rects, gap=0.001):
    """The drawings, as frames: rectangles that reached the server within gap seconds of each
    other are one frame. Each frame is (time of its first rectangle, pixels drawn)."""
    out = []
    for t, _, _, w, h in rects:
        if out and t - out[-1][2] <= gap:
            out[-1] = (out[-1][0], out[-1][1] + w * h, t)
        else:
            out.append((t, w * h, t))
    return [(t, area) for t, area, _ in out]


def full_frames(rects, window_area, share=0.5):
    """The frames that drew at least share of a window's pixels: composed windows, as the
    graphics stack puts them on the screen, against the few rectangles of a widget."""
    return [f for f in frames(rects) if f[1] >= share * window_area]


class Screen:
    """A user's mouse on the screen (the XTEST extension), and what a pixel shows."""

    def __init__(self, display):
        self.x = Connection(display)
        self.xtest, _ = self.x.query_extension(b"XTEST")
        self.x.send(struct.pack("<BBHBxH", self.xtest, 0, 2, 2, 2))
        self.x.reply()

    def _fake(self, kind, detail, x=0, y=0):
        self.x.send(struct.pack("<BBHBBHIIIIhhIHBB", self.xtest, 2, 9, kind, detail, 0, 0,
                                self.x.root, 0, 0, x, y, 0, 0, 0, 0))

    def move(self, x, y):
        self._fake(6, 0, x, y)  # MotionNotify, absolute
        self.sync()

    def click(self, x, y):
        """Moves there, presses and releases the left button; returns the monotonic time at
        which the press reached the server."""
        self.move(x, y)
        self._fake(4, 1)  # ButtonPress
        self.sync()
        pressed = time.monotonic()
        self._fake(5, 1)  # ButtonRelease
        self.sync()
        return pressed

    def sync(self):
        # GetInputFocus: its reply comes once everything sent before it has been handled.
        self.x.send(struct.pack("<BxH", 43, 1))
        self.x.reply()

    def pixel(self, x, y):
        """(red, green, blue) of the screen at x, y."""
        self.x.send(struct.pack("<BBHIhhHHI", 73, 2, 5, self.x.root, x, y, 1, 1, 0xFFFFFFFF))
        reply = self.x.reply()
        blue, green, red = reply[32], reply[33], reply[34]
        return red, green, blue

    def close(self):
        self.x.close()
