"""The pictures of Lumora's toolbars and icons, drawn on a 16-unit grid.

Each toolbar picture takes a canvas (16 or 24 pixels; the grid scales) and
paints layers back to front. Materials come from a handful of ramps so that
folders, paper, metal and arrows look alike wherever they appear; light falls
from the top left.
"""

import math

from pixelart import (arc, arrow_head, circle, ellipse, inter, minus, mirrored, moved, new_canvas,
                      paint, pixel_rect, poly, put, ramp, rect, rrect, square_segment, union)

# ---------------------------------------------------------------------------
# Materials.

FOLDER = ramp((124, 86, 6), [(255, 232, 140), (250, 206, 84), (232, 172, 44)],
              (255, 248, 208), (196, 136, 20))
FOLDER_BACK = ramp((124, 86, 6), [(236, 184, 64), (220, 160, 40), (204, 142, 28)],
                   (248, 212, 112), (176, 116, 16))
PAPER = ramp((84, 90, 106), [(255, 255, 255), (246, 247, 250), (234, 236, 242)],
             (255, 255, 255), (206, 210, 220))
BLUE = ramp((14, 40, 104), [(112, 162, 236), (66, 122, 218), (42, 90, 186)],
            (184, 214, 255), (30, 66, 150))
GREEN = ramp((22, 86, 22), [(138, 218, 106), (82, 182, 64), (50, 146, 40)],
             (204, 246, 184), (34, 114, 30))
RED = ramp((118, 14, 14), [(246, 124, 106), (226, 66, 50), (186, 38, 30)],
           (255, 200, 188), (146, 24, 20))
METAL = ramp((58, 60, 68), [(226, 228, 234), (196, 200, 208), (164, 168, 178)],
             (250, 250, 252), (132, 136, 146))
DARK = ramp((30, 32, 40), [(116, 120, 132), (88, 92, 104), (66, 68, 78)],
            (156, 160, 172), (50, 52, 60))
WOOD = ramp((90, 50, 12), [(234, 178, 90), (204, 138, 58), (168, 106, 38)],
            (252, 218, 142), (130, 78, 24))
GOLD = ramp((112, 70, 8), [(252, 218, 112), (236, 186, 64), (206, 150, 36)],
            (255, 244, 196), (160, 104, 20))
SKY = ramp((40, 90, 160), [(150, 204, 252), (120, 184, 246), (96, 164, 236)],
           (196, 228, 255), (80, 146, 220))
GLASS = ramp((40, 70, 120), [(226, 242, 255), (186, 220, 250), (150, 196, 240)],
             (255, 255, 255), (124, 172, 226))
SUN = ramp((196, 112, 0), [(255, 246, 150), (255, 222, 60), (250, 190, 30)],
           (255, 252, 214), (236, 160, 10))
HILL = ramp((26, 92, 26), [(150, 222, 110), (98, 190, 70), (64, 156, 48)],
            (196, 242, 170), (44, 124, 36))
HILL_FAR = ramp((36, 104, 60), [(140, 204, 150), (108, 178, 120), (84, 156, 100)],
                (176, 226, 184), (70, 136, 86))

SUN_SPOT = (255, 214, 40)
INK = (30, 44, 84)          # text and lines on paper
INK_LIGHT = (132, 146, 178)  # ruled lines
LED = (40, 220, 60)

# ---------------------------------------------------------------------------
# Shared pieces.


def landscape(c, x0, y0, x1, y1, sun=True, frame=PAPER, thick_frame=True):
    """A little photograph: sky, sun, two hills, framed."""
    box = rect(x0, y0, x1, y1)
    w, h = x1 - x0, y1 - y0
    paint(c, box, SKY, light="vertical", outline=False)
    if sun:
        s = c["scale"]
        sx, sy, r = x0 + w * 0.72, y0 + h * 0.30, h * 0.2
        if r * s < 3.0:
            # Too small for an outlined disc: a bright block reads better.
            px, py = int(sx * s), int(sy * s) - 1
            for dx in (0, 1):
                for dy in (0, 1):
                    put(c, px + dx, py + dy, SUN_SPOT)
        else:
            paint(c, circle(sx, sy, r), SUN, clip=box)
    paint(c, ellipse(x0 + w * 0.28, y1 + h * 0.25, w * 0.62, h * 0.72), HILL_FAR, clip=box)
    paint(c, ellipse(x0 + w * 0.92, y1 + h * 0.35, w * 0.62, h * 0.75), HILL, clip=box)
    if frame is not None:
        e = 1.0 if thick_frame else 1.0 / c["scale"]
        ring = minus(rect(x0 - e, y0 - e, x1 + e, y1 + e), box)
        paint(c, ring, frame, style="flat")


