#!/usr/bin/env python3
"""Draws every bitmap, cursor and icon of Frimlet2 into res/.

Usage (from anywhere; needs only Python 3 and its standard library):

    python3 res/draw.py                  # (re)writes res/bitmaps, res/cursors, res/Frimlet2.ico,
                                         # res/installer
    python3 res/draw.py --preview DIR    # also writes enlarged PNG previews into DIR

The output is deterministic: the same script always writes byte-identical files, so
the drawn files are kept in the repository beside this script and re-running it
after a change shows exactly what changed.

Pictures are described as vector shapes in pixel coordinates and rasterised with
8 sub-rows per pixel and exact horizontal coverage. Bitmaps whose users treat one
colour as transparent are filled with exactly that colour wherever nothing is
drawn; their anti-aliased edges are blended against the colour they are normally
shown on (the "matte"), so that no fringe of the key colour remains.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# Rasteriser
# ---------------------------------------------------------------------------

SUBROWS = 8


def _signed_area(pts):
    a = 0.0
    for i in range(len(pts)):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % len(pts)]
        a += x0 * y1 - x1 * y0
    return a / 2.0


def coverage(contours, w, h, rule="nonzero"):
    """Returns a h x w list of coverage values in 0..1 for the given closed contours.

    With the nonzero rule every contour is first turned the same way round, so that
    overlapping shapes add up to their union; holes need the evenodd rule.
    """
    edges = []
    for pts in contours:
        if len(pts) < 3:
            continue
        if rule == "nonzero" and _signed_area(pts) < 0:
            pts = list(reversed(pts))
        for i in range(len(pts)):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % len(pts)]
            if y0 == y1:
                continue
            d = 1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
                d = -1
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
    cov = [[0.0] * w for _ in range(h)]
    if not edges:
        return cov
    ymin = max(0, int(math.floor(min(e[0] for e in edges))))
    ymax = min(h, int(math.ceil(max(e[1] for e in edges))))
    wt = 1.0 / SUBROWS
    for py in range(ymin, ymax):
        row = cov[py]
        for k in range(SUBROWS):
            y = py + (k + 0.5) / SUBROWS
            xs = []
            for y0, y1, x0, slope, d in edges:
                if y0 <= y < y1:
                    xs.append((x0 + (y - y0) * slope, d))
            if not xs:
                continue
            xs.sort()
            spans = []
            if rule == "evenodd":
                for i in range(0, len(xs) - 1, 2):
                    spans.append((xs[i][0], xs[i + 1][0]))
            else:
                wind = 0
                start = 0.0
                for x, d in xs:
                    if wind == 0:
                        start = x
                    wind += d
                    if wind == 0:
                        spans.append((start, x))
            for xa, xb in spans:
                xa = max(0.0, xa)
                xb = min(float(w), xb)
                if xb <= xa:
                    continue
                ia = int(xa)
                ib = int(xb)
                if ia == ib:
                    row[ia] += (xb - xa) * wt
                    continue
                row[ia] += (ia + 1 - xa) * wt
                for i in range(ia + 1, min(ib, w)):
                    row[i] += wt
                if ib < w:
                    row[ib] += (xb - ib) * wt
    for row in cov:
        for i in range(w):
            if row[i] > 1.0:
                row[i] = 1.0
    return cov


class Canvas:
    """RGBA picture with premultiplied colour channels in 0..1."""

    def __init__(self, w, h):
        self.w = w
        self.h = h
        self.px = [[[0.0, 0.0, 0.0, 0.0] for _ in range(w)] for _ in range(h)]

    def fill(self, contours, color, alpha=1.0, rule="nonzero"):
        cov = coverage(contours, self.w, self.h, rule)
        for y in range(self.h):
            crow = cov[y]
            prow = self.px[y]
            for x in range(self.w):
                c = crow[x]
                if c <= 0.0:
                    continue
                col = color(x + 0.5, y + 0.5) if callable(color) else color
                a = c * alpha
                p = prow[x]
                inv = 1.0 - a
                p[0] = col[0] / 255.0 * a + p[0] * inv
                p[1] = col[1] / 255.0 * a + p[1] * inv
                p[2] = col[2] / 255.0 * a + p[2] * inv
                p[3] = a + p[3] * inv

    def outlined(self, contours, fill, outline, width=1.0, rule="nonzero"):
        """Fills the shape in the outline colour grown by width, then the shape itself."""
        grown = [offset_polygon(c, width) for c in contours]
        self.fill(grown, outline, rule=rule)
        self.fill(contours, fill, rule=rule)

    # -- conversion into the stored forms ---------------------------------

    def opaque(self, bg):
        """Composites over a solid background: rows of (r, g, b)."""
        out = []
        for row in self.px:
            orow = []
            for r, g, b, a in row:
                inv = 1.0 - a
                orow.append(
                    (
                        _to8(r * 255 + bg[0] * inv),
                        _to8(g * 255 + bg[1] * inv),
                        _to8(b * 255 + bg[2] * inv),
                    )
                )
            out.append(orow)
        return out

    def keyed(self, key, matte, threshold=0.35):
        """Pixels below the threshold become exactly the key colour; the others are
        composited over the matte and never equal the key colour."""
        out = []
        for row in self.px:
            orow = []
            for r, g, b, a in row:
                if a < threshold:
                    orow.append(tuple(key))
                    continue
                inv = 1.0 - a
                c = (
                    _to8(r * 255 + matte[0] * inv),
                    _to8(g * 255 + matte[1] * inv),
                    _to8(b * 255 + matte[2] * inv),
                )
                if c == tuple(key):
                    c = (c[0], c[1], c[2] + 1 if c[2] < 255 else c[2] - 1)
                orow.append(c)
            out.append(orow)
        return out

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows."""
        out = []
        for row in self.px:
            orow = []
            for r, g, b, a in row:
                if a <= 0.0:
                    orow.append((0, 0, 0, 0))
                    continue
                orow.append((_to8(r / a * 255), _to8(g / a * 255), _to8(b / a * 255), _to8(a * 255)))
            out.append(orow)
        return out


