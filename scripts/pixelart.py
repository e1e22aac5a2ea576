"""Small pixel-art toolkit for Lumora's icons and toolbar strips.

Shapes are predicates over a design grid (usually 16 or 32 units across); a
canvas of any pixel size samples them, decides pixel membership by coverage,
and shades each layer with a one-pixel outline, a top-left highlight and a
bottom-right shadow, so every picture shares one light source and one outline
rule. Writers for .ico and 8-bit .bmp files are byte-exact and need nothing
beyond the Python standard library.
"""

import math
import struct

# ---------------------------------------------------------------------------
# Shapes: functions (x, y) -> bool in design units, y growing downwards.


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def poly(points):
    """Even-odd polygon."""
    n = len(points)

    def inside(x, y):
        hit = False
        j = n - 1
        for i in range(n):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
            j = i
        return hit
    return inside


def segment(x0, y0, x1, y1, width):
    """A stroke with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9
    half2 = (width / 2.0) ** 2

    def inside(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = min(1.0, max(0.0, t))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half2
    return inside


def square_segment(x0, y0, x1, y1, width):
    """A stroke with flat ends."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy) or 1e-9
    ux, uy = dx / length, dy / length
    half = width / 2.0

    def inside(x, y):
        along = (x - x0) * ux + (y - y0) * uy
        across = -(x - x0) * uy + (y - y0) * ux
        return 0 <= along <= length and abs(across) <= half
    return inside


