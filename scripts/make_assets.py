#!/usr/bin/env python3
"""Draws every picture Velvane ships: the skins, the wizard's pictures and the program icon.

Usage: make_assets.py OUTDIR

Writes OUTDIR/skins/<skin>/ (bitmaps and skin.txt for each skin), OUTDIR/images/ (wizard pages and banner)
and OUTDIR/icon.ico. Standard library only; the output is the same byte for byte on every run.

Every skin and wizard picture is also drawn for displays at 150% and 200% ("i_main@150.bmp", "i_main@200.bmp"):
the shapes are given in the design's pixels (96 dpi) and drawn at the canvas's scale, so the larger pictures are as
sharp as the small ones. A size of n design pixels is int(n * scale + 0.5) pixels, as Windows rounds.

All shapes are drawn as signed distance functions (negative inside, in pixels) and anti-aliased by coverage:
a pixel whose centre lies d pixels inside an edge is covered by clamp(0.5 + d). The side-bar background has
to line up with the controls of the side-bar window, whose positions are listed in SIDEBAR below.
"""

import math
import os
import struct
import sys

# ----------------------------------------------------------------------------------------------------------------
# Raster core


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def mix(a, b, t):
    """Colour a moved towards colour b by t (0..1)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scaled(n, scale):
    return int(n * scale + 0.5)


class Canvas:
    """An RGBA picture held as floats; alpha 1 everywhere unless created transparent.

    w and h are its pixels; the drawing calls take design pixels, which are `scale` pixels each."""

    def __init__(self, w, h, color=(0, 0, 0), alpha=1.0, scale=1.0):
        self.scale = scale
        self.w, self.h = scaled(w, scale), scaled(h, scale)
        self.rgb = [float(c) for _ in range(self.w * self.h) for c in color]
        self.a = [float(alpha)] * (self.w * self.h)

    def blend(self, x, y, color, cov):
        i = y * self.w + x
        j = i * 3
        da = self.a[i]
        out = cov + da * (1.0 - cov)
        if out <= 0.0:
            return
        keep = da * (1.0 - cov) / out
        src = cov / out
        rgb = self.rgb
        rgb[j] = color[0] * src + rgb[j] * keep
        rgb[j + 1] = color[1] * src + rgb[j + 1] * keep
        rgb[j + 2] = color[2] * src + rgb[j + 2] * keep
        self.a[i] = out

    def paint(self, sdf, bbox, color, alpha=1.0):
        """Fills the shape sdf inside bbox (x0, y0, x1, y1); color is an RGB tuple or a function of (x, y)."""
        s = self.scale
        x0 = max(0, int(math.floor(bbox[0] * s)) - 1)
        y0 = max(0, int(math.floor(bbox[1] * s)) - 1)
        x1 = min(self.w, int(math.ceil(bbox[2] * s)) + 1)
        y1 = min(self.h, int(math.ceil(bbox[3] * s)) + 1)
        solid = not callable(color)
        for y in range(y0, y1):
            py = (y + 0.5) / s
            for x in range(x0, x1):
                px = (x + 0.5) / s
                cov = 0.5 - sdf(px, py) * s
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                self.blend(x, y, color if solid else color(px, py), cov * alpha)

    def fill(self, color, rect=None, alpha=1.0):
        """Fills an axis-aligned rectangle (x, y, w, h) of whole design pixels; color and alpha may be functions
        of (x, y)."""
        s = self.scale
        x, y, w, h = (scaled(v, s) for v in rect) if rect else (0, 0, self.w, self.h)
        solid = not callable(color)
        for yy in range(max(0, y), min(self.h, y + h)):
            for xx in range(max(0, x), min(self.w, x + w)):
                px, py = (xx + 0.5) / s, (yy + 0.5) / s
                self.blend(xx, yy, color if solid else color(px, py), alpha(px, py) if callable(alpha) else alpha)

    def crop(self, x, y, w, h):
        """The part at x, y of w x h design pixels."""
        out = Canvas(w, h, scale=self.scale)
        x, y, w, h = (scaled(v, self.scale) for v in (x, y, w, h))
        for yy in range(h):
            for xx in range(w):
                i = (y + yy) * self.w + x + xx
                o = yy * w + xx
                out.rgb[o * 3:o * 3 + 3] = self.rgb[i * 3:i * 3 + 3]
                out.a[o] = self.a[i]
        return out

    def pixel(self, x, y):
        j = (y * self.w + x) * 3
        return tuple(int(math.floor(self.rgb[j + k] + 0.5)) for k in range(3))

    def alpha_at(self, x, y):
        return self.a[y * self.w + x]


# Signed distance functions. Each maker returns (sdf, bbox).

def rrect(x, y, w, h, r=0.0):
    """Rounded rectangle whose edges lie on x, y, x + w, y + h."""
    cx, cy, hx, hy = x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0
    r = min(r, hx, hy)

    def sdf(px, py):
        qx = abs(px - cx) - (hx - r)
        qy = abs(py - cy) - (hy - r)
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.hypot(ox, oy) + min(max(qx, qy), 0.0) - r

    return sdf, (x, y, x + w, y + h)


def circle(cx, cy, r):
    return (lambda px, py: math.hypot(px - cx, py - cy) - r), (cx - r, cy - r, cx + r, cy + r)


def segment(ax, ay, bx, by, width):
    """A stroke of the given width with round caps from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9
    hw = width / 2.0

    def sdf(px, py):
        t = ((px - ax) * dx + (py - ay) * dy) / ll
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return math.hypot(px - ax - dx * t, py - ay - dy * t) - hw

    return sdf, (min(ax, bx) - hw, min(ay, by) - hw, max(ax, bx) + hw, max(ay, by) + hw)


