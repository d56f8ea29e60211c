#!/usr/bin/env python3
"""Draws the program's artwork: the question-mark speech bubble.

Writes question.bmp (the window's picture: 32 x 32, 24 bits, bottom-up, no
colour table, on the background ECE9D8 that the window treats as transparent),
the same picture drawn at the sizes the window needs at higher resolutions
(question_40.bmp, question_48.bmp, question_64.bmp for 120, 144 and 192 pixels
per inch), and mainicon.ico (the application icon at the sizes Windows asks
for, 16 to 256 pixels, 32 bits with alpha; the images larger than 32 pixels
as PNG). Every size is drawn from the one drawing, never scaled from another
size. Run it from anywhere; it writes beside itself. Plain Python, no imaging
library, so anyone can re-make the files.
"""
import math
import os
import struct
import zlib

BACKGROUND = (0xEC, 0xE9, 0xD8)
BUBBLE = (170, 210, 246)      # light blue
EDGE = (74, 126, 200)         # the bubble's outline
MARK = (16, 46, 140)          # dark blue
SAMPLES = 6                   # per pixel and axis, for the anti-aliased edges


def inside_bubble(x, y):
    """A rounded bubble over the upper part, its tail at the lower middle."""
    cx, cy, rx, ry = 16.0, 13.0, 14.5, 11.5
    if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
        return True
    # the tail: a triangle from the bubble's underside down to a point
    top, tip = 21.0, 30.5
    if top <= y <= tip:
        half = 4.0 * (tip - y) / (tip - top)
        return abs(x - (cx - 1.0) + (y - top) * 0.35) <= half
    return False


def inside_mark(x, y):
    """The question mark: a hook, a stem and a dot."""
    cx, cy = 16.0, 10.0
    d = math.hypot(x - cx, y - cy)
    angle = math.degrees(math.atan2(cy - y, x - cx))   # 0 to the right, 90 up
    # the hook runs from lower right (-70 degrees) over the top to the left (-175)
    if 2.6 <= d <= 5.4 and (angle >= -70 or angle <= -175):
        return True
    if 14.5 <= x <= 17.5 and 13.0 <= y <= 17.5:
        return True
    return math.hypot(x - 16.0, y - 20.6) <= 1.9


def coverage(test, px, py, scale):
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) * scale
            y = (py + (sy + 0.5) / SAMPLES) * scale
            hits += test(x, y)
    return hits / (SAMPLES * SAMPLES)


def mix(a, b, t):
    return tuple(round(a[i] * (1 - t) + b[i] * t) for i in range(3))


def draw(size):
    """Rows top-down of (r, g, b, alpha) at the given size."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            shape = coverage(inside_bubble, px, py, scale)
            inner = coverage(lambda x, y: inside_bubble(x, y) and all(
                inside_bubble(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))), px, py, scale)
            mark = coverage(inside_mark, px, py, scale)
            colour = mix(mix(EDGE, BUBBLE, inner / shape if shape else 0), MARK, mark)
            row.append(colour + (shape,))
        rows.append(row)
    return rows


def bitmap_file(rows):
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):          # bottom-up
        for r, g, b, alpha in row:
            # the background must stay exact where nothing is drawn: the
            # window takes the bottom-left pixel as its transparent colour
            pixels += bytes(reversed(mix(BACKGROUND, (r, g, b), alpha))) if alpha else bytes(reversed(BACKGROUND))
        pixels += b"\0" * (-len(pixels) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def icon_image(rows):
    size = len(rows)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, alpha in row:
            colour += bytes((b, g, r, round(alpha * 255)))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def png_image(rows):
    """8 bits a channel, RGBA, straight alpha: an icon image stored as PNG."""
    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)                   # no filter
        for r, g, b, alpha in row:
            raw += bytes((r, g, b, round(alpha * 255)))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        side = size if size < 256 else 0    # the directory writes 256 as 0
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return directory + entries + data


PICTURE_SIZES = (32, 40, 48, 64)        # 96, 120, 144 and 192 pixels per inch
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    drawn = {size: draw(size) for size in sorted(set(PICTURE_SIZES + ICON_SIZES))}
    for size in PICTURE_SIZES:
        name = "question.bmp" if size == 32 else "question_%d.bmp" % size
        with open(os.path.join(here, name), "wb") as f:
            f.write(bitmap_file(drawn[size]))
    # Up to 32 pixels as bitmaps, which every Windows reads; the larger ones as
    # PNG, which Windows reads since Vista and which keeps the program a few
    # dozen KiB smaller (a 64-pixel bitmap image alone is 17 KiB).
    images = [(size, png_image(drawn[size]) if size > 32 else icon_image(drawn[size])) for size in ICON_SIZES]
    with open(os.path.join(here, "mainicon.ico"), "wb") as f:
        f.write(icon_file(images))


if __name__ == "__main__":
    main()
