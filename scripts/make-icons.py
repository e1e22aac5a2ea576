#!/usr/bin/env python3
"""Draws Lumora's program icon, file-type icons and toolbar strips.

    python3 scripts/make-icons.py [output folder, default res/]

Writes icons/*.ico and toolbar/*.bmp under the output folder. The results are
committed, so a build never needs this script; run it again after changing a
picture. Every picture is drawn here from shapes (see pixelart.py); nothing is
taken from elsewhere.

Toolbar strips are 8-bit bitmaps whose background is light gray 192,192,192:
the toolbar code loads them with the system colours mapped, which turns that
gray into the button face colour, and the toolbar then masks the face colour
out. No other pixel may use a colour that either mapping replaces (the grays
128, 192 and 223, pure black and pure white), or the pictures would change
with the desktop colours.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pixelart import (add_soft_shadow, build_palette, canvas_rgba, new_canvas,  # noqa: E402
                      write_bmp8, write_ico)
import pictures  # noqa: E402

MAPPED = [(192, 192, 192), (128, 128, 128), (223, 223, 223), (0, 0, 0), (255, 255, 255)]
FACE = (192, 192, 192)

# Viewer toolbar, bitmaps 103 (24 px) and 109 (16 px). The indices the
# viewer's buttons use are fixed; 0, 1, 6, 15 and 17 serve the browser.
VIEWER_STRIP = [
    pictures.thumbnails,    # 0
    pictures.slide_show,    # 1
    pictures.open_folder,   # 2  Open
    pictures.save,          # 3  Save
    pictures.printer,       # 4  Print
    pictures.crop,          # 5  Crop
    pictures.copy,          # 6
    pictures.adjust_colors, # 7  Adjust Colors
    pictures.zoom_in,       # 8  Zoom In
    pictures.zoom_out,      # 9  Zoom Out
    pictures.best_fit,      # 10 Best Fit
    pictures.rotate_left,   # 11 Rotate Left
    pictures.rotate_right,  # 12 Rotate Right
    pictures.previous,      # 13 Previous, Previous Page
    pictures.next_,         # 14 Next, Next Page
    pictures.full_screen,   # 15
    pictures.browse,        # 16 Browse / Back to Viewer
    pictures.delete,        # 17
    pictures.actual_size,   # 18 Actual Size
]

# Browser toolbar, bitmaps 107 (24 px) and 108 (16 px), in button order; the
# index constants are IMG_BROWSER_* in res/resource.h.
BROWSER_STRIP = [
    pictures.up_one_level,  # 0
    pictures.new_folder,    # 1
    pictures.cut,           # 2
    pictures.copy,          # 3
    pictures.paste,         # 4
    pictures.undo,          # 5
    pictures.delete,        # 6
    pictures.properties,    # 7
    pictures.printer,       # 8
    pictures.rotate_left,   # 9
    pictures.rotate_right,  # 10
    pictures.thumbnails,    # 11
    pictures.large_icons,   # 12
    pictures.small_icons,   # 13
    pictures.list_view,     # 14
    pictures.details,       # 15
    pictures.back_to_viewer,  # 16
]

# Icon groups in resource order: the program icon, then the file types.
TYPE_ICONS = [
    ("type-bmp", 110), ("type-jpeg", 111), ("type-png", 112), ("type-gif", 113),
    ("type-tiff", 114), ("type-other", 115), ("type-targa", 116), ("type-psd", 117),
    ("type-pic", 118), ("type-pnm", 119), ("type-pcx", 120), ("type-dcx", 121),
    ("type-iff", 122), ("type-wmf", 123), ("type-pcd", 124), ("type-webp", 125),
]


def render(draw, size):
    canvas = new_canvas(size, size, size / 16.0)
    draw(canvas)
    return canvas


def render_strip(draws, size):
    """Returns the strip's RGB rows and its palette (the face gray first)."""
    cells = [canvas_rgba(render(d, size)) for d in draws]
    rows = []
    for y in range(size):
        row = []
        for cell in cells:
            for p in cell[y]:
                row.append((p[0], p[1], p[2]) if p[3] == 255 else FACE)
        rows.append(row)
    # Art colours never land on a mapped colour: nudge them one step.
    fixed = []
    for row in rows:
        out = []
        for c in row:
            if c is not FACE and c in MAPPED:
                c = (c[0] + 1, c[1] + 1, c[2] + 1) if c[0] < 255 else (254, 254, 254)
            out.append(c)
        fixed.append(out)
    rows = fixed
    art = [c for row in rows for c in row if c is not FACE]
    palette = build_palette(art, 256, reserved=[FACE])
    assert all(p not in MAPPED for p in palette[1:]), "art colour on a mapped colour"
    lookup = {}
    out_rows = []
    for row in rows:
        out = []
        for c in row:
            if c is FACE:
                out.append(FACE)
                continue
            if c not in lookup:
                if c in palette[1:]:
                    lookup[c] = c
                else:
                    best = min(palette[1:], key=lambda p: sum((a - b) ** 2 for a, b in zip(p, c)))
                    lookup[c] = best
            out.append(lookup[c])
        out_rows.append(out)
    return out_rows, palette


def icon_images(draw_for_size, sizes, depths):
    """Every size in every depth; 32-bit images get a soft drop shadow."""
    images = []
    for bpp in depths:
        for size in sizes:
            canvas = draw_for_size(size)
            if bpp == 32 and size >= 32:
                add_soft_shadow(canvas, dx=1, dy=1, strength=0.35, radius=1)
            images.append((canvas_rgba(canvas), bpp))
    return images


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "res")
    os.makedirs(os.path.join(out, "icons"), exist_ok=True)
    os.makedirs(os.path.join(out, "toolbar"), exist_ok=True)

    for name, draws, size in (("viewer-24.bmp", VIEWER_STRIP, 24),
                              ("viewer-16.bmp", VIEWER_STRIP, 16),
                              ("browser-24.bmp", BROWSER_STRIP, 24),
                              ("browser-16.bmp", BROWSER_STRIP, 16)):
        rows, palette = render_strip(draws, size)
        write_bmp8(os.path.join(out, "toolbar", name), rows, palette)
        print("toolbar/%s: %d x %d, %d colours" % (name, len(rows[0]), len(rows), len(palette)))

    write_ico(os.path.join(out, "icons", "lumora.ico"),
              icon_images(pictures.program_icon, (16, 32, 48), (32, 8, 4)))
    print("icons/lumora.ico")
    for name, _ in TYPE_ICONS:
        kind = name[len("type-"):]
        write_ico(os.path.join(out, "icons", name + ".ico"),
                  icon_images(lambda s, k=kind: pictures.type_icon(k, s), (16, 32), (32, 8, 4)))
        print("icons/%s.ico" % name)


if __name__ == "__main__":
    main()