def arc(cx, cy, r, a0, a1, width):
    """A stroke along the circle (cx, cy, r) from angle a0 to a1 (degrees, y pointing down, a0 < a1)."""
    a0r, a1r = math.radians(a0), math.radians(a1)
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0r, a1r)]
    hw = width / 2.0

    def sdf(px, py):
        ang = math.atan2(py - cy, px - cx)
        while ang < a0r:
            ang += 2 * math.pi
        if ang <= a1r:
            return abs(math.hypot(px - cx, py - cy) - r) - hw
        return min(math.hypot(px - ex, py - ey) for ex, ey in ends) - hw

    return sdf, (cx - r - hw, cy - r - hw, cx + r + hw, cy + r + hw)


def polygon(points):
    """A convex polygon given clockwise on screen (y down)."""
    edges = []
    n = len(points)
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[(i + 1) % n]
        ln = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, (by - ay) / ln, -(bx - ax) / ln))

    def sdf(px, py):
        return max((px - ax) * nx + (py - ay) * ny for ax, ay, nx, ny in edges)

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return sdf, (min(xs), min(ys), max(xs), max(ys))


def outline(shape, width):
    """The inner stroke of a shape's edge, width pixels wide."""
    f, bbox = shape
    return (lambda px, py: abs(f(px, py) + width / 2.0) - width / 2.0), bbox


def union(*shapes):
    fs = [s[0] for s in shapes]
    bbox = (min(s[1][0] for s in shapes), min(s[1][1] for s in shapes),
            max(s[1][2] for s in shapes), max(s[1][3] for s in shapes))
    return (lambda px, py: min(f(px, py) for f in fs)), bbox


def cut(shape, hole):
    f, g = shape[0], hole[0]
    return (lambda px, py: max(f(px, py), -g(px, py))), shape[1]


def rotated(shape, cx, cy, degrees):
    """The shape turned about (cx, cy); the box is widened to the turned shape's reach."""
    f, (x0, y0, x1, y1) = shape
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    reach = max(math.hypot(x - cx, y - cy) for x in (x0, x1) for y in (y0, y1))

    def sdf(px, py):
        dx, dy = px - cx, py - cy
        return f(cx + dx * c + dy * s, cy - dx * s + dy * c)

    return sdf, (cx - reach, cy - reach, cx + reach, cy + reach)


def draw(canvas, shape, color, alpha=1.0):
    canvas.paint(shape[0], shape[1], color, alpha)


def vgradient(y0, y1, c0, c1):
    """A colour function running from c0 at y0 to c1 at y1."""
    span = float(y1 - y0) or 1.0
    return lambda px, py: mix(c0, c1, clamp01((py - y0) / span))


def hgradient(x0, x1, c0, c1):
    span = float(x1 - x0) or 1.0
    return lambda px, py: mix(c0, c1, clamp01((px - x0) / span))


def shadow(canvas, x, y, w, h, r, strength, spread=3):
    """A soft drop shadow under a rounded rectangle."""
    for k in range(spread, 0, -1):
        draw(canvas, rrect(x - k + 1, y - k + 2, w + 2 * k - 2, h + 2 * k - 2, r + k), (0, 0, 0),
             strength / (k + 1))


# ----------------------------------------------------------------------------------------------------------------
# File writers


def bmp_bytes(canvas):
    """A 24-bit bottom-up Windows bitmap."""
    w, h = canvas.w, canvas.h
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = canvas.pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def median_cut(counts, n):
    """Reduces a {colour: count} table to at most n colours; deterministic."""
    if len(counts) <= n:
        return sorted(counts)
    boxes = [sorted(counts.items())]
    while len(boxes) < n:
        best, best_range, best_ch = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                lo = min(c[0][ch] for c in box)
                hi = max(c[0][ch] for c in box)
                if hi - lo > best_range:
                    best, best_range, best_ch = i, hi - lo, ch
        if best is None:
            break
        box = sorted(boxes[best], key=lambda c: (c[0][best_ch], c[0]))
        total = sum(c[1] for c in box)
        acc, cut_at = 0, 1
        for k, c in enumerate(box[:-1]):
            acc += c[1]
            if acc * 2 >= total:
                cut_at = k + 1
                break
        else:
            cut_at = len(box) - 1
        boxes[best:best + 1] = [box[:cut_at], box[cut_at:]]
    palette = []
    for box in boxes:
        total = sum(c[1] for c in box)
        palette.append(tuple(int(sum(c[0][ch] * c[1] for c in box) / total + 0.5) for ch in range(3)))
    return sorted(set(palette))


