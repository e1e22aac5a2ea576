#!/usr/bin/env python3
"""Writes a small placeable Windows metafile: an evening scene of filled
shapes, a line of text and an embedded bitmap, 1440 units to the inch.

    python3 scripts/make-wmf-sample.py samples/evening.wmf

No tool here writes metafiles, so the records are packed by hand."""
import struct
import sys


def record(function, *params):
    return struct.pack('<IH', 3 + len(params), function) + b''.join(struct.pack('<H', p & 0xFFFF) for p in params)


def colour(rgb):  # 0xRRGGBB as the two words of a COLORREF
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00), rgb & 0xFF


def filled(rgb, shape):
    """A solid brush in slot 1 for one shape, deleted afterwards."""
    return record(0x02FC, 0, *colour(rgb), 0) + record(0x012D, 1) + shape + record(0x01F0, 1)


def rectangle(l, t, r, b):
    return record(0x041B, b, r, t, l)


def ellipse(l, t, r, b):
    return record(0x0418, b, r, t, l)


def polygon(points):
    return record(0x0324, len(points), *[c for p in points for c in p])


def text(x, y, s, rgb, height):
    face = b'Arial\0'
    font = struct.pack('<hhhhhBBBBBBBB', -height, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0) + face
    words = struct.unpack('<%dH' % (len(font) // 2), font)
    s_bytes = s.encode('ascii') + (b'\0' if len(s) % 2 else b'')
    return (record(0x02FB, *words) + record(0x012D, 1) + record(0x0209, *colour(rgb)) + record(0x0102, 1) +
            record(0x0521, len(s), *struct.unpack('<%dH' % (len(s_bytes) // 2), s_bytes), y, x) + record(0x01F0, 1))


def checker(x, y, size):
    """An 8 x 8 chequered bitmap stretched over size x size units."""
    rows = b''
    for row in range(8):
        for col in range(8):
            rows += bytes((200, 60, 40) if (row + col) % 2 else (210, 230, 240))  # blue, green, red
    header = struct.pack('<IiiHHIIiiII', 40, 8, 8, 1, 24, 0, len(rows), 0, 0, 0, 0)
    words = struct.unpack('<%dH' % ((len(header) + len(rows)) // 2), header + rows)
    return record(0x0F43, 0x0020, 0x00CC, 0, 8, 8, 0, 0, size, size, y, x, *words)


def metafile(body, box, units_per_inch):
    body += record(0)
    head = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, *box, units_per_inch, 0)
    checksum = 0
    for (w,) in struct.iter_unpack('<H', head):
        checksum ^= w
    head += struct.pack('<H', checksum)
    longest = max(struct.unpack_from('<I', body, at)[0] for at in record_offsets(body))
    return head + struct.pack('<HHHIHIH', 1, 9, 0x300, 9 + len(body) // 2, 2, longest, 0) + body


def record_offsets(body):
    at = 0
    while at < len(body):
        yield at
        at += 2 * struct.unpack_from('<I', body, at)[0]


def scene():
    w, h = 4320, 2880
    # Shapes run past the box: with the null pen GDI leaves out their right and bottom edges.
    W, H = w + 30, h + 30
    body = record(0x02FA, 5, 0, 0, 0, 0) + record(0x012D, 0)  # the null pen, slot 0
    for band in range(8):  # the sky, darker upwards
        shade = 0x1B2A6B + band * 0x0C0A00
        body += filled(shade, rectangle(0, band * 240, W, band * 240 + 250))
    body += filled(0xFFD27A, ellipse(2700, 1050, 3300, 1650))
    body += filled(0x3D3054, polygon([(0, 1900), (600, 1400), (1300, 1800), (2100, 1250), (2900, 1850),
                                      (3700, 1450), (W, 1700), (W, H), (0, H)]))
    body += filled(0x232038, polygon([(0, 2200), (800, 1900), (1800, 2150), (2600, 1950), (3500, 2200),
                                      (W, 2000), (W, H), (0, H)]))
    body += filled(0x5A6FA8, rectangle(0, 2500, W, H))
    body += checker(300, 2550, 240)
    body += text(700, 2560, 'Lumora metafile', 0xF4F0E0, 200)
    return metafile(body, (0, 0, w, h), 1440)


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit('usage: make-wmf-sample.py OUTPUT.wmf')
    with open(sys.argv[1], 'wb') as f:
        f.write(scene())