def _to8(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


# -- shapes -----------------------------------------------------------------


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def _arc_steps(r):
    return max(4, int(r * 2) + 4)


def circle(cx, cy, r, steps=None):
    n = steps or max(12, int(r * 6) + 8)
    return [(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n)) for i in range(n)]


def ellipse(cx, cy, rx, ry):
    n = max(16, int(max(rx, ry) * 6) + 8)
    return [(cx + rx * math.cos(2 * math.pi * i / n), cy + ry * math.sin(2 * math.pi * i / n)) for i in range(n)]


def rrect(x0, y0, x1, y1, r):
    r = min(r, (x1 - x0) / 2.0, (y1 - y0) / 2.0)
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = []
    n = _arc_steps(r)
    for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        for i in range(n + 1):
            a = math.radians(a0 + 90.0 * i / n)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def line(p0, p1, width, cap="butt"):
    """A straight stroke as contours (nonzero rule)."""
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    ln = math.hypot(dx, dy) or 1.0
    ux, uy = dx / ln, dy / ln
    nx, ny = -uy * width / 2.0, ux * width / 2.0
    if cap == "square":
        x0 -= ux * width / 2.0
        y0 -= uy * width / 2.0
        x1 += ux * width / 2.0
        y1 += uy * width / 2.0
    out = [[(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]]
    if cap == "round":
        out.append(circle(p0[0], p0[1], width / 2.0))
        out.append(circle(p1[0], p1[1], width / 2.0))
    return out


def polyline(pts, width, cap="round"):
    out = []
    for i in range(len(pts) - 1):
        out += line(pts[i], pts[i + 1], width, "butt")
    for p in pts[1:-1]:
        out.append(circle(p[0], p[1], width / 2.0))
    if cap == "round":
        out.append(circle(pts[0][0], pts[0][1], width / 2.0))
        out.append(circle(pts[-1][0], pts[-1][1], width / 2.0))
    return out


def arc_band(cx, cy, r_in, r_out, a0, a1):
    """A ring segment between two radii from angle a0 to a1 (degrees, clockwise on screen)."""
    n = max(8, int(r_out * abs(a1 - a0) / 20) + 8)
    outer = [
        (cx + r_out * math.cos(math.radians(a0 + (a1 - a0) * i / n)), cy + r_out * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
        for i in range(n + 1)
    ]
    inner = [
        (cx + r_in * math.cos(math.radians(a1 - (a1 - a0) * i / n)), cy + r_in * math.sin(math.radians(a1 - (a1 - a0) * i / n)))
        for i in range(n + 1)
    ]
    return outer + inner


def offset_polygon(pts, d):
    """Grows a polygon by d along the normals of its vertices (good enough for outlines)."""
    if _signed_area(pts) < 0:
        pts = list(reversed(pts))
    n = len(pts)
    out = []
    for i in range(n):
        px, py = pts[i - 1]
        cx, cy = pts[i]
        nx_, ny_ = pts[(i + 1) % n]
        e0 = (cx - px, cy - py)
        e1 = (nx_ - cx, ny_ - cy)
        l0 = math.hypot(*e0) or 1.0
        l1 = math.hypot(*e1) or 1.0
        # outward normals of a clockwise-on-screen (positive area in y-down) polygon
        n0 = (e0[1] / l0, -e0[0] / l0)
        n1 = (e1[1] / l1, -e1[0] / l1)
        bx, by = n0[0] + n1[0], n0[1] + n1[1]
        bl = math.hypot(bx, by)
        if bl < 1e-9:
            out.append((cx + n0[0] * d, cy + n0[1] * d))
            continue
        bx, by = bx / bl, by / bl
        cosh = bx * n0[0] + by * n0[1]
        k = d / max(cosh, 0.35)
        out.append((cx + bx * k, cy + by * k))
    return out


def transform(pts, sx=1.0, sy=None, tx=0.0, ty=0.0):
    sy = sx if sy is None else sy
    return [(x * sx + tx, y * sy + ty) for x, y in pts]


def rotate(pts, deg, cx, cy):
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in pts]


def gear(cx, cy, r_out, r_root, teeth, tooth_frac=0.5):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step - math.pi / 2
        half_top = step * tooth_frac / 2 * 0.8
        half_base = step * tooth_frac / 2 * 1.15
        for ang, r in (
            (a - half_base, r_root),
            (a - half_top, r_out),
            (a + half_top, r_out),
            (a + half_base, r_root),
        ):
            pts.append((cx + r * math.cos(ang), cy + r * math.sin(ang)))
        # root arc to the next tooth
        a_next = (i + 1) * step - math.pi / 2 - half_base
        a_from = a + half_base
        for j in range(1, 3):
            ang = a_from + (a_next - a_from) * j / 3
            pts.append((cx + r_root * math.cos(ang), cy + r_root * math.sin(ang)))
    return pts


def vgrad(y0, c0, y1, c1):
    def f(x, y):
        t = 0.0 if y1 == y0 else min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))

    return f