def ico_bytes(canvases):
    """A 256-colour icon (BMP images with an AND mask) with one image per canvas."""
    opaque = []
    counts = {}
    for cv in canvases:
        mask = [[cv.alpha_at(x, y) >= 0.5 for x in range(cv.w)] for y in range(cv.h)]
        opaque.append(mask)
        for y in range(cv.h):
            for x in range(cv.w):
                if mask[y][x]:
                    c = cv.pixel(x, y)
                    counts[c] = counts.get(c, 0) + 1
    # Index 0 stays black for the transparent pixels; the image's colours get the other 255.
    palette = [(0, 0, 0)] + median_cut(counts, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}

    def nearest(c):
        if c not in cache:
            cache[c] = min(range(1, 256), key=lambda i: (
                (palette[i][0] - c[0]) ** 2 * 3 + (palette[i][1] - c[1]) ** 2 * 4 + (palette[i][2] - c[2]) ** 2 * 2, i))
        return cache[c]

    pal_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    images = []
    for cv, mask in zip(canvases, opaque):
        w, h = cv.w, cv.h
        xor_stride = (w + 3) & ~3
        and_stride = ((w + 31) // 32) * 4
        xor = bytearray()
        andm = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(nearest(cv.pixel(x, y)) if mask[y][x] else 0 for x in range(w))
            xor += row + b"\0" * (xor_stride - w)
            bits = bytearray(and_stride)
            for x in range(w):
                if not mask[y][x]:
                    bits[x >> 3] |= 0x80 >> (x & 7)
            andm += bits
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(xor) + len(andm), 0, 0, 256, 0)
        images.append(info + pal_bytes + bytes(xor) + bytes(andm))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for cv, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", cv.w & 0xFF, cv.h & 0xFF, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def save_bmp(path, canvas):
    write_file(path, bmp_bytes(canvas))


# ----------------------------------------------------------------------------------------------------------------
# Skins

GRAPHITE = {
    # Colours the program reads from skin.txt.
    "TEXT0": (222, 227, 234), "TEXT1": (232, 236, 242), "TEXT2": (255, 255, 255),
    "BOXBACK0": (229, 233, 239), "BOXBACK1": (255, 255, 255), "BACKGROUND": (38, 42, 49),
    # Colours used only inside the pictures.
    "bg_top": (44, 48, 56), "bg_bottom": (33, 36, 42), "frame": (62, 68, 78),
    "accent": (64, 196, 196), "accent2": (70, 140, 230),
    "paper": (229, 233, 239), "paper_alt": (238, 241, 245), "paper_gutter": (214, 220, 228),
    "paper_line": (210, 216, 224), "paper_shadow": 0.35,
    "box_frame": (84, 92, 105),
    "btn_top": (64, 70, 81), "btn_bottom": (54, 59, 69), "btn_border": (84, 92, 105), "btn_glint": 0.07,
    "close_top": (112, 52, 58), "close_bottom": (94, 42, 48), "close_border": (142, 72, 78),
    "tile": (50, 55, 64), "tile_border": (66, 72, 83),
    "glyph": (214, 220, 229), "screen_off": (33, 36, 42),
    "info": (20, 22, 26),
    "lock_shackle": (112, 120, 132), "lock_body_on": (236, 168, 56), "lock_body_on_dark": (196, 128, 32),
    "lock_body_off": (164, 172, 184), "lock_body_off_dark": (136, 144, 156),
    "banner_top": (56, 62, 73), "banner_bottom": (34, 38, 45),
    "about_head_top": (50, 56, 66), "about_head_bottom": (30, 33, 39),
    "about_body": (241, 243, 246), "about_foot": (226, 230, 236), "about_ink": (120, 128, 140),
    "drop_line": (96, 104, 118), "drop_glyph": (64, 196, 196),
}

DAYLIGHT = {
    "TEXT0": (40, 48, 60), "TEXT1": (36, 44, 58), "TEXT2": (255, 255, 255),
    "BOXBACK0": (244, 246, 250), "BOXBACK1": (255, 255, 255), "BACKGROUND": (246, 248, 251),
    "bg_top": (236, 240, 245), "bg_bottom": (222, 228, 236), "frame": (176, 186, 200),
    "accent": (47, 128, 237), "accent2": (0, 168, 196),
    "paper": (255, 255, 255), "paper_alt": (245, 248, 252), "paper_gutter": (236, 241, 247),
    "paper_line": (228, 233, 240), "paper_shadow": 0.10,
    "box_frame": (176, 188, 204),
    "btn_top": (255, 255, 255), "btn_bottom": (241, 244, 249), "btn_border": (190, 200, 214), "btn_glint": 0.0,
    "close_top": (255, 240, 240), "close_bottom": (250, 226, 226), "close_border": (228, 168, 168),
    "tile": (246, 248, 251), "tile_border": (200, 209, 222),
    "glyph": (64, 76, 94), "screen_off": (86, 98, 116),
    "info": (48, 58, 74),
    "lock_shackle": (132, 142, 156), "lock_body_on": (232, 132, 40), "lock_body_on_dark": (196, 100, 20),
    "lock_body_off": (184, 194, 208), "lock_body_off_dark": (156, 166, 182),
    "banner_top": (60, 140, 240), "banner_bottom": (36, 104, 204),
    "about_head_top": (62, 142, 242), "about_head_bottom": (34, 100, 200),
    "about_body": (255, 255, 255), "about_foot": (240, 244, 249), "about_ink": (140, 150, 166),
    "drop_line": (176, 188, 204), "drop_glyph": (47, 128, 237),
}

SKINS = [("Graphite", GRAPHITE), ("Daylight", DAYLIGHT)]