def folder_back(c, x0, y0, x1, y1):
    tab = x0 + (x1 - x0) * 0.42
    paint(c, poly([(x0, y0), (tab, y0), (tab + 1.2, y0 + 1.5), (x1, y0 + 1.5), (x1, y1), (x0, y1)]),
          FOLDER_BACK)


def closed_folder(c, x0, y0, x1, y1):
    folder_back(c, x0, y0, x1, y1)
    paint(c, rect(x0, y0 + 2.5, x1, y1), FOLDER)


def page(c, x0, y0, x1, y1, lines=True, fold=0):
    if fold:
        shape = poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    else:
        shape = rect(x0, y0, x1, y1)
    paint(c, shape, PAPER)
    if fold:
        paint(c, poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), PAPER,
              style="flat")
    if lines:
        y = int(y0) + 2
        while y + 1 <= y1 - 1.5:
            paint(c, rect(x0 + 2, y, x1 - 2, y + 1), INK_LIGHT, style="solid", threshold=0.6)
            y += 2


def magnifier(c, sign):
    paint(c, square_segment(10.2, 10.2, 15.2, 15.2, 3.6), DARK)
    paint(c, circle(6.5, 6.5, 6.2), METAL)
    paint(c, circle(6.5, 6.5, 4.3), GLASS)
    paint(c, rect(4, 6, 9, 7), INK, style="solid")
    if sign == "+":
        paint(c, rect(6, 4, 7, 9), INK, style="solid")


def curved_arrow(c, colours, clockwise):
    """A three-quarter turn around the centre with the head at its end."""
    def draw(shape):
        return mirrored(shape, 16) if clockwise else shape
    band = arc(9, 9, 7, 3.4, 180, 20)
    head = arrow_head(3.8, 15.8, 90, 6.2, 4.4)
    paint(c, draw(union(band, head)), colours)


def straight_arrow(c, colours, direction):
    shape = poly([(0.8, 8), (8, 1.2), (8, 5), (15.2, 5), (15.2, 11), (8, 11), (8, 14.8)])
    if direction == "right":
        shape = mirrored(shape, 16)
    paint(c, shape, colours)


def red_cross(c, x0=2.5, y0=2.5, x1=13.5, y1=13.5, width=3.8):
    # Thin diagonals shade into a checkerboard at 16 px, so they stay flat.
    paint(c, union(square_segment(x0, y0, x1, y1, width), square_segment(x1, y0, x0, y1, width)),
          RED, style="shaded" if c["w"] > 16 else "flat")


def star(cx, cy, r_out, r_in):
    pts = []
    for i in range(8):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(-90 + i * 45)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return poly(pts)


def text_line(c, x0, y, x1, colour=INK):
    # Thin lines keep one pixel at 24 px instead of growing to two.
    paint(c, rect(x0, y, x1, y + 1), colour, style="solid", threshold=0.6)


# ---------------------------------------------------------------------------
# Toolbar pictures.


def open_folder(c):
    folder_back(c, 0.5, 2, 13.5, 14.5)
    page(c, 3, 4, 12, 11, lines=False)
    paint(c, poly([(0.5, 14.5), (3.6, 7.5), (15.8, 7.5), (12.8, 14.5)]), FOLDER)


def save(c):
    paint(c, poly([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)]), BLUE)
    paint(c, rect(4, 1, 12, 6.5), METAL)
    paint(c, rect(8.6, 2, 10.6, 5.5), DARK, style="flat", outline=False)
    paint(c, rect(3, 9, 13, 15), PAPER)
    if c["w"] > 16:
        text_line(c, 5, 11, 11)
        text_line(c, 5, 13, 11)
    else:
        text_line(c, 5, 11, 11)


