"""Screen pictures without an image library: this module reads an XWD dump (TrueColor
ZPixmap: what `xwd` gives of a window, and the file in which Xvfb -fbdir keeps its screen)
and writes it as PNG, or hands out its pixels for comparing parts of the screen."""

import struct
import subprocess
import zlib


class Picture:
    """An RGB picture: width, height and rows of 3-byte pixels."""

    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self.rows = rows  # list of bytes, each width * 3 long

    def crop(self, x, y, w, h):
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(self.width, x + w), min(self.height, y + h)
        if x1 <= x0 or y1 <= y0:
            return Picture(0, 0, [])
        return Picture(x1 - x0, y1 - y0, [r[x0 * 3:x1 * 3] for r in self.rows[y0:y1]])

    def pixel(self, x, y):
        r = self.rows[y]
        return tuple(r[x * 3:x * 3 + 3])

    def differing_pixels(self, other):
        """How many pixels differ from another picture of the same size."""
        if (self.width, self.height) != (other.width, other.height):
            return self.width * self.height or 1
        n = 0
        for a, b in zip(self.rows, other.rows):
            if a != b:
                n += sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
        return n

    def png(self):
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        raw = b"".join(b"\x00" + r for r in self.rows)
        return (b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def _shift(mask):
    s = 0
    while mask and not mask & 1:
        mask >>= 1
        s += 1
    return s, mask


def parse_xwd(data, area=None):
    """Reads an XWD dump of a TrueColor visual with 24 or 32 bits a pixel; only the area
    (x, y, width, height) when one is given."""
    fields = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format = fields[0], fields[1], fields[2]
    width, height = fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    ncolors = fields[19]
    if version != 7 or pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise ValueError("unsupported xwd dump (version %d, format %d, %d bits a pixel)"
                         % (version, pixmap_format, bits_per_pixel))
    start = header_size + ncolors * 12
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    channels = [_shift(m) for m in (red_mask, green_mask, blue_mask)]
    # The usual layout (Xvfb, little end first, masks ff0000/ff00/ff) is B G R x in memory:
    # a fast path that reorders bytes; anything else goes pixel by pixel.
    fast = (order == "little" and (red_mask, green_mask, blue_mask) == (0xff0000, 0xff00, 0xff))
    x0, y0, w, h = area if area else (0, 0, width, height)
    x0, y0 = max(0, x0), max(0, y0)
    x1, y1 = min(width, x0 + w), min(height, y0 + h)
    width = max(0, x1 - x0)
    rows = []
    for y in range(y0, y1):
        line = data[start + y * bytes_per_line + x0 * step:start + y * bytes_per_line + x1 * step]
        if fast:
            out = bytearray(width * 3)
            out[0::3] = line[2::step]
            out[1::3] = line[1::step]
            out[2::3] = line[0::step]
        else:
            out = bytearray()
            for x in range(width):
                v = int.from_bytes(line[x * step:x * step + step], order)
                for s, m in channels:
                    c = (v >> s) & m
                    out.append(c * 255 // m if m else 0)
        rows.append(bytes(out))
    return Picture(width, len(rows), rows)


def grab(display, window, area=None):
    """A picture of one window of an X display, or of an area of it."""
    cmd = ["xwd", "-silent", "-display", display, "-id", str(window)]
    data = subprocess.run(cmd, check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20).stdout
    return parse_xwd(data, area)