# Control positions of the side-bar window (x, y, w, h in client pixels). Must match the window's control table.
SIDEBAR = {
    "size": (800, 341),
    "titles": [(12, 8, 145, 21), (172, 8, 173, 21), (360, 8, 153, 21), (560, 8, 205, 21), (12, 192, 145, 21)],
    "clip_row": (28, 42, 129, 17), "clip_rows": 7, "clip_pitch": 17,
    "lock": (12, 44, 9, 12), "locks": 6,
    "shelf_row": (168, 36, 177, 17), "shelf_rows": 15, "shelf_pitch": 19,
    "shelf_drop": (164, 4, 185, 37),
    "todo_list": (358, 30, 186, 146), "todo_add": (524, 8, 17, 17),
    "notes": (560, 32, 229, 277), "notes_save": (770, 8, 17, 17),
    "exec_box": (12, 220, 145, 17), "exec_name": (12, 244, 145, 17),
    "buttons": [(44, 268, 113, 17), (44, 290, 113, 17),
                (360, 195, 141, 17), (360, 217, 141, 17), (360, 243, 141, 17), (360, 265, 141, 17)],
    "close_button": (360, 290, 141, 17),
    "ss_folder": (512, 200, 29, 21), "ss_kind": (511, 228, 30, 23),
    "info": (4, 324, 793, 17),
}

INFO_TOP = 322  # the dark strip behind the info line starts here and runs to the bottom edge


def glyph_tray(canvas, cx, cy, s, color, alpha=1.0, width=None):
    """A tray with an arrow dropping into it: the 'drop files here' sign, s pixels tall."""
    w = width or max(1.4, s / 9.0)
    u = s / 16.0
    tray = union(segment(cx - 7 * u, cy + 2 * u, cx - 7 * u, cy + 7 * u, w),
                 segment(cx - 7 * u, cy + 7 * u, cx + 7 * u, cy + 7 * u, w),
                 segment(cx + 7 * u, cy + 7 * u, cx + 7 * u, cy + 2 * u, w),
                 segment(cx, cy - 8 * u, cx, cy + 3 * u, w),
                 segment(cx - 4 * u, cy - 1 * u, cx, cy + 3 * u, w),
                 segment(cx + 4 * u, cy - 1 * u, cx, cy + 3 * u, w))
    draw(canvas, tray, color, alpha)


def text_button(canvas, rect, top, bottom, border, glint):
    x, y, w, h = rect
    face = rrect(x, y, w, h, 4)
    draw(canvas, face, vgradient(y, y + h, top, bottom))
    draw(canvas, outline(face, 1.0), border)
    if glint:
        draw(canvas, segment(x + 4, y + 1.5, x + w - 4, y + 1.5, 1.0), (255, 255, 255), glint)


def paper_panel(canvas, p, x, y, w, h, r=4):
    shadow(canvas, x, y, w, h, r, p["paper_shadow"], 2)
    draw(canvas, rrect(x, y, w, h, r), p["paper"])


def title_mark(canvas, p, title):
    """The accent bar left of a section title."""
    x, y = title[0], title[1]
    draw(canvas, rrect(x - 8, y + 3, 3, 15, 1.5), vgradient(y + 3, y + 18, p["accent"], p["accent2"]))