def hgrad(x0, c0, x1, c1):
    def f(x, y):
        t = 0.0 if x1 == x0 else min(1.0, max(0.0, (x - x0) / (x1 - x0)))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))

    return f


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

PPM_96DPI = 3780  # pixels per metre


def _bmp_rows_24(rows):
    data = bytearray()
    for row in reversed(rows):
        line_ = bytearray()
        for r, g, b in row:
            line_ += bytes((b, g, r))
        while len(line_) % 4:
            line_.append(0)
        data += line_
    return bytes(data)


def bmp24(rows):
    h = len(rows)
    w = len(rows[0])
    pix = _bmp_rows_24(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pix), PPM_96DPI, PPM_96DPI, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pix), 0, 0, 14 + len(info))
    return head + info + pix


def bmp32(rgba_rows):
    """32-bit bitmap whose fourth byte is the pixel's alpha (straight, as in icons)."""
    h = len(rgba_rows)
    w = len(rgba_rows[0])
    pix = bytearray()
    for row in reversed(rgba_rows):
        for r, g, b, a in row:
            pix += bytes((b, g, r, a))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pix), PPM_96DPI, PPM_96DPI, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pix), 0, 0, 14 + len(info))
    return head + info + bytes(pix)


def bmp8(rows, first=None):
    """8-bit palette bitmap; `first` (if given) becomes palette entry 0."""
    h = len(rows)
    w = len(rows[0])
    colors = {}
    if first is not None:
        colors[tuple(first)] = 0
    for row in rows:
        for c in row:
            if c not in colors:
                colors[c] = len(colors)
    step = 1
    while len(colors) > 256:
        # too many shades: round them coarser, keeping the first colour exact
        step *= 2
        q = lambda c: tuple(min(255, (v // step) * step + step // 2) for v in c)  # noqa: E731
        rows = [[c if first is not None and c == tuple(first) else q(c) for c in row] for row in rows]
        colors = {}
        if first is not None:
            colors[tuple(first)] = 0
        for row in rows:
            for c in row:
                if c not in colors:
                    colors[c] = len(colors)
    palette = sorted(colors.items(), key=lambda kv: kv[1])
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c, _ in palette)
    pix = bytearray()
    for row in reversed(rows):
        line_ = bytearray(colors[c] for c in row)
        while len(line_) % 4:
            line_.append(0)
        pix += line_
    info = struct.pack(
        "<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pix), PPM_96DPI, PPM_96DPI, len(palette), 0
    )
    off = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", off + len(pix), 0, 0, off)
    return head + info + pal + bytes(pix)


def png(rows, alpha):
    h = len(rows)
    w = len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for c in row:
            raw += bytes(c if alpha else c[:3])
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def _dib32_with_mask(rgba_rows):
    """Icon/cursor image: BITMAPINFOHEADER (double height), BGRA rows, AND mask."""
    h = len(rgba_rows)
    w = len(rgba_rows[0])
    xor = bytearray()
    for row in reversed(rgba_rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for row in reversed(rgba_rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_or_cur(images, cursor=False):
    """images: list of (rgba rows, hotspot or None). Sizes of 256 are stored as PNG."""
    count = len(images)
    head = struct.pack("<HHH", 0, 2 if cursor else 1, count)
    blobs = []
    for rows, _ in images:
        if len(rows) >= 256 and not cursor:
            blobs.append(png(rows, True))
        else:
            blobs.append(_dib32_with_mask(rows))
    offset = 6 + 16 * count
    entries = b""
    for (rows, hot), blob in zip(images, blobs):
        w = len(rows[0])
        h = len(rows)
        if cursor:
            f1, f2 = hot
        else:
            f1, f2 = 1, 32
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, f1, f2, len(blob), offset)
        offset += len(blob)
    return head + entries + b"".join(blobs)


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

KEY_GREY = (192, 192, 192)  # transparent colour of the bitmap buttons
KEY_YELLOW = (255, 255, 0)  # transparent colour of the thumbnail-toolbar strips
BUTTON_FACE = (236, 236, 236)  # what the bitmap buttons are normally drawn on
DIALOG_FACE = (240, 240, 240)

FRAME_BLUE = (100, 100, 255)  # the frame's default colour
FRAME_BLUE_DARK = (52, 52, 168)
INK = (40, 44, 56)
INK_SOFT = (88, 92, 104)
WHITE = (255, 255, 255)
TILE_FACE = (242, 242, 242)
TILE_EDGE = (112, 112, 120)
CLOSE_FACE = (210, 60, 50)
CLOSE_EDGE = (140, 34, 28)


# ---------------------------------------------------------------------------
# Tab icons of the capture frame (opaque tiles)
# ---------------------------------------------------------------------------


def tile(n, face, edge):
    c = Canvas(n, n)
    c.fill([rect(0, 0, n, n)], edge)
    c.fill([rect(1, 1, n - 1, n - 1)], face)
    return c


def settings_tile(n):
    c = tile(n, TILE_FACE, TILE_EDGE)
    cx = cy = n / 2.0
    if n <= 10:
        # hand-placed pixels read better than a scaled gear at this size
        pix = [
            "..X..X..",
            ".XXXXXX.",
            "XXX..XXX",
            ".X....X.",
            ".X....X.",
            "XXX..XXX",
            ".XXXXXX.",
            "..X..X..",
        ]
        for y, s in enumerate(pix):
            for x, ch in enumerate(s):
                if ch == "X":
                    c.fill([rect(1 + x, 1 + y, 2 + x, 2 + y)], INK)
        return c
    inner = n - 2
    r_out = inner * 0.46
    r_root = inner * 0.34
    teeth = 6 if n < 20 else 8
    hole = inner * (0.13 if n < 20 else 0.15)
    c.fill([gear(cx, cy, r_out, r_root, teeth, 0.55), circle(cx, cy, hole)], INK, rule="evenodd")
    return c


def close_tile(n):
    c = tile(n, CLOSE_FACE, CLOSE_EDGE)
    if n <= 10:
        for i in range(6):
            c.fill([rect(2 + i, 2 + i, 3 + i, 3 + i)], WHITE)
            c.fill([rect(7 - i, 2 + i, 8 - i, 3 + i)], WHITE)
        return c
    m = n * 0.28
    w = max(1.6, n * 0.11)
    c.fill(line((m, m), (n - m, n - m), w, "square") + line((n - m, m), (m, n - m), w, "square"), WHITE)
    return c


def minimize_tile(n):
    c = tile(n, TILE_FACE, TILE_EDGE)
    c.fill([rect(2, n - 4, n - 2, n - 2)], INK)
    return c


def grip_tile(n):
    c = tile(n, TILE_FACE, TILE_EDGE)
    # six raised dots along the corner, as a resize grip
    for gx, gy in ((0, 0), (1, 0), (0, 1), (2, 0), (1, 1), (0, 2)):
        x = n - 5 - gx * 3
        y = n - 5 - gy * 3
        c.fill([rect(x + 1, y + 1, x + 3, y + 3)], WHITE)
        c.fill([rect(x, y, x + 2, y + 2)], INK_SOFT)
    return c


# ---------------------------------------------------------------------------
# Camera on the shutter button (grey transparent, one size per tab scale)
# ---------------------------------------------------------------------------

SHUTTER_SIZES = (16, 24, 32, 40, 48, 64)  # the tab at 100, 150, 200, 250, 300 and 400 %


def shutter_camera(n):
    c = Canvas(n, n)
    u = n / 16.0
    body = rrect(1 * u, 4.5 * u, 15 * u, 14 * u, 1.6 * u)
    hump = [(5 * u, 4.6 * u), (6.2 * u, 2.4 * u), (9.8 * u, 2.4 * u), (11 * u, 4.6 * u)]
    c.fill([body, hump], INK)
    c.fill([circle(8 * u, 9.3 * u, 3.6 * u)], (226, 230, 238))
    c.fill([circle(8 * u, 9.3 * u, 2.3 * u)], FRAME_BLUE)
    c.fill([circle(7.3 * u, 8.6 * u, 0.8 * u)], WHITE)
    c.fill([rect(12 * u, 5.8 * u, 13.8 * u, 7.0 * u)], (250, 212, 112))
    return c


# ---------------------------------------------------------------------------
# Thumbnail-toolbar strip (five images, yellow transparent)
# ---------------------------------------------------------------------------

THUMB_INK = (28, 28, 36)


def thumb_folder(c, ox, n):
    u = n / 24.0
    back = [
        (ox + 2 * u, 5 * u), (ox + 9 * u, 5 * u), (ox + 11 * u, 7.5 * u), (ox + 20 * u, 7.5 * u),
        (ox + 20 * u, 19.5 * u), (ox + 2 * u, 19.5 * u),
    ]
    c.outlined([back], (214, 160, 52), THUMB_INK, 1.2 * u)
    front = [(ox + 5.5 * u, 10.5 * u), (ox + 22.5 * u, 10.5 * u), (ox + 19.5 * u, 19.5 * u), (ox + 2 * u, 19.5 * u)]
    c.outlined([front], (250, 212, 112), THUMB_INK, 1.2 * u)


def thumb_gear(c, ox, n):
    u = n / 24.0
    cx, cy = ox + 12 * u, 12 * u
    g = gear(cx, cy, 10 * u, 7.4 * u, 8, 0.55)
    c.fill([offset_polygon(g, 1.2 * u)], THUMB_INK)
    c.fill([g], vgrad(2 * u, (250, 250, 252), 22 * u, (196, 200, 210)))
    c.fill([circle(cx, cy, 4.2 * u)], THUMB_INK)
    c.fill([circle(cx, cy, 2.8 * u)], (120, 124, 140))


def thumb_lock(c, ox, n, locked):
    u = n / 24.0
    cx = ox + 12 * u
    # shackle
    if locked:
        sx, top = cx, 3 * u
    else:
        sx, top = cx + 5 * u, 1.5 * u
    r_out, r_in = 5.6 * u, 3.4 * u
    band = arc_band(sx, top + r_out, r_in, r_out, 180, 360)
    legs_bottom = 12 * u
    c.fill([offset_polygon(band, 1.0 * u)], THUMB_INK)
    left_leg = rect(sx - r_out - 1.0 * u, top + r_out, sx - r_in + 1.0 * u, legs_bottom)
    right_leg = rect(sx + r_in - 1.0 * u, top + r_out, sx + r_out + 1.0 * u, legs_bottom)
    c.fill([left_leg, right_leg], THUMB_INK)
    c.fill([band, rect(sx - r_out, top + r_out - 0.1, sx - r_in, legs_bottom), rect(sx + r_in, top + r_out - 0.1, sx + r_out, legs_bottom)], (200, 204, 214))
    # body
    body = rrect(ox + 4 * u, 10.5 * u, ox + 20 * u, 22 * u, 2 * u)
    c.outlined([body], vgrad(10.5 * u, (255, 214, 96), 22 * u, (222, 150, 30)), THUMB_INK, 1.2 * u)
    c.fill([circle(cx, 15.3 * u, 1.8 * u), rect(cx - 0.8 * u, 15.3 * u, cx + 0.8 * u, 19 * u)], THUMB_INK)


def thumb_controller(c, ox, n):
    u = n / 24.0
    cx, cy = ox + 12 * u, 12 * u
    arrows = []
    for ang in (0, 90, 180, 270):
        head = [(cx + 11 * u, cy), (cx + 6.5 * u, cy - 4.5 * u), (cx + 6.5 * u, cy + 4.5 * u)]
        arrows.append(rotate(head, ang, cx, cy))
    square = rect(cx - 3.2 * u, cy - 3.2 * u, cx + 3.2 * u, cy + 3.2 * u)
    c.fill([offset_polygon(p, 1.2 * u) for p in arrows + [square]], THUMB_INK)
    c.fill(arrows, (248, 248, 252))
    c.fill([square], FRAME_BLUE)


def thumb_strip(n):
    c = Canvas(n * 5, n)
    thumb_folder(c, 0, n)
    thumb_gear(c, n, n)
    thumb_lock(c, 2 * n, n, True)
    thumb_lock(c, 3 * n, n, False)
    thumb_controller(c, 4 * n, n)
    return c


# ---------------------------------------------------------------------------
# Frame controller buttons (8-bit, grey transparent)
# ---------------------------------------------------------------------------

ARROW_INK = (36, 48, 84)


def triangle_button(direction):
    c = Canvas(20, 20)
    tri = [(4.0, 10.0), (15.0, 3.0), (15.0, 17.0)]  # pointing left
    rot = {"left": 0, "up": 90, "right": 180, "down": 270}[direction]
    c.fill([rotate(tri, rot, 10.0, 10.0)], ARROW_INK)
    return c


def edge_arrow(direction):
    """Arrow with a double line standing for the frame's edge (20 x 30 or 30 x 20)."""
    # drawn pointing left with the edge on the right, in a 20 x 30 box, then turned
    shapes_arrow = [
        [(2.0, 15.0), (9.0, 8.0), (9.0, 13.0), (12.0, 13.0), (12.0, 17.0), (9.0, 17.0), (9.0, 22.0)]
    ]
    shapes_edge = [rect(14.0, 4.0, 16.0, 26.0), rect(17.0, 4.0, 19.0, 26.0)]

    def place(pts):
        if direction == "left":
            return pts
        if direction == "right":
            return [(20.0 - x, y) for x, y in pts]
        if direction == "up":
            # swap axes: arrow points up, edge below
            return [(y, x) for x, y in pts]
        return [(y, 20.0 - x) for x, y in pts]  # down: edge above

    w, h = (20, 30) if direction in ("left", "right") else (30, 20)
    c = Canvas(w, h)
    c.fill([place(p) for p in shapes_edge], (84, 92, 112))
    c.fill([place(p) for p in shapes_arrow], ARROW_INK)
    return c


# ---------------------------------------------------------------------------
# Image format buttons of the options dialog (32 x 32, grey transparent)
# The caption is drawn over the top part, so the pictures sit in the lower half.
# ---------------------------------------------------------------------------

PIC_INK = (60, 64, 76)


def format_jpeg():
    c = Canvas(32, 32)
    c.fill([rect(5, 14, 27, 30)], PIC_INK)
    c.fill([rect(6, 15, 26, 29)], WHITE)
    c.fill([rect(7.5, 16.5, 24.5, 27.5)], vgrad(16.5, (120, 180, 240), 27.5, (200, 230, 255)))
    c.fill([circle(20.5, 19.5, 1.9)], (255, 200, 60))
    c.fill([[(7.5, 27.5), (7.5, 24.0), (12.0, 19.5), (17.5, 25.0), (19.5, 23.0), (24.5, 27.5)]], (70, 150, 80))
    return c


def format_bmp():
    c = Canvas(32, 32)
    colors = [
        (230, 80, 70), (250, 170, 60), (250, 220, 80), (120, 200, 90),
        (80, 170, 220), (90, 110, 210), (160, 100, 200), (230, 120, 170),
    ]
    c.fill([rect(5, 14, 27, 30)], PIC_INK)
    for j in range(3):
        for i in range(5):
            col = colors[(i * 3 + j * 5) % len(colors)]
            c.fill([rect(6 + i * 4.2, 15 + j * 5, 6 + (i + 1) * 4.2 - 0.01, 15 + (j + 1) * 5 - 0.01)], col)
    for i in range(1, 5):
        c.fill([rect(6 + i * 4.2 - 0.5, 15, 6 + i * 4.2 + 0.5, 29)], (250, 250, 250), 0.8)
    for j in range(1, 3):
        c.fill([rect(6, 15 + j * 5 - 0.5, 26, 15 + j * 5 + 0.5)], (250, 250, 250), 0.8)
    return c


def format_gif():
    c = Canvas(32, 32)
    bars = [(7, 22, (230, 90, 70)), (12.5, 17, (250, 180, 50)), (18, 20, (80, 160, 220)), (23.5, 15, (110, 190, 90))]
    for x, top, col in bars:
        c.fill([rect(x - 0.8, top - 0.8, x + 4.3, 29.2)], PIC_INK)
        c.fill([rect(x, top, x + 3.5, 29)], col)
    c.fill([rect(4, 29, 28.5, 30.5)], PIC_INK)
    return c


def format_png():
    c = Canvas(32, 32)
    pal = ellipse(16, 22.5, 11, 7.5)
    c.fill([offset_polygon(pal, 1.0), circle(20.5, 26.0, 2.0)], PIC_INK, rule="evenodd")
    c.fill([pal, circle(20.5, 26.0, 2.0)], (236, 210, 160), rule="evenodd")
    for (x, y), col in (((9.5, 21.5), (230, 70, 70)), ((13.5, 18.5), (250, 200, 50)), ((18.5, 18.5), (80, 170, 90)), ((23.0, 21.5), (70, 120, 220))):
        c.fill([circle(x, y, 2.1)], col)
    c.fill([circle(20.5, 26.0, 3.0), circle(20.5, 26.0, 2.0)], PIC_INK, rule="evenodd")
    return c


# ---------------------------------------------------------------------------
# JPEG quality scale (150 x 10, opaque on the dialog face)
# ---------------------------------------------------------------------------


def quality_scale():
    c = Canvas(150, 10)
    wedge = [(0.0, 9.5), (150.0, 9.5), (150.0, 0.5), (0.0, 8.0)]

    def col(x, y):
        t = x / 150.0
        a = (236, 120, 60)
        b = (70, 170, 90)
        return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))

    c.fill([offset_polygon(wedge, 0.5)], (120, 124, 132))
    c.fill([wedge], col)
    return c


# ---------------------------------------------------------------------------
# Cursors
# ---------------------------------------------------------------------------


def fit_target_cursor(n, hot):
    """Target cursor: cross hairs in a ring around the hot spot, and a small capture
    frame above right of it that says what the click will do."""
    u = n / 32.0
    c = Canvas(n, n)
    hx, hy = hot[0] + 0.5, hot[1] + 0.5
    lw = max(1.0, round(u))
    halo = lw
    # cross hairs: four arms with a gap at the centre
    arms = []
    g, r = 3 * u, 10.5 * u
    arms += line((hx - r, hy), (hx - g, hy), lw) + line((hx + g, hy), (hx + r, hy), lw)
    arms += line((hx, hy - r), (hx, hy - g), lw) + line((hx, hy + g), (hx, hy + r), lw)
    ring = [circle(hx, hy, 7 * u + lw / 2.0), circle(hx, hy, 7 * u - lw / 2.0)]
    dot = rect(hx - lw / 2.0, hy - lw / 2.0, hx + lw / 2.0, hy + lw / 2.0)
    # white halo so that the cursor shows on dark and light windows
    c.fill([offset_polygon(p, halo) for p in arms] + [offset_polygon(dot, halo)], WHITE)
    c.fill([circle(hx, hy, 7 * u + lw / 2.0 + halo), circle(hx, hy, 7 * u - lw / 2.0 - halo)], WHITE, rule="evenodd")
    c.fill(ring, (0, 0, 0), rule="evenodd")
    c.fill(arms + [dot], (0, 0, 0))
    # small capture frame: border with its tab under the right end
    fx0, fy0, fx1, fy1 = 18.0 * u, 2.0 * u, 30.0 * u, 11.0 * u
    bw = 2.0 * u
    tab = rect(24.0 * u, fy1 - 0.01, fx1, fy1 + 2.0 * u)
    hole = rect(fx0 + bw, fy0 + bw, fx1 - bw, fy1 - bw)
    c.fill([offset_polygon(rect(fx0, fy0, fx1, fy1), u), offset_polygon(hole, -u)], (0, 0, 0), rule="evenodd")
    c.fill([offset_polygon(tab, u)], (0, 0, 0))
    c.fill([rect(fx0, fy0, fx1, fy1), hole], FRAME_BLUE, rule="evenodd")
    c.fill([tab], FRAME_BLUE)
    return c


def swatch_cursor(n):
    """Arrow pointer with a small colour wheel: click to choose a colour."""
    u = n / 32.0
    c = Canvas(n, n)
    arrow = [(1, 1), (1, 21), (5.8, 16.6), (9.2, 24.4), (12.4, 23.0), (9.1, 15.4), (15.4, 15.4)]
    arrow = [((x - 1) * u + 1, (y - 1) * u + 1) for x, y in arrow]  # the tip stays at (1, 1)
    c.fill([offset_polygon(arrow, max(1.0, u))], (0, 0, 0))
    c.fill([arrow], WHITE)
    cx, cy, r = 22.5 * u, 23.5 * u, 6.5 * u
    c.fill([circle(cx, cy, r + max(1.0, u))], (0, 0, 0))
    quads = [(-90, 0, (230, 60, 60)), (0, 90, (60, 120, 230)), (90, 180, (70, 180, 80)), (180, 270, (250, 210, 50))]
    for a0, a1, col in quads:
        c.fill([arc_band(cx, cy, 0.0001, r, a0, a1)], col)
    c.fill([circle(cx, cy, 2.0 * u)], WHITE)
    return c


# ---------------------------------------------------------------------------
# Application icon
# ---------------------------------------------------------------------------


def app_icon(n):
    """The capture frame: a blue rounded border around a picture, with the tab and
    its shutter button under the bottom right."""
    c = Canvas(n, n)
    if n <= 24:
        u = n / 16.0
        # pixel-snapped geometry for the small sizes
        x0, y0, x1, y1 = 0, round(1 * u), n, round(12 * u)
        t = max(2, round(2 * u))
        tab = rect(round(7 * u), y1 - 1, n, n - round(0.5 * u) if n > 16 else n)
        hole = rect(x0 + t, y0 + t, x1 - t, y1 - t)
        c.fill([rect(x0, y0, x1, y1), hole], FRAME_BLUE_DARK, rule="evenodd")
        c.fill([tab], FRAME_BLUE_DARK)
        inner_hole = offset_polygon(hole, 1) if t >= 3 else hole
        c.fill([rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1), inner_hole], FRAME_BLUE, rule="evenodd")
        c.fill([rect(tab[0][0] + 1, y1 - 1, n - 1, tab[2][1] - 1)], FRAME_BLUE)
        c.fill([hole], vgrad(hole[0][1], (190, 220, 255), hole[2][1], (235, 245, 255)))
        hx0, hy0, hx1, hy1 = hole[0][0], hole[0][1], hole[2][0], hole[2][1]
        c.fill([[(hx0, hy1), (hx0, hy1 - 2 * u), (hx0 + 3 * u, hy1 - 4.5 * u), (hx0 + 6 * u, hy1 - 1.5 * u), (hx0 + 8 * u, hy1 - 3 * u), (hx1, hy1)]], (80, 160, 90))
        bx = tab[0][0] + (n - tab[0][0]) * 0.55
        by = (tab[0][1] + tab[2][1]) / 2.0 + 0.25 * u
        c.fill([circle(bx, by, 1.25 * u + 0.25)], (230, 60, 50))
        return c
    u = n / 256.0
    x0, y0, x1, y1 = 8 * u, 16 * u, 248 * u, 196 * u
    t = 30 * u
    rad = 26 * u
    outer = rrect(x0, y0, x1, y1, rad)
    hole = rect(x0 + t, y0 + t, x1 - t, y1 - t)
    tab = rrect(128 * u, y1 - 20 * u, x1, 244 * u, 16 * u)
    edge = max(1.0, 5 * u)
    c.fill([offset_polygon(outer, edge), offset_polygon(tab, edge)], FRAME_BLUE_DARK)
    c.fill([outer, tab], vgrad(y0, (136, 136, 255), 244 * u, (84, 84, 236)))
    # the picture seen through the hole
    c.fill([offset_polygon(hole, edge)], FRAME_BLUE_DARK)
    hx0, hy0, hx1, hy1 = x0 + t, y0 + t, x1 - t, y1 - t
    c.fill([hole], vgrad(hy0, (150, 200, 250), hy1, (225, 240, 255)))
    c.fill([circle(hx0 + 130 * u, hy0 + 34 * u, 16 * u)], (255, 206, 70))
    c.fill([[(hx0, hy1), (hx0, hy1 - 40 * u), (hx0 + 52 * u, hy1 - 86 * u), (hx0 + 110 * u, hy1 - 30 * u), (hx0 + 138 * u, hy1 - 54 * u), (hx1, hy1 - 8 * u), (hx1, hy1)]], (76, 156, 86))
    c.fill([[(hx0 + 52 * u, hy1 - 86 * u), (hx0 + 66 * u, hy1 - 72 * u), (hx0 + 52 * u, hy1 - 66 * u), (hx0 + 40 * u, hy1 - 74 * u)]], (240, 248, 250))
    # shutter button on the tab
    bx, by = 190 * u, (y1 + 244 * u) / 2 + 2 * u
    c.fill([circle(bx, by, 17 * u + edge)], (120, 24, 20))
    c.fill([circle(bx, by, 17 * u)], vgrad(by - 17 * u, (255, 110, 90), by + 17 * u, (200, 40, 30)))
    c.fill([circle(bx - 5 * u, by - 6 * u, 5 * u)], WHITE, 0.55)
    return c


