#!/usr/bin/env python3
"""Writes the spin buttons' arrow glyphs JyrSpinUp.bmp and JyrSpinDown.bmp next to this script.

Each is a 9 x 6 pixel, 16-colour bitmap: a black triangle of 7, 5, 3 and 1 pixels on an olive
background (red 128, green 128, blue 0), which the speed button draws transparent (its key colour
is the bottom-left pixel). Run it again after changing the drawing; the bitmaps are kept in the
tree so that the build needs no interpreter.
"""
import os
import struct

WIDTH, HEIGHT = 9, 6
OLIVE, BLACK = 1, 0          # palette indexes
PALETTE = [(0, 0, 0), (128, 128, 0)] + [(0, 0, 0)] * 14   # (r, g, b)


def triangle(pointing_up):
    """Rows top to bottom: the background row, four rows of 1, 3, 5, 7 (or 7, 5, 3, 1) pixels,
    the background row."""
    widths = [1, 3, 5, 7] if pointing_up else [7, 5, 3, 1]
    rows = [[OLIVE] * WIDTH]
    for w in widths:
        left = (WIDTH - w) // 2
        rows.append([BLACK if left <= x < left + w else OLIVE for x in range(WIDTH)])
    rows.append([OLIVE] * WIDTH)
    return rows


def bmp_bytes(rows):
    stride = ((WIDTH * 4 + 31) // 32) * 4
    pixels = b""
    for row in reversed(rows):            # bottom-up
        packed = bytearray(stride)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += bytes(packed)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, up in (("JyrSpinUp.bmp", True), ("JyrSpinDown.bmp", False)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(bmp_bytes(triangle(up)))


if __name__ == "__main__":
    main()