def draw_sidebar(p, scale=1.0):
    L = SIDEBAR
    W, H = L["size"]
    cv = Canvas(W, H, scale=scale)
    cv.fill(vgradient(0, H, p["bg_top"], p["bg_bottom"]))

    for t in L["titles"]:
        title_mark(cv, p, t)

    # Clipboard: a paper card with a gutter for the lock switches and a hairline between rows.
    rx, ry, rw, rh = L["clip_row"]
    n, pitch = L["clip_rows"], L["clip_pitch"]
    top = L["shelf_row"][1] - 3  # level with the shelf card beside it
    card = (8, top, rx + rw + 3 - 8, ry + pitch * n + 4 - top)
    paper_panel(cv, p, *card)
    lx = L["lock"][0]
    gutter = rrect(card[0], card[1], rx - 3 - card[0] + 4, card[3], 4)
    draw(cv, cut(gutter, rrect(rx - 3, card[1] - 1, 20, card[3] + 2)), p["paper_gutter"])
    for i in range(1, n):
        yline = ry + pitch * i - 0.5
        draw(cv, segment(rx - 3, yline, card[0] + card[2] - 4, yline, 1.0), p["paper_line"])
        draw(cv, segment(card[0] + 2, yline, rx - 4, yline, 1.0), p["paper_line"], 0.6)
    assert card[0] + 2 <= lx and lx + L["lock"][2] <= rx - 3, "lock switches must sit in the gutter"

    # A soft rule between the clipboard and the launcher.
    rule_y = (card[1] + card[3] + L["titles"][4][1]) // 2 - 1
    draw(cv, segment(12, rule_y + 0.5, card[0] + card[2] - 4, rule_y + 0.5, 1.0), p["frame"], 0.8)

    # File shelf: a paper card with zebra rows; the drop zone over the title carries the tray sign.
    sx, sy, sw, sh = L["shelf_row"]
    sn, sp = L["shelf_rows"], L["shelf_pitch"]
    shelf = (L["shelf_drop"][0], sy - 3, L["shelf_drop"][2] + 1, sp * sn + 4)
    paper_panel(cv, p, *shelf)
    for i in range(1, sn, 2):
        y = sy + sp * i - 1
        draw(cv, rrect(shelf[0] + 2, y, shelf[2] - 4, sp, 2), p["paper_alt"])
    dx, dy, dw, dh = L["shelf_drop"]
    glyph_tray(cv, dx + dw - 14, dy + 14, 16, p["accent"], 0.9)

    # To-do list: a frame around the list box, then the command column with its buttons and the screenshot tile.
    tx, ty, tw, th = L["todo_list"]
    draw(cv, outline(rrect(tx - 2, ty - 2, tw + 4, th + 4, 3), 1.0), p["box_frame"])
    rule_y = (ty + th + L["buttons"][2][1]) // 2
    draw(cv, segment(tx, rule_y + 0.5, tx + tw, rule_y + 0.5, 1.0), p["frame"], 0.8)
    for b in L["buttons"]:
        text_button(cv, b, p["btn_top"], p["btn_bottom"], p["btn_border"], p["btn_glint"])
    text_button(cv, L["close_button"], p["close_top"], p["close_bottom"], p["close_border"], p["btn_glint"])
    fx, fy, fw, fh = L["ss_folder"]
    kx, ky, kw, kh = L["ss_kind"]
    tile = (min(fx, kx) - 5, fy - 5, max(fx + fw, kx + kw) - min(fx, kx) + 10, ky + kh - fy + 10)
    draw(cv, rrect(*tile, 5), p["tile"])
    draw(cv, outline(rrect(*tile, 5), 1.0), p["tile_border"])

    # Notes: a frame around the text box.
    nx, ny, nw, nh = L["notes"]
    draw(cv, outline(rrect(nx - 2, ny - 2, nw + 4, nh + 4, 3), 1.0), p["box_frame"])

    # Launcher: a frame around the box, a paper strip for the matched name, a start sign beside the buttons.
    ex, ey, ew, eh = L["exec_box"]
    draw(cv, outline(rrect(ex - 2, ey - 2, ew + 4, eh + 4, 3), 1.0), p["box_frame"])
    ax, ay, aw, ah = L["exec_name"]
    paper_panel(cv, p, ax - 2, ay - 1, aw + 4, ah + 2, 3)
    b0, b1 = L["buttons"][0], L["buttons"][1]
    cx, cy = (ax + b0[0]) / 2.0 - 1, (b0[1] + b1[1] + b1[3]) / 2.0
    draw(cv, circle(cx, cy, 12), vgradient(cy - 12, cy + 12, p["accent"], p["accent2"]))
    draw(cv, polygon([(cx - 3.5, cy - 6), (cx + 6.5, cy), (cx - 3.5, cy + 6)]), p["bg_top"])

    # Info line: a dark strip across the bottom with a fading accent hairline on top.
    cv.fill(p["info"], (0, INFO_TOP, W, H - INFO_TOP))
    cv.fill(lambda x, y: mix(p["accent"], p["accent2"], x / W), (0, INFO_TOP, W, 1),
            lambda x, y: 0.25 + 0.6 * (1.0 - abs(x - W / 2.0) / (W / 2.0)))

    # The window frame: one lighter pixel round the edge.
    draw(cv, outline(rrect(0, 0, W, H, 0), 1.0), p["frame"])
    return cv


def lock_bitmap(p, locked, scale):
    """The 9 x 12 lock switch drawn over the clipboard card's gutter."""
    if locked:
        art = [
            "..sssss..",
            ".ss...ss.",
            ".s.....s.",
            ".s.....s.",
            ".s.....s.",
            "BBBBBBBBB",
            "BBBBBBBBB",
            "BBBBkBBBB",
            "BBBBkBBBB",
            "BBBBBBBBB",
            "ddddddddd",
            ".ddddddd.",
        ]
        body, dark = p["lock_body_on"], p["lock_body_on_dark"]
    else:
        art = [
            "....sssss",
            "...ss...s",
            "...s....s",
            "...s.....",
            "...s.....",
            "BBBBBBBBB",
            "BBBBBBBBB",
            "BBBBkBBBB",
            "BBBBkBBBB",
            "BBBBBBBBB",
            "ddddddddd",
            ".ddddddd.",
        ]
        body, dark = p["lock_body_off"], p["lock_body_off_dark"]
    colours = {".": p["paper_gutter"], "s": p["lock_shackle"], "B": body, "d": dark,
               "k": mix(dark, (0, 0, 0), 0.35)}
    cv = Canvas(9, 12, scale=scale)
    for y, row in enumerate(art):
        assert len(row) == 9, row
        for x, ch in enumerate(row):
            cv.fill(colours[ch], (x, y, 1, 1))
    # Round the body's top corners a little.
    cv.fill(mix(body, p["paper_gutter"], 0.5), (0, 5, 1, 1))
    cv.fill(mix(body, p["paper_gutter"], 0.5), (8, 5, 1, 1))
    return cv


def monitor_icon(base, p, kind):
    """The screenshot kind icon (30 x 23) drawn over the side bar's own background at its place."""
    cv = base
    ink = p["glyph"]
    screen = rrect(3, 1, 24, 16, 2.5)
    draw(cv, screen, ink)
    inner = (5, 3, 20, 12)
    if kind == 0:
        # Whole screen: the whole display lit.
        draw(cv, rrect(*inner, 1), vgradient(3, 15, p["accent"], p["accent2"]))
        draw(cv, polygon([(5, 3), (13, 3), (5, 11)]), (255, 255, 255), 0.18)
    else:
        # Active window: a dark display with one lit window on it.
        draw(cv, rrect(*inner, 1), p["screen_off"])
        draw(cv, rrect(9, 5, 13, 9, 1), vgradient(5, 14, p["accent"], p["accent2"]))
        draw(cv, rrect(9, 5, 13, 2, 1), (255, 255, 255), 0.55)
    draw(cv, rrect(13, 17, 4, 3), ink)
    draw(cv, rrect(9, 20, 12, 2, 1), ink)
    return cv