def printer(c):
    page(c, 4, 0.5, 12, 7, lines=False)
    paint(c, rrect(0.5, 5.5, 15.5, 12.5, 1.5), METAL)
    paint(c, rect(2.5, 10.5, 13.5, 12.5), DARK, style="flat")
    page(c, 3.5, 11, 12.5, 15.8, lines=False)
    paint(c, rect(4.5, 13, 11.5, 14), INK_LIGHT, style="solid")
    paint(c, rect(12, 7.5, 13.5, 9), LED, style="solid")


def crop(c):
    paint(c, union(rect(0, 3, 13, 6), rect(10, 3, 13, 16)), METAL)
    paint(c, union(rect(3, 0, 6, 13), rect(3, 10, 16, 13)), DARK)


def copy(c):
    page(c, 1, 0, 10, 11, fold=3)
    page(c, 6, 5, 15, 16, fold=3)


def adjust_colors(c):
    paint(c, circle(5.5, 5.5, 4.6), RED)
    paint(c, circle(10.5, 5.5, 4.6), GREEN)
    paint(c, circle(8, 10.3, 4.6), BLUE)


def zoom_in(c):
    magnifier(c, "+")


def zoom_out(c):
    magnifier(c, "-")


def best_fit(c):
    landscape(c, 4, 4, 12, 12, frame=DARK)
    for tip, direction in (((0.2, 0.2), 225), ((15.8, 0.2), 315), ((0.2, 15.8), 135),
                           ((15.8, 15.8), 45)):
        paint(c, arrow_head(tip[0], tip[1], direction, 5.0, 2.6), GREEN, style="flat")


def rotate_left(c):
    curved_arrow(c, BLUE, clockwise=False)


def rotate_right(c):
    curved_arrow(c, BLUE, clockwise=True)


def previous(c):
    straight_arrow(c, GREEN, "left")


def next_(c):
    straight_arrow(c, GREEN, "right")


def full_screen(c):
    paint(c, poly([(4.5, 11.5), (11.5, 11.5), (12.5, 15.5), (3.5, 15.5)]), METAL)
    paint(c, rrect(0.5, 1, 15.5, 12.5, 1), DARK)
    landscape(c, 2.5, 3, 13.5, 10.5, frame=None)


def browse(c):
    closed_folder(c, 0.5, 1.5, 12.5, 12.5)
    landscape(c, 7, 8, 15, 15)


def delete(c):
    red_cross(c)


def actual_size(c):
    paint(c, rrect(0.5, 2.5, 15.5, 13.5, 1.5), PAPER)
    # "1:1" in a pixel font sized for the cell.
    s = c["w"]
    if s <= 16:
        ones = ((3, 5), (10, 5))
        for x0, y0 in ones:
            for y in range(y0, y0 + 6):
                put(c, x0 + 1, y, INK)
            put(c, x0, y0 + 1, INK)
            put(c, x0, y0 + 5, INK)
            put(c, x0 + 2, y0 + 5, INK)
        put(c, 7, 6, INK)
        put(c, 7, 9, INK)
    else:
        for x0 in (4, 15):
            for y in range(7, 17):
                put(c, x0 + 1, y, INK)
                put(c, x0 + 2, y, INK)
            put(c, x0, 8, INK)
            put(c, x0, 9, INK)
            for x in range(x0, x0 + 4):
                put(c, x, 16, INK)
        for y in (9, 10, 14, 15):
            put(c, 11, y, INK)
            put(c, 12, y, INK)


def thumbnails(c):
    k = 1 / c["scale"]
    if c["w"] <= 16:
        cells = ((1, 1, 6, 6), (10, 1, 15, 6), (1, 10, 6, 15), (10, 10, 15, 15))
    else:
        cells = ((2, 2, 10, 10), (14, 2, 22, 10), (2, 14, 10, 22), (14, 14, 22, 22))
    for x0, y0, x1, y1 in cells:
        landscape(c, x0 * k, y0 * k, x1 * k, y1 * k, sun=c["w"] > 16, frame=DARK,
                  thick_frame=False)