# ---------------------------------------------------------------------------
# Installer wizard's side picture (164 x 314, opaque)
# ---------------------------------------------------------------------------


def paste(dst, src, ox, oy):
    """Composites src over dst with its top left corner at (ox, oy)."""
    for y in range(src.h):
        for x in range(src.w):
            s_ = src.px[y][x]
            d = dst.px[oy + y][ox + x]
            inv = 1.0 - s_[3]
            for i in range(4):
                d[i] = s_[i] + d[i] * inv


def installer_side():
    c = Canvas(164, 314)
    c.fill([rect(0, 0, 164, 314)], vgrad(0, (236, 240, 255), 314, (120, 120, 250)))
    paste(c, app_icon(128), 18, 44)
    # the frame's border running down the picture, as on the desktop
    c.fill([rect(0, 0, 164, 314), rect(6, 6, 158, 308)], FRAME_BLUE, 0.55, rule="evenodd")
    return c


# ---------------------------------------------------------------------------
# What is written where
# ---------------------------------------------------------------------------

TAB_SIZES = (10, 15, 20, 25, 30, 40)
THUMB_ICON_SIZES = (32, 40, 48, 64)
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def build():
    """Returns {relative path: (bytes, preview rows, preview has alpha)}."""
    out = {}

    def put(rel, data, rows, alpha=False):
        out[rel] = (data, rows, alpha)

    def bmp(rel, rows):
        put(rel, bmp24(rows), rows)

    # thumbnail-toolbar strips
    for ident, n in ((140, 24), (141, 20)):
        rows = thumb_strip(n).keyed(KEY_YELLOW, (40, 40, 48), 0.4)
        bmp("bitmaps/IDB_THUMB_BUTTONS_%d.bmp" % n, rows)
    # the same strips with alpha at the icon sizes of 100, 125, 150 and 200 %
    for n in THUMB_ICON_SIZES:
        rows = thumb_strip(n).rgba()
        put("bitmaps/IDB_THUMB_ICONS_%d.bmp" % n, bmp32(rows), rows, True)
    # settings and close icons of the tab, six sizes each
    for n in TAB_SIZES:
        bmp("bitmaps/IDB_SETTINGS_%d.bmp" % n, settings_tile(n).opaque(TILE_FACE))
    for n in TAB_SIZES:
        bmp("bitmaps/IDB_CLOSE_%d.bmp" % n, close_tile(n).opaque(CLOSE_FACE))
    bmp("bitmaps/IDB_GRIP.bmp", grip_tile(16).opaque(TILE_FACE))
    # the camera on the shutter button, for each scale of the tab
    for n in SHUTTER_SIZES:
        bmp("bitmaps/IDB_SHUTTER_%d.bmp" % n, shutter_camera(n).keyed(KEY_GREY, BUTTON_FACE))
    bmp("bitmaps/IDB_MINIMIZE.bmp", minimize_tile(10).opaque(TILE_FACE))
    # frame controller buttons: 8-bit, grey background as the transparent colour
    for d in ("left", "right", "up", "down"):
        rows = triangle_button(d).keyed(KEY_GREY, BUTTON_FACE)
        put("bitmaps/IDB_MOVE_%s.bmp" % d.upper(), bmp8(rows, KEY_GREY), rows)
    for d in ("left", "right", "up", "down"):
        rows = edge_arrow(d).keyed(KEY_GREY, BUTTON_FACE)
        put("bitmaps/IDB_EDGE_%s.bmp" % d.upper(), bmp8(rows, KEY_GREY), rows)
    # image format buttons
    for name, fn in (("JPEG", format_jpeg), ("BMP", format_bmp), ("GIF", format_gif), ("PNG", format_png)):
        bmp("bitmaps/IDB_TYPE_%s.bmp" % name, fn().keyed(KEY_GREY, BUTTON_FACE))
    bmp("bitmaps/IDB_QUALITY_SCALE.bmp", quality_scale().opaque(DIALOG_FACE))
    # cursors
    imgs = [(fit_target_cursor(32, (11, 19)).rgba(), (11, 19)), (fit_target_cursor(64, (22, 39)).rgba(), (22, 39))]
    put("cursors/IDCUR_FIT_TARGET.cur", ico_or_cur(imgs, cursor=True), imgs[-1][0], True)
    imgs = [(swatch_cursor(n).rgba(), (1, 1)) for n in (32, 48, 64)]
    put("cursors/IDCUR_COLOR_SWATCH.cur", ico_or_cur(imgs, cursor=True), imgs[-1][0], True)
    # the installer wizard's side picture (not a resource of the program)
    bmp("installer/wizard.bmp", installer_side().opaque(WHITE))
    # application icon
    imgs = [(app_icon(n).rgba(), None) for n in ICON_SIZES]
    put("Frimlet2.ico", ico_or_cur(imgs), imgs[3][0], True)
    out["_icon_sizes"] = (None, [im for im, _ in imgs], True)
    return out