def draw_topbar(p, scale=1.0, w=309, h=64):
    """Title bar picture of the dialogs; stretched sideways to the dialog's width, so it only varies downwards."""
    cv = Canvas(w, h, scale=scale)
    cv.fill(vgradient(0, h - 3, p["banner_top"], p["banner_bottom"]))
    cv.fill((255, 255, 255), (0, 0, w, 1), 0.10)
    cv.fill(hgradient(0, w, p["accent"], p["accent2"]), (0, h - 3, w, 3))
    cv.fill((0, 0, 0), (0, h - 4, w, 1), 0.25)
    return cv


def draw_drophere(p, scale=1.0, w=120, h=74):
    """The drop hint under a path label: faint, so that the path drawn over it stays readable."""
    cv = Canvas(w, h, p["BACKGROUND"], scale=scale)
    box = rrect(2, 2, w - 4, h - 4, 8)
    f = box[0]
    per = 7.0

    def dashed(px, py):
        d = abs(f(px, py) + 0.6) - 0.6
        # Dashes along the edge, phased by position so corners stay continuous.
        phase = (px + py) % per
        return d if phase < per * 0.55 else max(d, 0.6)

    draw(cv, (dashed, box[1]), p["drop_line"])
    glyph_tray(cv, w / 2.0, h / 2.0 + 2, 30, p["drop_glyph"], 0.55, 2.4)
    return cv


# A small stroked alphabet, enough for the program's name in the about box.

def letter_strokes(ch, x, base, xh, cap, sw):
    """Strokes of one letter at pen position x on baseline base; returns (shapes, advance)."""
    r = xh / 2.0
    cy = base - r
    if ch == "V":
        w = cap * 0.78
        return [segment(x, base - cap, x + w / 2, base, sw), segment(x + w / 2, base, x + w, base - cap, sw)], w
    if ch == "v":
        w = xh * 0.95
        return [segment(x, base - xh, x + w / 2, base, sw), segment(x + w / 2, base, x + w, base - xh, sw)], w
    if ch == "e":
        return [arc(x + r, cy, r, 35, 360, sw), segment(x, cy, x + 2 * r, cy, sw)], 2 * r
    if ch == "l":
        return [segment(x + sw / 2, base - cap * 1.05, x + sw / 2, base, sw)], sw
    if ch == "a":
        return [arc(x + r, cy, r, 0, 360, sw), segment(x + 2 * r, base - xh, x + 2 * r, base, sw)], 2 * r
    if ch == "n":
        return [segment(x, base - xh, x, base, sw), arc(x + r, cy, r, 180, 360, sw),
                segment(x + 2 * r, cy, x + 2 * r, base, sw)], 2 * r
    raise ValueError(ch)


def draw_word(cv, text, x, base, xh, cap, sw, color, gap):
    for ch in text:
        shapes, adv = letter_strokes(ch, x, base, xh, cap, sw)
        draw(cv, union(*shapes), color)
        x += adv + gap
    return x


def logo_shapes(x, y, s):
    """The Velvane mark, a screen with the side bar along its right edge, fitted in an s x s box."""
    u = s / 48.0
    frame = outline(rrect(x + 6 * u, y + 10 * u, 36 * u, 28 * u, 3.5 * u), max(1.0, 3 * u))
    bar = rrect(x + 27 * u, y + 10 * u, 15 * u, 28 * u, 3.5 * u)
    rows = [rrect(x + 30 * u, y + (16 + 6 * k) * u, 9 * u, 2.5 * u, 1.2 * u) for k in range(3)]
    return frame, bar, rows


def draw_about(p, scale=1.0, w=250, h=400):
    """About box picture: a header with the mark and the name, a light body for the credit lines and a footer
    holding the version line and the close mark (the box's close area lies over it)."""
    cv = Canvas(w, h, p["about_body"], scale=scale)
    head = 88
    cv.fill(vgradient(0, head, p["about_head_top"], p["about_head_bottom"]), (0, 0, w, head))
    cv.fill(hgradient(0, w, p["accent"], p["accent2"]), (0, head - 3, w, 3))
    # Faint rings behind the mark.
    for k, rr in enumerate((70, 52, 34)):
        draw(cv, outline(circle(w - 18, 10, rr), 1.2), (255, 255, 255), 0.05 + 0.02 * k)
    tile = rrect(16, 18, 50, 50, 11)
    draw(cv, tile, vgradient(18, 68, p["accent"], p["accent2"]))
    frame, bar, rows = logo_shapes(17, 19, 48)
    draw(cv, frame, (255, 255, 255))
    draw(cv, bar, (255, 255, 255))
    for r in rows:
        draw(cv, r, mix(p["accent"], p["accent2"], 0.5))
    draw_word(cv, "Velvane", 80, 53, 14, 21, 3.0, (255, 255, 255), 3.2)

    foot = 372
    cv.fill(p["about_foot"], (0, foot, w, h - foot))
    cv.fill(mix(p["about_foot"], (0, 0, 0), 0.08), (0, foot, w, 1))
    # Close mark centred on the close area (208, 360, 29, 29).
    cx, cy = 208 + 14.5, 360 + 14.5 + 1
    draw(cv, outline(circle(cx, cy, 9), 1.3), p["about_ink"])
    draw(cv, segment(cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5, 1.6), p["about_ink"])
    draw(cv, segment(cx - 3.5, cy + 3.5, cx + 3.5, cy - 3.5, 1.6), p["about_ink"])
    # Hairlines under the three headings (at y 96, 140, 200).
    for y in (96, 140, 200):
        draw(cv, segment(8, y + 17.5, 120, y + 17.5, 1.0), p["accent"], 0.55)
    return cv