def arc(cx, cy, r_out, r_in, a0, a1):
    """Part of a ring between angles a0..a1 in degrees, counted clockwise on
    screen from the positive x axis (y grows downwards)."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if d2 > r_out * r_out or d2 < r_in * r_in:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360.0
        lo, hi = a0 % 360.0, a1 % 360.0
        if lo <= hi:
            return lo <= a <= hi
        return a >= lo or a <= hi
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, *b):
    return lambda x, y: a(x, y) and not any(s(x, y) for s in b)


def inter(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def mirrored(shape, width):
    """Left-right mirror across a design box of the given width."""
    return lambda x, y: shape(width - x, y)


def arrow_head(tip_x, tip_y, direction, length, half_width):
    """A triangle pointing in `direction` (degrees, screen clockwise)."""
    a = math.radians(direction)
    ux, uy = math.cos(a), math.sin(a)
    bx, by = tip_x - ux * length, tip_y - uy * length
    return poly([(tip_x, tip_y),
                 (bx - uy * half_width, by + ux * half_width),
                 (bx + uy * half_width, by - ux * half_width)])


# ---------------------------------------------------------------------------
# Ramps: the colours of one material, outline first, then the fill tones from
# the lit side to the shaded side, then the bevel highlight and shadow.


def ramp(outline, tones, hi, lo):
    return {"outline": outline, "tones": tones, "hi": hi, "lo": lo}


# ---------------------------------------------------------------------------
# Canvas: a square or oblong of RGBA pixels (alpha 0 or 255 until effects).

SUPERSAMPLE = 4


def new_canvas(width, height, scale):
    """`scale` is pixels per design unit."""
    return {"w": width, "h": height, "scale": scale,
            "px": [[None] * width for _ in range(height)]}


def coverage_mask(canvas, shape, threshold=0.5):
    w, h, s = canvas["w"], canvas["h"], canvas["scale"]
    n = SUPERSAMPLE
    need = threshold * n * n - 1e-9
    offsets = [(k + 0.5) / n for k in range(n)]
    mask = set()
    for py in range(h):
        for px in range(w):
            hits = 0
            for oy in offsets:
                y = (py + oy) / s
                for ox in offsets:
                    if shape((px + ox) / s, y):
                        hits += 1
            if hits >= need:
                mask.add((px, py))
    return mask


def _neighbours4(p):
    x, y = p
    return ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))


def paint(canvas, shape, colours, style="shaded", light="diagonal", outline=True,
          clip=None, threshold=0.5):
    """Draws one layer. `colours` is a ramp, or a single (r, g, b) for the
    'solid' style; 'flat' draws the outline and one tone, 'shaded' adds tones
    that run with the light ('diagonal' from the top left, 'vertical' from
    the top) and a bevel. `clip` limits the layer to another shape; edges
    that only touch the clip border get no outline, so a clipped piece sits
    flush in its frame."""
    region = None
    if clip is not None:
        shape = inter(shape, clip)
        region = coverage_mask(canvas, clip, threshold)
    mask = coverage_mask(canvas, shape, threshold)
    if not mask:
        return mask
    px = canvas["px"]
    if style == "solid":
        for (x, y) in mask:
            px[y][x] = tuple(colours) + (255,)
        return mask
    boundary = set()
    if outline:
        for p in mask:
            for q in _neighbours4(p):
                if q not in mask and (region is None or q in region):
                    boundary.add(p)
                    break
    xs = [p[0] for p in mask]
    ys = [p[1] for p in mask]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    tones = colours["tones"]
    for p in mask:
        x, y = p
        if p in boundary:
            colour = colours["outline"]
        else:
            if style == "flat":
                t = 0.5
            elif light == "vertical":
                t = (y - y0) / float(y1 - y0 + 1)
            else:
                t = ((x - x0) / float(x1 - x0 + 1) + (y - y0) / float(y1 - y0 + 1)) / 2.0
            colour = tones[min(len(tones) - 1, int(t * len(tones)))]
            if style == "shaded" and outline:
                up, left = (x, y - 1), (x - 1, y)
                down, right = (x, y + 1), (x + 1, y)
                if up in boundary or left in boundary:
                    colour = colours["hi"]
                elif down in boundary or right in boundary:
                    colour = colours["lo"]
        px[y][x] = tuple(colour) + (255,)
    return mask


def pixel_rect(canvas, x0, y0, x1, y1):
    """A rectangle given in whole pixels of this canvas."""
    s = canvas["scale"]
    return rect(x0 / s, y0 / s, x1 / s, y1 / s)


def put(canvas, x, y, colour):
    """Sets one pixel, in pixel coordinates; ignores points off the canvas."""
    if 0 <= x < canvas["w"] and 0 <= y < canvas["h"]:
        canvas["px"][y][x] = tuple(colour) + (255,)


def add_soft_shadow(canvas, dx=1, dy=1, strength=0.30, radius=1):
    """Adds a blurred, translucent shadow under the opaque pixels (used only
    for 32-bit icons, where alpha blending is available)."""
    w, h = canvas["w"], canvas["h"]
    px = canvas["px"]
    solid = [[1.0 if px[y][x] is not None and px[y][x][3] == 255 else 0.0
              for x in range(w)] for y in range(h)]
    blurred = [[0.0] * w for _ in range(h)]
    count = (2 * radius + 1) ** 2
    for y in range(h):
        for x in range(w):
            total = 0.0
            for j in range(-radius, radius + 1):
                for i in range(-radius, radius + 1):
                    sx, sy = x - dx + i, y - dy + j
                    if 0 <= sx < w and 0 <= sy < h:
                        total += solid[sy][sx]
            blurred[y][x] = total / count
    for y in range(h):
        for x in range(w):
            if px[y][x] is None and blurred[y][x] > 0.0:
                alpha = int(round(255 * strength * blurred[y][x]))
                if alpha > 0:
                    px[y][x] = (0, 0, 0, alpha)


def canvas_rgba(canvas):
    return [[p if p is not None else (0, 0, 0, 0) for p in row] for row in canvas["px"]]


# ---------------------------------------------------------------------------
# Colour reduction.

# The sixteen colours every display can show.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def _distance(a, b):
    # Weighted for the eye's greater sensitivity to green.
    return 3 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 2 * (a[2] - b[2]) ** 2


GRAYS16 = {(0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255)}


def nearest16(colour):
    """Nearest of the sixteen colours; a clearly coloured source never turns
    gray, so gold stays yellow and sky stays blue at that depth."""
    r, g, b = colour
    candidates = VGA16
    if max(colour) - min(colour) >= 48:
        candidates = [p for p in VGA16 if p not in GRAYS16]
    return VGA16.index(candidates[nearest(colour, candidates)])


def nearest(colour, palette):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = _distance(colour, p)
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def build_palette(colours, limit, reserved=()):
    """Up to `limit` entries: the reserved colours first, then the image's own
    colours; when there are too many, they are merged by dropping low bits."""
    unique = sorted(set(colours) - set(reserved))
    room = limit - len(reserved)
    bits = 0
    reduced = unique
    while len(reduced) > room:
        bits += 1
        mask = 0xFF & ~((1 << bits) - 1)
        reduced = sorted(set((r & mask, g & mask, b & mask) for (r, g, b) in unique))
    return list(reserved) + reduced


# ---------------------------------------------------------------------------
# File writers.


def _row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def _pack_indices(indices, bpp):
    out = bytearray()
    if bpp == 8:
        out.extend(indices)
    elif bpp == 4:
        for i in range(0, len(indices), 2):
            hi = indices[i]
            lo = indices[i + 1] if i + 1 < len(indices) else 0
            out.append((hi << 4) | lo)
    elif bpp == 1:
        for i in range(0, len(indices), 8):
            byte = 0
            for k in range(8):
                if i + k < len(indices) and indices[i + k]:
                    byte |= 0x80 >> k
            out.append(byte)
    return out


def _pad(data, length):
    return bytes(data) + b"\0" * (length - len(data))


def icon_image(rgba, bpp):
    """One image of an icon file: header, palette, colour rows, AND mask.
    Returns (bytes, colour count for the directory entry)."""
    size = len(rgba)
    width = len(rgba[0])
    and_stride = _row_bytes(width)
    and_rows = []
    for row in reversed(rgba):
        # Faint shadow pixels count as transparent for systems without alpha.
        and_rows.append(_pad(_pack_indices([1 if p[3] < 128 else 0 for p in row], 1), and_stride))
    palette_bytes = b""
    colour_count = 0
    if bpp == 32:
        xor_rows = []
        for row in reversed(rgba):
            line = bytearray()
            for (r, g, b, a) in row:
                if a == 0:
                    line.extend((0, 0, 0, 0))
                else:
                    line.extend((b, g, r, a))
            xor_rows.append(bytes(line))
    else:
        opaque = [(p[0], p[1], p[2]) for row in rgba for p in row if p[3] == 255]
        if bpp == 4:
            palette = list(VGA16)
            colour_count = 16
        else:
            palette = build_palette(opaque, 256, reserved=[(0, 0, 0)])
            palette += [(0, 0, 0)] * (256 - len(palette))
        cache = {}
        xor_stride = _row_bytes(width * bpp)
        rows = []
        for row in rgba:
            indices = []
            for p in row:
                if p[3] != 255:
                    indices.append(0)  # black under a transparent mask bit
                    continue
                c = (p[0], p[1], p[2])
                if c not in cache:
                    cache[c] = nearest16(c) if bpp == 4 else nearest(c, palette)
                indices.append(cache[c])
            rows.append(_pad(_pack_indices(indices, bpp), xor_stride))
        xor_rows = list(reversed(rows))
        palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    xor = b"".join(xor_rows)
    mask = b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, size * 2, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + palette_bytes + xor + mask, colour_count


def write_ico(path, images):
    """`images`: list of (rgba rows, bits per pixel), in directory order."""
    entries = []
    blobs = []
    offset = 6 + 16 * len(images)
    for rgba, bpp in images:
        blob, colours = icon_image(rgba, bpp)
        w, h = len(rgba[0]), len(rgba)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, 1, bpp,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for e in entries:
            f.write(e)
        for b in blobs:
            f.write(b)


def write_bmp8(path, rgb_rows, palette):
    """An 8-bit bottom-up bitmap; every pixel must be a palette colour."""
    height = len(rgb_rows)
    width = len(rgb_rows[0])
    index = {c: i for i, c in enumerate(palette)}
    stride = _row_bytes(width * 8)
    rows = []
    for row in reversed(rgb_rows):
        rows.append(_pad(bytes(index[c] for c in row), stride))
    pixels = b"".join(rows)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(pal)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(info)
        f.write(pal)
        f.write(pixels)