def slide_show(c):
    landscape(c, 1.5, 1.5, 14.5, 12)
    paint(c, circle(11.5, 11.5, 4.3), GREEN)
    paint(c, poly([(10, 9), (10, 14), (14, 11.5)]), (255, 255, 255), style="solid")


def up_one_level(c):
    closed_folder(c, 0, 4, 13, 15)
    paint(c, union(arrow_head(11.5, 0, 270, 5, 4.5), rect(10, 5, 13, 12), rect(5, 9, 13, 12)),
          GREEN)


def new_folder(c):
    closed_folder(c, 0.5, 4.5, 13, 15)
    paint(c, star(12, 4.5, 4.4, 1.7), SUN)


def cut(c):
    paint(c, union(square_segment(4.5, 0.5, 10.5, 10, 2.2), square_segment(11.5, 0.5, 5.5, 10, 2.2)),
          METAL)
    ring = minus(circle(0, 0, 3.1), circle(0, 0, 1.4))
    paint(c, union(moved(ring, 4.3, 12.4), moved(ring, 11.7, 12.4)), RED)


def paste(c):
    paint(c, rrect(0.5, 2, 11.5, 15.5, 1), WOOD)
    paint(c, rrect(3.5, 0.5, 8.5, 4, 0.8), METAL)
    page(c, 6, 5.5, 15.5, 15.8, fold=3)


def undo(c):
    band = arc(9, 9, 6.5, 2.8, 270, 90)
    neck = rect(6.4, 2.5, 9.1, 6.2)
    tail = rect(4.5, 11.8, 9.1, 15.5)
    head = arrow_head(0.3, 4.35, 180, 6.2, 4.6)
    paint(c, union(band, neck, tail, head), BLUE)


def properties(c):
    paint(c, rect(1, 1, 15, 15), PAPER)
    paint(c, rect(1, 1, 15, 4.5), BLUE, style="flat")
    for y in (6, 9, 12):
        paint(c, rect(3, y, 5, y + 2), (50, 146, 40), style="solid")
        text_line(c, 7, y + 1, 13)


def _tile(c, x0, y0, x1, y1):
    paint(c, pixel_rect(c, x0, y0, x1, y1), BLUE, style="flat" if x1 - x0 < 5 else "shaded")


def _label(c, x0, y0, x1, colour=INK):
    paint(c, pixel_rect(c, x0, y0, x1, y0 + 1), colour, style="solid")


# The view-mode pictures are grids of little items; they are laid out in
# whole pixels for each size so every item keeps the same shape.

def large_icons(c):
    if c["w"] <= 16:
        items, width, height, label = ((1, 1), (9, 1), (1, 9), (9, 9)), 6, 5, 6
    else:
        items, width, height, label = ((2, 1), (14, 1), (2, 13), (14, 13)), 8, 7, 9
    for x0, y0 in items:
        _tile(c, x0, y0, x0 + width, y0 + height)
        _label(c, x0 + 1, y0 + label, x0 + width - 1)