def skin_txt(p):
    lines = ["; Velvane skin colours (decimal 0-255)"]
    for sec in ("TEXT0", "TEXT1", "TEXT2", "BOXBACK0", "BOXBACK1", "BACKGROUND"):
        r, g, b = p[sec]
        lines += ["[%s]" % sec, "Red=%d" % r, "Green=%d" % g, "Blue=%d" % b, ""]
    return ("\r\n".join(lines)).encode("ascii")


# The scales every picture is drawn for, with the suffix of their file names.
SCALES = ((1.0, ""), (1.5, "@150"), (2.0, "@200"))


def save_scaled(path, canvas, suffix):
    stem, ext = os.path.splitext(path)
    save_bmp(stem + suffix + ext, canvas)


def make_skin(outdir, name, p):
    d = os.path.join(outdir, "skins", name)
    for scale, suffix in SCALES:
        main = draw_sidebar(p, scale)
        save_scaled(os.path.join(d, "i_main.bmp"), main, suffix)
        save_scaled(os.path.join(d, "lock_on.bmp"), lock_bitmap(p, True, scale), suffix)
        save_scaled(os.path.join(d, "lock_off.bmp"), lock_bitmap(p, False, scale), suffix)
        kx, ky, kw, kh = SIDEBAR["ss_kind"]
        for kind in (0, 1):
            save_scaled(os.path.join(d, "ss_%d.bmp" % kind), monitor_icon(main.crop(kx, ky, kw, kh), p, kind), suffix)
        save_scaled(os.path.join(d, "topbar_thick.bmp"), draw_topbar(p, scale), suffix)
        save_scaled(os.path.join(d, "drophere.bmp"), draw_drophere(p, scale), suffix)
        save_scaled(os.path.join(d, "About.bmp"), draw_about(p, scale), suffix)
    write_file(os.path.join(d, "skin.txt"), skin_txt(p))


# ----------------------------------------------------------------------------------------------------------------
# First-run wizard pictures: a strip down the left of each page and the banner beside it.

WIZ = {"top": (48, 54, 64), "band": (30, 34, 41), "bottom": (22, 96, 112),
       "accent": (64, 196, 196), "accent2": (70, 140, 230)}
WIZ_BANNER_H = 64


def wizard_background(px, py):
    if py < WIZ_BANNER_H - 3:
        return mix(WIZ["top"], WIZ["band"], py / (WIZ_BANNER_H - 3.0))
    return mix(WIZ["band"], WIZ["bottom"], clamp01((py - WIZ_BANNER_H) / 336.0) ** 1.3)


