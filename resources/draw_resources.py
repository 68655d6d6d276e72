#!/usr/bin/env python3
"""Draws Vantero's skin pictures and application icon.

Run from the repository root (or anywhere):

    python3 resources/draw_resources.py

It writes skin_main.png, hide_button.png, skin_edit.png and close_button.png
for screens at 100 %, and the same pictures drawn for 125 %, 150 % and 200 %
with the suffixes _125, _150 and _200 (skin_main_200.png and so on), plus
vantero.ico (16, 20, 24, 32 and 48 px, each at 4, 8 and 32 bits per pixel),
and vantero_paused.ico, the same sizes in grey (the tray shows it while every
row is paused), next to this script.  Standard library only; the output is the same on every
run.

Shapes are placed in logical (96-dpi) units.  A picture drawn at scale s is
floor(d * s + 0.5) pixels along each logical dimension d, and each pixel is
looked at through its centre's logical position (px + 0.5) / s, so the 100 %
pictures are computed exactly as if there were no scaling at all.

Drawing works on float RGBA canvases.  Shapes are described by signed
distance functions (negative inside) and painted with coverage derived
from the distance at each pixel centre, which gives anti-aliased edges
without supersampling.  Pixels of a skin that must be see-through are set
to exactly COLOR_KEY at the very end, with hard edges, so no blended
blue fringe can leak into the colour-keyed window outline.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

COLOR_KEY = (0, 0, 255)
BASE = (18, 10, 2)          # window background, also used by GDI text boxes
ORANGE = (255, 128, 0)
LIGHT = (255, 192, 128)
MUTED = (120, 60, 10)       # frame colour of row slots and panels
DIM = (62, 32, 8)           # faint separators


# ---------------------------------------------------------------- canvas
def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def noise(x, y, seed=0):
    """Deterministic hash noise in [0, 1)."""
    h = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0x1000000)


def to_pixels(v, scale):
    """A logical position or length in pixels, rounded as the program rounds it."""
    return int(math.floor(v * scale + 0.5))


def pixel_range(lo, hi, scale, limit):
    """The pixels that the logical interval [lo, hi) covers, clipped to [0, limit)."""
    return range(max(0, to_pixels(lo, scale)), min(limit, to_pixels(hi, scale)))


class Canvas:
    def __init__(self, w, h, color=(0, 0, 0), alpha=1.0, scale=1.0):
        """A canvas of w x h logical units, drawn at the given scale."""
        self.scale = scale
        self.logical_w, self.logical_h = w, h
        self.w, self.h = to_pixels(w, scale), to_pixels(h, scale)
        n = self.w * self.h
        self.r, self.g, self.b = [float(color[0])] * n, [float(color[1])] * n, [float(color[2])] * n
        self.a = [float(alpha)] * n

    def get(self, x, y):
        i = y * self.w + x
        return (self.r[i], self.g[i], self.b[i])

    def put(self, x, y, c, a=1.0):
        """Composites colour c with opacity a over pixel (x, y)."""
        if a <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        i = y * self.w + x
        old = self.a[i]
        out = a + old * (1.0 - a)
        k = a / out
        self.r[i] += (c[0] - self.r[i]) * k
        self.g[i] += (c[1] - self.g[i]) * k
        self.b[i] += (c[2] - self.b[i]) * k
        self.a[i] = out

    def crop(self, x0, y0, w, h):
        """The part at logical (x0, y0) of logical size w x h, at the same scale."""
        out = Canvas(w, h, scale=self.scale)
        px0, py0 = to_pixels(x0, self.scale), to_pixels(y0, self.scale)
        assert px0 + out.w <= self.w and py0 + out.h <= self.h, "crop runs off the canvas"
        for y in range(out.h):
            for x in range(out.w):
                i, j = (py0 + y) * self.w + px0 + x, y * out.w + x
                out.r[j], out.g[j], out.b[j], out.a[j] = self.r[i], self.g[i], self.b[i], self.a[i]
        return out

    def rgb_bytes(self, x, y):
        i = y * self.w + x
        return tuple(int(clamp(v[i], 0, 255) + 0.5) for v in (self.r, self.g, self.b))

    def set_exact(self, x, y, c):
        i = y * self.w + x
        self.r[i], self.g[i], self.b[i], self.a[i] = float(c[0]), float(c[1]), float(c[2]), 1.0


# ---------------------------------------------------- distance functions
def sd_rrect(x0, y0, x1, y1, r):
    """Rounded rectangle covering [x0, x1) x [y0, y1) in pixel units."""
    cx, cy, hx, hy = (x0 + x1) / 2.0, (y0 + y1) / 2.0, (x1 - x0) / 2.0, (y1 - y0) / 2.0

    def f(px, py):
        qx, qy = abs(px - cx) - hx + r, abs(py - cy) - hy + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def sd_segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def f(px, py):
        t = clamp(((px - ax) * dx + (py - ay) * dy) / ll)
        return math.hypot(px - ax - dx * t, py - ay - dy * t) - width / 2.0
    return f


def sd_polygon(pts):
    """Convex or concave polygon, exact distance with even-odd inside test."""
    n = len(pts)

    def f(px, py):
        d, inside = 1e9, False
        for k in range(n):
            (ax, ay), (bx, by) = pts[k], pts[k - 1]
            ex, ey = bx - ax, by - ay
            t = clamp(((px - ax) * ex + (py - ay) * ey) / (ex * ex + ey * ey))
            d = min(d, math.hypot(px - ax - ex * t, py - ay - ey * t))
            if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
                inside = not inside
        return -d if inside else d
    return f


def sd_union(*fs):
    return lambda px, py: min(f(px, py) for f in fs)


def sd_smooth_union(f1, f2, k):
    def f(px, py):
        a, b = f1(px, py), f2(px, py)
        h = max(k - abs(a - b), 0.0) / k
        return min(a, b) - h * h * k / 4.0
    return f


def sd_ring(f, width):
    """Band of the given width just inside the outline of f."""
    return lambda px, py: abs(f(px, py) + width / 2.0) - width / 2.0


# ---------------------------------------------------------------- painting
def paint(cv, sd, box, color, alpha=1.0, soft=1.0):
    """Fills shape sd within box (x0, y0, x1, y1), widened by one logical unit.
    color is an RGB tuple or a function of the logical pixel centre (x, y) -> RGB.
    The edge is one pixel of anti-aliasing; soft > 1 adds a blur of soft - 1
    logical units, which grows with the scale like the shape does."""
    x0, y0, x1, y1 = box
    s = cv.scale
    ramp = 1.0 + (soft - 1.0) * s
    xs = pixel_range(int(x0) - 1, int(math.ceil(x1)) + 1, s, cv.w)
    for y in pixel_range(int(y0) - 1, int(math.ceil(y1)) + 1, s, cv.h):
        cy = (y + 0.5) / s
        for x in xs:
            cx = (x + 0.5) / s
            cov = clamp(0.5 - sd(cx, cy) * s / ramp)
            if cov > 0.0:
                cv.put(x, y, color(cx, cy) if callable(color) else color, cov * alpha)


def vgrad(y0, y1, c0, c1):
    return lambda x, y: mix(c0, c1, clamp((y - y0) / float(y1 - y0)))


def fill(cv, x0, y0, x1, y1, color, alpha=1.0):
    """Rectangle with inclusive logical corners: every pixel of the scaled rectangle."""
    s = cv.scale
    for y in pixel_range(y0, y1 + 1, s, cv.h):
        for x in pixel_range(x0, x1 + 1, s, cv.w):
            cv.put(x, y, color((x + 0.5) / s, (y + 0.5) / s) if callable(color) else color, alpha)


def frame(cv, x0, y0, x1, y1, color, alpha=1.0):
    fill(cv, x0, y0, x1, y0, color, alpha)
    fill(cv, x0, y1, x1, y1, color, alpha)
    fill(cv, x0, y0 + 1, x0, y1 - 1, color, alpha)
    fill(cv, x1, y0 + 1, x1, y1 - 1, color, alpha)


def hline_fade(cv, x0, x1, y, color, alpha=1.0, fade=60):
    """Horizontal accent line one logical unit high whose ends fade out over
    `fade` logical units."""
    s = cv.scale
    for py in pixel_range(y, y + 1, s, cv.h):
        for px in pixel_range(x0, x1 + 1, s, cv.w):
            x = (px + 0.5) / s - 0.5    # logical column, a whole number at 100 %
            cv.put(px, py, color, alpha * clamp(min(x - x0, x1 - x) / float(fade)))


def panel(cv, x0, y0, x1, y1, r, top, bottom, edge=MUTED, sheen=0.10):
    """Framed dark panel with inclusive pixel corners and a soft shadow."""
    X1, Y1 = x1 + 1, y1 + 1
    paint(cv, sd_rrect(x0 + 1, y0 + 2, X1 + 1, Y1 + 2, r), (x0, y0, X1 + 3, Y1 + 4), (0, 0, 0), 0.45, soft=3.0)
    shape = sd_rrect(x0, y0, X1, Y1, r)
    paint(cv, shape, (x0, y0, X1, Y1), vgrad(y0, Y1, top, bottom))
    paint(cv, sd_ring(shape, 1.0), (x0, y0, X1, Y1), edge)
    inner = sd_rrect(x0 + 1, y0 + 1, X1 - 1, Y1 - 1, max(r - 1, 0))
    paint(cv, sd_ring(inner, 1.0), (x0, y0, X1, y0 + r + 2), LIGHT, sheen)


def button_face(cv, ox, oy, w, h, edge, edge_alpha=1.0):
    """Rounded square small button, as used for the hide and exit marks."""
    shape = sd_rrect(ox, oy, ox + w, oy + h, 5.0)
    paint(cv, shape, (ox, oy, ox + w, oy + h), vgrad(oy, oy + h, (58, 33, 10), (22, 12, 3)))
    paint(cv, sd_ring(shape, 1.0), (ox, oy, ox + w, oy + h), edge, edge_alpha)
    paint(cv, sd_ring(sd_rrect(ox + 1, oy + 1, ox + w - 1, oy + h - 1, 4.0), 1.0),
          (ox, oy, ox + w, oy + 6), LIGHT, 0.18)


def glyph_line(cv, ax, ay, bx, by, width):
    """Light-orange stroke with a faint orange glow behind it."""
    box = (min(ax, bx) - 4, min(ay, by) - 4, max(ax, bx) + 4, max(ay, by) + 4)
    paint(cv, sd_segment(ax, ay, bx, by, width + 2.0), box, ORANGE, 0.35, soft=2.0)
    paint(cv, sd_segment(ax, ay, bx, by, width), box, LIGHT)


# ---------------------------------------------------------------- emblem
def keycap(cv, ox, oy, s, detail=True):
    """Keycap emblem of size s at (ox, oy): dark key, orange rim, and a "V"
    whose right arm ends in an arrowhead (a key turned into another)."""
    u = s / 48.0
    m = 1.5 * u if s > 16 else 0.0
    rim = sd_rrect(ox + m, oy + m, ox + s - m, oy + s - (2 * u if s > 16 else 0.0), max(3.2, 9 * u))
    if detail:
        paint(cv, sd_rrect(ox + m + u, oy + m + 2 * u, ox + s - m + u, oy + s, 9 * u),
              (ox, oy, ox + s, oy + s), (0, 0, 0), 0.35, soft=2.5 * u)
    paint(cv, rim, (ox, oy, ox + s, oy + s), vgrad(oy, oy + s, (255, 170, 70), (176, 72, 0)))
    t = max(1.2, 3.5 * u)
    face = sd_rrect(ox + m + t, oy + m + t * 0.8, ox + s - m - t, oy + s - max(1.5, 2 * u) - t * 1.6,
                    max(1.5, 6.5 * u))
    paint(cv, face, (ox, oy, ox + s, oy + s), vgrad(oy, oy + s * 0.85, (70, 40, 14), (20, 11, 3)))
    if detail:
        paint(cv, sd_ring(face, 1.0), (ox, oy, ox + s, oy + s * 0.5), LIGHT, 0.22)
    w = max(1.9, 4.6 * u)
    lx, ty, by, rx, mx = ox + 14.5 * u, oy + 13.5 * u, oy + 33 * u, ox + 33 * u, ox + 23.5 * u
    if s <= 16:
        lx, ty, by, rx, mx = ox + 4.4, oy + 4.2, oy + 11.0, ox + 11.4, ox + 7.9
    box = (ox, oy, ox + s, oy + s)
    if detail:
        glow = sd_union(sd_segment(lx, ty, mx, by, w + 2 * u), sd_segment(mx, by, rx, ty, w + 2 * u))
        paint(cv, glow, box, ORANGE, 0.35, soft=2.5 * u)
    paint(cv, sd_segment(lx, ty, mx, by, w), box, LIGHT)
    paint(cv, sd_segment(mx, by, rx - 2 * u, ty + 4 * u, w), box, LIGHT)
    if s > 16:
        head = [(rx + 3.2 * u, ty - 3.4 * u), (rx + 1.4 * u, ty + 9.2 * u), (rx - 9.6 * u, ty + 2.2 * u)]
        paint(cv, sd_polygon(head), box, LIGHT)
    else:
        paint(cv, sd_segment(mx, by, rx, ty, w), box, LIGHT)


# ---------------------------------------------------------------- skins
def body_background(cv, top, bottom, glow_x, glow_y, glow_r, seed):
    """Warm near-black backdrop: vertical gradient, a soft glow and grain, all
    in logical units, so the grain comes in grains of one logical unit."""
    s = cv.scale
    for py in range(cv.h):
        cy = (py + 0.5) / s
        y = cy - 0.5                    # logical row, a whole number at 100 %
        row = mix(top, bottom, clamp(y / float(cv.logical_h - 1)))
        for px in range(cv.w):
            cx = (px + 0.5) / s
            x = cx - 0.5
            d = math.hypot((x - glow_x) / 1.6, y - glow_y) / glow_r
            g = 1.0 - clamp(d)
            n = (noise(int(cx), int(cy), seed) - 0.5) * 2.2
            i = py * cv.w + px
            cv.r[i] = row[0] + 12 * g * g + n
            cv.g[i] = row[1] + 6 * g * g + n * 0.6
            cv.b[i] = row[2] + 1.5 * g * g + n * 0.25


def outline(cv, shape, top_sheen_y):
    """Orange border one logical unit wide just inside the outline, a dimmer
    second line, and the colour key outside.  The key uses the sign at the
    pixel centre only, so it is never blended."""
    s = cv.scale
    for y in range(cv.h):
        cy = (y + 0.5) / s
        for x in range(cv.w):
            d = shape((x + 0.5) / s, cy)
            if d > 0.0:
                cv.set_exact(x, y, COLOR_KEY)
            elif d > -3.0:
                # distances in pixels: a line s pixels wide, half a pixel of anti-aliasing
                cv.put(x, y, ORANGE, clamp(0.5 + s + d * s))
                second = clamp(0.5 + s / 2.0 - abs((d + 2.0) * s))
                cv.put(x, y, (150, 70, 5), 0.45 * second)
                if cy < top_sheen_y:
                    cv.put(x, y, LIGHT, 0.25 * second)


def draw_main_skin(scale):
    W, H = 809, 589
    cv = Canvas(W, H, scale=scale)
    body_background(cv, (22, 13, 3), (13, 7, 1), 458, 70, 420, 1)
    # raised title tab merging into a slightly lighter header band
    fill(cv, 1, 3, 807, 100, vgrad(3, 101, (40, 24, 7), (22, 13, 3)), 0.9)
    fill(cv, 210, 3, 580, 24, vgrad(3, 25, (48, 28, 9), (38, 22, 6)))
    hline_fade(cv, 12, 796, 101, ORANGE, 0.85, fade=140)
    hline_fade(cv, 12, 796, 102, (0, 0, 0), 0.5, fade=140)
    # slogan and link areas stay plain; only a faint underline marks them
    hline_fade(cv, 294, 622, 86, LIGHT, 0.18, fade=90)
    # exit mark at the exit hot area, drawn like the hide button beside it
    hide = cv.crop(759, 28, 23, 23)
    button_face(cv, 783, 28, 23, 23, ORANGE, 0.75)
    glyph_line(cv, 790.0, 35.0, 799.0, 44.0, 2.0)
    glyph_line(cv, 799.0, 35.0, 790.0, 44.0, 2.0)
    # left side panel with emblem above the slogans and a small keyboard below
    panel(cv, 30, 110, 225, 560, 8, (30, 18, 6), (16, 9, 2))
    paint(cv, sd_rrect(42, 122, 214, 182, 5), (40, 120, 216, 184), (0, 0, 0), 0.18)
    keycap(cv, 100, 126, 52)
    hline_fade(cv, 44, 211, 184, ORANGE, 0.55, fade=50)
    hot = ((0, 1), (0, 7))
    for k, y in enumerate((404, 422, 440)):
        for col in range(10 - k):
            x = 44 + k * 8 + col * 17
            key = sd_rrect(x, y, x + 14, y + 14, 3)
            lit = (k, col) in hot
            paint(cv, key, (x, y, x + 14, y + 14), (64, 34, 9) if lit else (34, 19, 5))
            paint(cv, sd_ring(key, 1.0), (x, y, x + 14, y + 14),
                  ORANGE if lit else (72, 38, 10), 0.85 if lit else 0.6)
    space = sd_rrect(84, 458, 172, 472, 3)
    paint(cv, space, (84, 458, 172, 472), (34, 19, 5))
    paint(cv, sd_ring(space, 1.0), (84, 458, 172, 472), (72, 38, 10), 0.6)
    # arrow from one lit key to the other: the remap this tool performs
    x0, x1, yb, hgt = 68.0, 163.0, 400.0, 16.0
    pts = [(x0 + (x1 - x0) * t, yb - hgt * 4 * t * (1 - t)) for t in [i / 16.0 for i in range(17)]]
    arc = sd_union(*[sd_segment(ax, ay, bx, by, 1.6) for (ax, ay), (bx, by) in zip(pts, pts[1:])])
    paint(cv, arc, (x0 - 2, yb - hgt - 2, x1 + 2, yb + 2), LIGHT, 0.7)
    dx, dy = x1 - x0, 4 * hgt
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    tip = (x1 + 4.5 * dx, yb + 4.5 * dy)
    head = [tip, (tip[0] - 7 * dx - 4 * dy, tip[1] - 7 * dy + 4 * dx),
            (tip[0] - 7 * dx + 4 * dy, tip[1] - 7 * dy - 4 * dx)]
    paint(cv, sd_polygon(head), (x1 - 10, yb - 10, x1 + 10, yb + 10), LIGHT, 0.85)
    hline_fade(cv, 44, 211, 490, ORANGE, 0.35, fade=50)
    # column heading zone
    panel(cv, 236, 116, 716, 141, 4, (40, 23, 7), (24, 14, 3), edge=MUTED, sheen=0.14)
    hline_fade(cv, 240, 712, 140, ORANGE, 0.7, fade=80)
    for x in (240, 380, 506, 629):
        paint(cv, sd_rrect(x, 125, x + 3, 133, 1.2), (x, 124, x + 3, 134), ORANGE, 0.9)
    # nine row slots with sub-area separators
    for t in (150, 191, 234, 271, 313, 355, 397, 437, 477):
        panel(cv, 236, t - 4, 716, t + 30, 3, (30, 17, 5), (21, 12, 3), sheen=0.06)
        for x in (372, 505, 622):
            fill(cv, x, t, x, t + 26, DIM, 0.9)
            fill(cv, x + 1, t, x + 1, t + 26, (0, 0, 0), 0.35)
    hline_fade(cv, 236, 716, 530, ORANGE, 0.45, fade=160)
    hline_fade(cv, 300, 652, 534, LIGHT, 0.15, fade=120)
    # body outline: rectangle plus the tab, joined by small fillets
    body = sd_rrect(1, 24, 808, 589, 0.0)
    tab = sd_rrect(210, 3, 581, 60, 9.0)
    outline(cv, sd_smooth_union(body, tab, 5.0), 24)
    return cv, hide


def draw_hide_button(under):
    cv = under
    button_face(cv, 0, 0, 23, 23, ORANGE)
    glyph_line(cv, 7.0, 15.0, 16.0, 15.0, 2.0)
    return cv


def draw_edit_skin(scale):
    W, H = 539, 276
    cv = Canvas(W, H, scale=scale)
    body_background(cv, (20, 11, 2), (12, 7, 1), 262, 30, 300, 2)
    # the title box is filled with BASE by the program, so the tab matches it
    fill(cv, 0, 0, W - 1, 44, BASE, 0.75)
    fill(cv, 180, 0, 340, 40, BASE)
    hline_fade(cv, 14, 524, 46, ORANGE, 0.6, fade=120)
    panel(cv, 22, 60, 516, 180, 7, (28, 16, 5), (17, 9, 2))
    paint(cv, sd_rrect(36, 103, 503, 138, 4), (35, 102, 504, 139), (8, 4, 0), 0.35, soft=2.0)
    # recessed well around the button area (47..455, 201..237)
    paint(cv, sd_rrect(43, 197, 460, 242, 6), (42, 196, 461, 243), (6, 3, 0), 0.55)
    paint(cv, sd_ring(sd_rrect(43, 197, 460, 242, 6), 1.0), (42, 196, 461, 243), MUTED, 0.8)
    hline_fade(cv, 14, 524, 190, ORANGE, 0.35, fade=160)
    hline_fade(cv, 120, 418, 258, LIGHT, 0.12, fade=100)
    body = sd_rrect(0, 26, 539, 276, 0.0)
    tab = sd_rrect(180, 3, 341, 60, 8.0)
    outline(cv, sd_smooth_union(body, tab, 5.0), 26)
    return cv


def draw_close_button(scale):
    cv = Canvas(23, 21, scale=scale)
    fill(cv, 0, 0, 22, 20, vgrad(0, 21, (56, 32, 10), (20, 11, 2)))
    frame(cv, 0, 0, 22, 20, LIGHT)
    frame(cv, 1, 1, 21, 19, (90, 45, 8), 0.8)
    glyph_line(cv, 7.0, 6.0, 16.0, 15.0, 2.0)
    glyph_line(cv, 16.0, 6.0, 7.0, 15.0, 2.0)
    fill(cv, 2, 2, 20, 2, LIGHT, 0.12)
    return cv


# ---------------------------------------------------------------- writers
def png_filtered_rows(rows, bpp):
    """Each row under each of PNG's five filters, as (filter type + bytes)."""
    out = []
    prev = bytes(len(rows[0]))
    for row in rows:
        left = bytes(bpp) + row[:-bpp]
        up_left = bytes(bpp) + prev[:-bpp]
        paeth = bytearray(len(row))
        for i, (a, b, c) in enumerate(zip(left, prev, up_left)):
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            paeth[i] = (row[i] - (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out.append((
            b"\0" + row,
            b"\1" + bytes((x - a) & 255 for x, a in zip(row, left)),
            b"\2" + bytes((x - b) & 255 for x, b in zip(row, prev)),
            b"\3" + bytes((x - ((a + b) >> 1)) & 255 for x, a, b in zip(row, left, prev)),
            b"\4" + bytes(paeth),
        ))
        prev = row
    return out


def png_bytes(cv):
    """An 8-bit RGB PNG with no colour-space chunks, so decoders hand back the exact bytes.

    Tries each filter for the whole picture and a per-row pick by the smallest sum of signed
    bytes, and keeps whichever compresses smallest."""
    rows = [bytes(v for x in range(cv.w) for v in cv.rgb_bytes(x, y)) for y in range(cv.h)]
    filtered = png_filtered_rows(rows, 3)

    def cost(f):
        return sum(v if v < 128 else 256 - v for v in f[1:])

    choices = [[r[k] for r in filtered] for k in range(5)]
    choices.append([min(r, key=cost) for r in filtered])
    data = min((zlib.compress(b"".join(c), 9) for c in choices), key=len)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    head = struct.pack(">IIBBBBB", cv.w, cv.h, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def median_cut(colors, n):
    """Up to n palette colours for a list of (r, g, b) tuples."""
    boxes = [colors]
    while len(boxes) < n:
        best, span = None, 0
        for i, bx in enumerate(boxes):
            if len(set(bx)) < 2:
                continue
            s = max(max(c[k] for c in bx) - min(c[k] for c in bx) for k in range(3)) * len(bx) ** 0.5
            if s > span:
                best, span = i, s
        if best is None:
            break
        bx = boxes.pop(best)
        k = max(range(3), key=lambda k: max(c[k] for c in bx) - min(c[k] for c in bx))
        bx = sorted(bx, key=lambda c: c[k])
        boxes += [bx[:len(bx) // 2], bx[len(bx) // 2:]]
    return [tuple(int(sum(c[k] for c in bx) / len(bx) + 0.5) for k in range(3)) for bx in boxes if bx]


def ico_image(cv, bpp):
    """One icon entry: BITMAPINFOHEADER (double height), colours, AND mask."""
    w, h = cv.w, cv.h
    px = [(cv.rgb_bytes(x, y), cv.a[y * w + x]) for y in range(h) for x in range(w)]
    opaque = [a >= 0.5 for _, a in px]
    pal = []
    if bpp <= 8:
        # index 0 stays black so masked pixels leave the screen untouched
        pal = [(0, 0, 0)] + median_cut([c for c, _ in [p for p, o in zip(px, opaque) if o]], (1 << bpp) - 1)
        cache = {}

        def index(c):
            if c not in cache:
                cache[c] = min(range(1, len(pal)), key=lambda i: sum((c[k] - pal[i][k]) ** 2 for k in range(3)))
            return cache[c]
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        if bpp == 32:
            for x in range(w):
                (r, g, b), a = px[y * w + x]
                ai = int(a * 255 + 0.5)
                row += bytes((b, g, r, ai)) if ai else bytes(4)
        else:
            idx = [index(px[y * w + x][0]) if opaque[y * w + x] else 0 for x in range(w)]
            if bpp == 8:
                row += bytes(idx)
            else:
                row += bytes((idx[x] << 4) | idx[x + 1] for x in range(0, w, 2))
        xor += row + b"\0" * (-len(row) % 4)
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray((w + 7) // 8)
        for x in range(w):
            see_through = not opaque[y * w + x] if bpp <= 8 else px[y * w + x][1] * 255 < 0.5
            if see_through:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row + b"\0" * (-len(row) % 4)
    colors = b""
    if bpp <= 8:
        pal += [(0, 0, 0)] * ((1 << bpp) - len(pal))
        colors = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + colors + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """images: list of (canvas, bpp)."""
    blobs = [ico_image(cv, bpp) for cv, bpp in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (cv, bpp), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def draw_icon(size):
    cv = Canvas(size, size, (0, 0, 0), 0.0)
    # up to 20 px the drop shadow would make a stray opaque column in the
    # 4- and 8-bit images, and the glow blurs the V
    keycap(cv, 0, 0, size, detail=size > 20)
    return cv


def grey_icon(cv):
    """The icon without its colour, a little dimmer: plainly not the working one."""
    out = Canvas(cv.w, cv.h, (0, 0, 0), 0.0)
    for i in range(cv.w * cv.h):
        v = (0.30 * cv.r[i] + 0.59 * cv.g[i] + 0.11 * cv.b[i]) * 0.8 + 20
        out.r[i] = out.g[i] = out.b[i] = v
        out.a[i] = cv.a[i]
    return out


def write_icons():
    icons = [draw_icon(s) for s in ICON_SIZES]
    for name, images in (("vantero.ico", icons), ("vantero_paused.ico", [grey_icon(cv) for cv in icons])):
        ico = ico_bytes([(cv, bpp) for cv in images for bpp in (4, 8, 32)])
        assert struct.unpack_from("<HHH", ico, 0) == (0, 1, 15)
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(ico)


# scale of the screen and the suffix of the pictures drawn for it
SCALES = ((1.0, ""), (1.25, "_125"), (1.5, "_150"), (2.0, "_200"))
ICON_SIZES = (16, 20, 24, 32, 48)


def skin_pictures(scale):
    """The skin pictures for one scale: base file name -> (canvas, logical size)."""
    main_skin, hide_under = draw_main_skin(scale)
    return {
        "skin_main": (main_skin, (809, 589)),
        "hide_button": (draw_hide_button(hide_under), (23, 23)),
        "skin_edit": (draw_edit_skin(scale), (539, 276)),
        "close_button": (draw_close_button(scale), (23, 21)),
    }


def key_stays_hard(cv):
    """Every pixel is exactly the colour key or warm (no more blue than red):
    a pixel blended with the key would be bluish."""
    key = tuple(float(v) for v in COLOR_KEY)
    return all(b <= r or (r, g, b) == key for r, g, b in zip(cv.r, cv.g, cv.b))


def main():
    for scale, suffix in SCALES:
        for name, (cv, size) in skin_pictures(scale).items():
            assert (cv.logical_w, cv.logical_h) == size, name
            assert key_stays_hard(cv), (name, scale)
            with open(os.path.join(HERE, name + suffix + ".png"), "wb") as f:
                f.write(png_bytes(cv))
    write_icons()


if __name__ == "__main__":
    main()