def small_icons(c):
    if c["w"] <= 16:
        cols, rows, tile, gap, length = (1, 9), (1, 6, 11), 4, 1, 2
    else:
        cols, rows, tile, gap, length = (1, 13), (2, 9, 16), 5, 2, 4
    for x0 in cols:
        for y0 in rows:
            _tile(c, x0, y0, x0 + tile, y0 + tile)
            _label(c, x0 + tile + gap, y0 + tile // 2, x0 + tile + gap + length)


def list_view(c):
    if c["w"] <= 16:
        rows, tile, x_label, right = (1, 5, 9, 13), 3, 5, 15
    else:
        rows, tile, x_label, right = (1, 7, 13, 19), 5, 8, 23
    for y0 in rows:
        _tile(c, 1, y0, 1 + tile, y0 + tile)
        _label(c, x_label, y0 + tile // 2, right)


def details(c):
    if c["w"] <= 16:
        header, rows, tile, cols = 3, (5, 9, 13), 3, ((4, 9), (11, 15))
    else:
        header, rows, tile, cols = 5, (7, 13, 19), 5, ((8, 15), (17, 23))
    paint(c, pixel_rect(c, 0, 0, c["w"], header), METAL, style="flat")
    for y0 in rows:
        _tile(c, 0 if c["w"] <= 16 else 1, y0, (0 if c["w"] <= 16 else 1) + tile, y0 + tile)
        _label(c, cols[0][0], y0 + tile // 2, cols[0][1])
        _label(c, cols[1][0], y0 + tile // 2, cols[1][1], INK_LIGHT)


def back_to_viewer(c):
    paint(c, rect(0.5, 1.5, 15.5, 14.5), WOOD)
    landscape(c, 2.5, 3.5, 13.5, 12.5, frame=None)


# ---------------------------------------------------------------------------
# Program icon: a gilt picture frame holding a sunny landscape.

# Sky that deepens upwards, as a real one does.
SKY_DEEP = ramp((40, 90, 160), [(86, 152, 230), (114, 178, 244), (150, 204, 252), (178, 222, 255)],
                (196, 228, 255), (80, 146, 220))

# Frame mouldings from the outside in, for the lit (top, left) and the shaded
# (bottom, right) sides; the first and last rings are the outlines.
FRAME_RINGS = {
    2: [("outline", "outline"), ((252, 218, 112), (206, 150, 36))],
    4: [("outline", "outline"), ((255, 244, 196), (236, 186, 64)),
        ((252, 218, 112), (206, 150, 36)), ((150, 96, 18), (150, 96, 18))],
    6: [("outline", "outline"), ((255, 244, 196), (236, 186, 64)),
        ((252, 218, 112), (206, 150, 36)), ((206, 150, 36), (160, 104, 20)),
        ((246, 204, 96), (220, 166, 48)), ((150, 96, 18), (150, 96, 18))],
}


SMALL_LANDSCAPE = [
    "aaaaaaaaaaaa",
    "aaaaaaaaYaaa",
    "bbbbbbbYyYbb",
    "bbbbbbbbYbbb",
    "cccKKKcccccc",
    "ccKFFFKKcccc",
    "dKFFffffKKNN",
    "KFFfffffNNGG",
    "FFffffNNGGgg",
    "fffffNGGgggh",
]
SMALL_KEYS = {
    "a": SKY_DEEP["tones"][0], "b": SKY_DEEP["tones"][1], "c": SKY_DEEP["tones"][2],
    "d": SKY_DEEP["tones"][3], "Y": SUN["tones"][1], "y": SUN["hi"],
    "K": HILL_FAR["outline"], "F": HILL_FAR["tones"][0], "f": HILL_FAR["tones"][1],
    "N": HILL["outline"], "G": HILL["tones"][0], "g": HILL["tones"][1], "h": HILL["tones"][2],
}


def program_icon(size):
    c = new_canvas(size, size, size / 16.0)
    s = c["scale"]
    if size <= 16:
        ox0, oy0, ox1, oy1, t = 0, 1, 16, 15, 2
    elif size <= 32:
        ox0, oy0, ox1, oy1, t = 1, 2, 31, 30, 4
    else:
        ox0, oy0, ox1, oy1, t = 1, 3, 47, 45, 6
    ix0, iy0, ix1, iy1 = ox0 + t, oy0 + t, ox1 - t, oy1 - t
    w, h = ix1 - ix0, iy1 - iy0

    picture = pixel_rect(c, ix0, iy0, ix1, iy1)
    if size <= 16:
        # Twelve by ten pixels are too few for shapes; set them one by one.
        for y, row in enumerate(SMALL_LANDSCAPE):
            for x, key in enumerate(row):
                put(c, ix0 + x, iy0 + y, SMALL_KEYS[key])
        return _frame(c, ox0, oy0, ox1, oy1, t)
    paint(c, picture, SKY_DEEP, light="vertical", outline=False)
    sun_r = max(1.6, h * 0.16)
    paint(c, circle((ix0 + w * 0.70) / s, (iy0 + h * 0.33) / s, sun_r / s), SUN, clip=picture)
    paint(c, ellipse((ix0 + w * 0.22) / s, (iy1 + h * 0.22) / s, w * 0.66 / s, h * 0.64 / s),
          HILL_FAR, clip=picture)
    paint(c, ellipse((ix0 + w * 0.96) / s, (iy1 + h * 0.30) / s, w * 0.64 / s, h * 0.62 / s),
          HILL, clip=picture)

    return _frame(c, ox0, oy0, ox1, oy1, t)


def _frame(c, ox0, oy0, ox1, oy1, t):
    """Mitred moulding, `t` pixels wide, lit on its top and left sides."""
    rings = FRAME_RINGS[t]
    for y in range(oy0, oy1):
        for x in range(ox0, ox1):
            d = {"top": y - oy0, "left": x - ox0, "bottom": oy1 - 1 - y, "right": ox1 - 1 - x}
            side = min(("top", "left", "bottom", "right"), key=lambda k: d[k])
            k = d[side]
            if k >= t:
                continue
            lit, shaded = rings[k]
            colour = lit if side in ("top", "left") else shaded
            put(c, x, y, GOLD["outline"] if colour == "outline" else colour)
    return c


# ---------------------------------------------------------------------------
# File-type icons: a sheet with a turned corner, a picture and a coloured band
# naming the format (letters from 32 pixels up).

TYPE_STYLE = {
    # kind: (band colour, label, motif)
    "bmp": ((44, 96, 200), "BMP", "photo"),
    "jpeg": ((232, 120, 24), "JPG", "photo"),
    "png": ((40, 150, 60), "PNG", "photo"),
    "gif": ((140, 60, 180), "GIF", "frames"),
    "tiff": ((20, 140, 150), "TIF", "pages"),
    "other": (None, "", "text"),
    "targa": ((200, 40, 40), "TGA", "photo"),
    "psd": ((24, 60, 140), "PSD", "layers"),
    "pic": ((200, 50, 140), "PIC", "photo"),
    "pnm": ((120, 100, 40), "PNM", "gray"),
    "pcx": ((180, 140, 0), "PCX", "photo"),
    "dcx": ((150, 110, 0), "DCX", "pages"),
    "iff": ((220, 80, 110), "IFF", "photo"),
    "wmf": ((60, 110, 180), "WMF", "shapes"),
    "pcd": ((90, 90, 110), "PCD", "disc"),
    "webp": ((100, 150, 20), "WEBP", "photo"),
}

# A 3 x 5 pixel font for the band labels.
GLYPHS = {
    "A": ["010", "101", "111", "101", "101"], "B": ["110", "101", "110", "101", "110"],
    "C": ["011", "100", "100", "100", "011"], "D": ["110", "101", "101", "101", "110"],
    "E": ["111", "100", "110", "100", "111"],
    "F": ["111", "100", "110", "100", "100"], "G": ["011", "100", "101", "101", "011"],
    "I": ["111", "010", "010", "010", "111"], "J": ["001", "001", "001", "101", "010"],
    "M": ["101", "111", "111", "101", "101"], "N": ["110", "101", "101", "101", "101"],
    "P": ["110", "101", "110", "100", "100"], "S": ["011", "100", "010", "001", "110"],
    "T": ["111", "010", "010", "010", "010"], "W": ["101", "101", "111", "111", "101"],
    "X": ["101", "101", "010", "101", "101"],
}


def _darker(colour, f=0.55):
    return tuple(int(v * f) for v in colour)


def _lighter(colour, f=0.45):
    return tuple(int(v + (255 - v) * f) for v in colour)


def _band_ramp(colour):
    return ramp(_darker(colour, 0.45), [_lighter(colour, 0.15), colour, _darker(colour, 0.85)],
                _lighter(colour, 0.5), _darker(colour, 0.7))


def _motif(c, motif, x0, y0, x1, y1):
    if motif in ("photo", "pages", "frames", "layers"):
        landscape(c, x0, y0, x1, y1, frame=DARK)
    elif motif == "gray":
        box = rect(x0, y0, x1, y1)
        paint(c, box, ramp((40, 40, 40), [(200, 200, 204), (150, 150, 154), (100, 100, 104)],
                           (230, 230, 232), (80, 80, 84)), light="vertical", outline=False)
        paint(c, ellipse(x0 + (x1 - x0) * 0.7, y1, (x1 - x0) * 0.55, (y1 - y0) * 0.55),
              ramp((30, 30, 30), [(110, 110, 114), (84, 84, 88), (64, 64, 68)],
                   (140, 140, 144), (50, 50, 54)), clip=box)
        paint(c, minus(rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), box), DARK, style="flat")
    elif motif == "shapes":
        paint(c, circle(x0 + (x1 - x0) * 0.32, y0 + (y1 - y0) * 0.38, (y1 - y0) * 0.34), RED)
        paint(c, poly([(x0 + (x1 - x0) * 0.35, y1), (x0 + (x1 - x0) * 0.7, y0 + 0.2),
                       (x1, y1)]), BLUE)
    elif motif == "disc":
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        r = min(x1 - x0, y1 - y0) / 2
        paint(c, minus(circle(cx, cy, r), circle(cx, cy, r * 0.28)), METAL)
        paint(c, inter(minus(circle(cx, cy, r * 0.8), circle(cx, cy, r * 0.45)),
                       rect(cx, cy - r, cx + r, cy)), ramp((120, 110, 190),
                                                           [(220, 200, 255), (190, 220, 250),
                                                            (250, 220, 200)],
                                                           (255, 255, 255), (170, 170, 220)),
              outline=False)


def _sheet(c, x0, y0, x1, y1, fold):
    """A sheet with its top right corner turned, in pixels."""
    s = c["scale"]
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    paint(c, poly([(x / s, y / s) for x, y in pts]), PAPER)
    corner = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    paint(c, poly([(x / s, y / s) for x, y in corner]), PAPER, style="flat")


def type_icon(kind, size):
    band_colour, label, motif = TYPE_STYLE[kind]
    c = new_canvas(size, size, size / 16.0)
    s = c["scale"]
    multi = motif in ("pages", "frames", "layers")
    small = size <= 16
    # Geometry in pixels: sheet, picture and band.
    if small:
        sheet, fold = ((1, 2, 13, 16) if multi else (2, 0, 14, 16)), 4
        back = (4, 0, 15, 13)
    else:
        sheet, fold = ((2, 4, 26, 32) if multi else (4, 1, 28, 32)), 8
        back = (7, 0, 29, 26)
    x0, y0, x1, y1 = sheet
    if multi:
        paint(c, pixel_rect(c, *back), PAPER, style="flat")
    _sheet(c, x0, y0, x1, y1, fold)
    if motif == "text":
        step = 2 if small else 3
        y = y0 + (5 if small else 10)
        while y < y1 - (2 if small else 4):
            paint(c, pixel_rect(c, x0 + 2 if small else x0 + 4, y, x1 - (2 if small else 4), y + 1),
                  INK_LIGHT, style="solid")
            y += step
        return c
    if small:
        box = (x0 + 2, y0 + 3, x1 - 2, y1 - 6)
        band = (x0 + 1, y1 - 5, x1 - 1, y1 - 1)
    else:
        box = (x0 + 4, y0 + 8, x1 - 4, y1 - 12)
        band = (x0 + 1, y1 - 10, x1 - 1, y1 - 1)
    bx0, by0, bx1, by1 = [v / s for v in box]
    if motif in ("photo", "pages", "frames", "layers"):
        landscape(c, bx0, by0, bx1, by1, frame=None if small else DARK, thick_frame=False)
    else:
        _motif(c, motif, bx0, by0, bx1, by1)
    paint(c, pixel_rect(c, *band), _band_ramp(band_colour), light="vertical")
    if not small and label:
        width = len(label) * 4 - 1
        lx = (band[0] + band[2]) // 2 - width // 2
        ly = (band[1] + band[3]) // 2 - 2
        for i, ch in enumerate(label):
            for gy, bits in enumerate(GLYPHS[ch]):
                for gx, bit in enumerate(bits):
                    if bit == "1":
                        put(c, lx + i * 4 + gx, ly + gy, (255, 255, 255))
    return c