def page_glyph(page, cx, cy):
    """Line drawings of the wizard's topics, about 56 px across, centred on (cx, cy)."""
    sw = 3.4
    S = []
    if page == 1:  # Welcome: the Velvane mark.
        frame, bar, rows = logo_shapes(cx - 30, cy - 30, 60)
        return [frame, cut(bar, union(*rows))]
    if page == 2:  # Hot keys: two key caps and a plus.
        for ox in (-18, 18):
            S.append(outline(rrect(cx + ox - 11, cy - 11, 22, 22, 5), 3.0))
            S.append(segment(cx + ox - 5, cy + 4, cx + ox + 5, cy + 4, 2.2))
        S.append(segment(cx - 4, cy, cx + 4, cy, 2.6))
        S.append(segment(cx, cy - 4, cx, cy + 4, 2.6))
        return S
    if page == 3:  # Clipboard history: a clipboard with lines, one of them locked.
        S.append(outline(rrect(cx - 18, cy - 22, 36, 46, 5), sw))
        S.append(rrect(cx - 8, cy - 27, 16, 9, 3))
        for k in range(3):
            S.append(segment(cx - 10, cy - 8 + 10 * k, cx + (10 if k < 2 else 2), cy - 8 + 10 * k, 2.6))
        S.append(cut(rrect(cx + 7, cy + 12, 13, 10, 2), rrect(cx + 12.5, cy + 15, 2, 4)))
        S.append(arc(cx + 13.5, cy + 12, 4, 180, 360, 2.2))
        return S
    if page == 4:  # File shelf: a file and an arrow dropping into a tray.
        S.append(outline(polygon([(cx - 8, cy - 29), (cx + 3, cy - 29), (cx + 9, cy - 23), (cx + 9, cy - 9),
                                  (cx - 8, cy - 9)]), 2.8))
        S.append(segment(cx - 24, cy + 6, cx - 24, cy + 20, sw))
        S.append(segment(cx - 24, cy + 20, cx + 24, cy + 20, sw))
        S.append(segment(cx + 24, cy + 20, cx + 24, cy + 6, sw))
        S.append(segment(cx, cy - 3, cx, cy + 12, 3.0))
        S.append(segment(cx - 6, cy + 6, cx, cy + 12, 3.0))
        S.append(segment(cx + 6, cy + 6, cx, cy + 12, 3.0))
        return S
    if page == 5:  # Notes and to-do: a check list with two items ticked off.
        for k in range(3):
            y = cy - 18 + 18 * k
            S.append(outline(rrect(cx - 25, y - 7, 14, 14, 3), 2.4))
            S.append(segment(cx - 4, y, cx + 25, y, 2.8))
            if k < 2:
                S.append(segment(cx - 22, y - 0.5, cx - 18.5, y + 3.5, 2.6))
                S.append(segment(cx - 18.5, y + 3.5, cx - 10, y - 8, 2.6))
        return S
    if page == 6:  # Launcher: a start sign.
        S.append(outline(circle(cx, cy, 26), sw))
        S.append(polygon([(cx - 7, cy - 12), (cx + 13, cy), (cx - 7, cy + 12)]))
        return S
    if page == 7:  # Screenshots: a camera.
        S.append(outline(rrect(cx - 27, cy - 14, 54, 36, 6), sw))
        S.append(outline(polygon([(cx - 10, cy - 14), (cx - 6, cy - 21), (cx + 6, cy - 21), (cx + 10, cy - 14)]),
                         2.6))
        S.append(outline(circle(cx, cy + 4, 11), sw))
        S.append(circle(cx + 19, cy - 7, 2.2))
        return S
    if page == 8:  # Settings: a gear.
        teeth = [rotated(rrect(cx - 5, cy - 27, 10, 12, 2), cx, cy, 45 * k) for k in range(8)]
        gear = union(circle(cx, cy, 19), *teeth)
        return [cut(gear, circle(cx, cy, 8))]
    raise ValueError(page)


def draw_wizard_page(page, scale=1.0, w=100, h=400):
    cv = Canvas(w, h, scale=scale)
    cv.fill(wizard_background)
    cv.fill(hgradient(0, w, WIZ["accent"], mix(WIZ["accent"], WIZ["accent2"], w / 340.0)),
            (0, WIZ_BANNER_H - 3, w, 3))
    # Quiet rings low on the strip, offset per page so that the pages differ at a glance.
    ox = 20 + 12 * ((page * 5) % 7)
    for k, rr in enumerate((90, 66, 42)):
        draw(cv, outline(circle(ox, h + 10 - (page % 3) * 14, rr), 1.4), (255, 255, 255), 0.05 + 0.025 * k)
    cx, cy = w / 2.0, 150.0
    draw(cv, circle(cx, cy, 40), (255, 255, 255), 0.08)
    draw(cv, outline(circle(cx, cy, 40), 1.2), (255, 255, 255), 0.22)
    for shape in page_glyph(page, cx, cy):
        draw(cv, shape, (255, 255, 255), 0.95)
    return cv


def draw_wizard_banner(scale=1.0, w=405, h=WIZ_BANNER_H):
    cv = Canvas(w, h, scale=scale)
    cv.fill(wizard_background, (0, 0, w, h))
    cv.fill((255, 255, 255), (0, 0, w, 1), 0.08)
    cv.fill(hgradient(-100, w, WIZ["accent"], WIZ["accent2"]), (0, h - 3, w, 3))
    return cv


# ----------------------------------------------------------------------------------------------------------------
# Program icon


def draw_icon(size):
    cv = Canvas(size, size, (0, 0, 0), 0.0)
    pad = {16: 0.0, 32: 1.0, 48: 1.0}[size]
    s = size - 2 * pad
    radius = {16: 3.0, 32: 6.0, 48: 9.0}[size]
    tile = rrect(pad, pad, s, s, radius)
    draw(cv, tile, vgradient(pad, pad + s, WIZ["accent"], WIZ["accent2"]))
    white = (255, 255, 255)
    if size == 16:
        # Pixel-aligned so that the small icon stays sharp.
        draw(cv, outline(rrect(2, 3, 12, 10, 1.5), 1.0), white)
        draw(cv, rrect(9, 3, 5, 10, 1.5), white)
        for k in range(2):
            draw(cv, rrect(10, 6 + 3 * k, 3, 1), WIZ["accent2"])
    else:
        frame, bar, rows = logo_shapes(pad, pad, s)
        draw(cv, frame, white)
        draw(cv, bar, white)
        for r in rows:
            draw(cv, r, mix(WIZ["accent"], WIZ["accent2"], 0.6))
    return cv


# ----------------------------------------------------------------------------------------------------------------


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_assets.py OUTDIR\n")
        return 2
    out = argv[1]
    for name, palette in SKINS:
        make_skin(out, name, palette)
    for scale, suffix in SCALES:
        for page in range(1, 9):
            save_scaled(os.path.join(out, "images", "t%d.bmp" % page), draw_wizard_page(page, scale), suffix)
        save_scaled(os.path.join(out, "images", "topbar_thick.bmp"), draw_wizard_banner(scale), suffix)
    write_file(os.path.join(out, "icon.ico"), ico_bytes([draw_icon(48), draw_icon(32), draw_icon(16)]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
