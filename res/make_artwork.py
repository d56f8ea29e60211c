#!/usr/bin/env python3
"""Draws the program's artwork: the question-mark speech bubble.

Writes question.bmp (the window's picture: 32 x 32, 24 bits, bottom-up, no
colour table, on the background ECE9D8 that the window treats as transparent)
and mainicon.ico (the application icon: 16 x 16 and 32 x 32, 32 bits with
alpha). Run it from anywhere; it writes beside itself. Plain Python, no
imaging library, so anyone can re-make the files.
"""
import math
import os
import struct

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


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return directory + entries + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "question.bmp"), "wb") as f:
        f.write(bitmap_file(draw(32)))
    with open(os.path.join(here, "mainicon.ico"), "wb") as f:
        f.write(icon_file([(size, icon_image(draw(size))) for size in (16, 32)]))


if __name__ == "__main__":
    main()