def write_preview(path, rows, alpha, zoom):
    checker = ((204, 204, 204), (255, 255, 255))
    big = []
    for y, row in enumerate(rows):
        brow = []
        for x, c in enumerate(row):
            if alpha:
                for sub in range(zoom):
                    bg = checker[((x * zoom + sub) // 8 + (y * zoom) // 8) % 2]
                    a = c[3] / 255.0
                    brow.append(tuple(_to8(c[i] * a + bg[i] * (1 - a)) for i in range(3)))
            else:
                brow.extend([c] * zoom)
        for _ in range(zoom):
            big.append(brow)
    with open(path, "wb") as f:
        f.write(png(big, False))


def main(argv):
    preview = None
    if len(argv) >= 2 and argv[0] == "--preview":
        preview = argv[1]
        os.makedirs(preview, exist_ok=True)
    elif argv:
        sys.stderr.write(__doc__)
        return 2
    items = build()
    for rel, (data, rows, alpha) in sorted(items.items()):
        if data is not None:
            path = os.path.join(HERE, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
            print("wrote res/%s (%d bytes)" % (rel, len(data)))
        if preview:
            name = os.path.basename(rel).rsplit(".", 1)[0]
            if rel == "_icon_sizes":
                for im in rows:
                    write_preview(os.path.join(preview, "icon_%d.png" % len(im)), im, True, max(1, 256 // len(im)))
                continue
            zoom = max(1, min(16, 320 // max(len(rows), len(rows[0]))))
            write_preview(os.path.join(preview, name + ".png"), rows, alpha, zoom)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
