#!/usr/bin/env python3
"""Draws korvprint's icon, a printer, and writes it as res/korvprint.ico.

Each size (16, 32 and 48 pixels) is rasterised from the same shapes, laid out on a
48-unit grid, with every pixel taking the colour of the last shape that covers its
centre: crisp edges, no blending, so the small sizes stay readable. Standard library only:

    python3 res/make_icon.py            # rewrites res/korvprint.ico
"""
import os
import struct
import sys

SIZES = (16, 32, 48)

# Colours as (red, green, blue, alpha).
CLEAR = (0, 0, 0, 0)
OUTLINE = (0x22, 0x2B, 0x36, 0xFF)
BODY = (0x4A, 0x5D, 0x73, 0xFF)
BODY_TOP = (0x6E, 0x84, 0x9C, 0xFF)
SLOT = (0x15, 0x1B, 0x22, 0xFF)
PAPER = (0xFF, 0xFF, 0xFF, 0xFF)
PAPER_EDGE = (0x9A, 0xA5, 0xB1, 0xFF)
INK = (0x1F, 0x5F, 0xBF, 0xFF)
LAMP = (0x2E, 0xCC, 0x40, 0xFF)

# (left, top, right, bottom) on the 48-unit grid, colour; later shapes cover earlier ones.
SHAPES = [
    ((11, 2, 37, 20), PAPER_EDGE),  # sheet waiting at the back
    ((13, 4, 35, 20), PAPER),
    ((1, 16, 47, 39), OUTLINE),  # the printer
    ((4, 19, 44, 37), BODY),
    ((4, 19, 44, 24), BODY_TOP),
    ((9, 28, 39, 31), SLOT),  # where the page comes out
    ((36, 21, 41, 25), LAMP),
    ((10, 29, 38, 46), PAPER_EDGE),  # the printed page
    ((11, 30, 37, 45), PAPER),
    ((14, 34, 34, 36), INK),  # lines of text on it
    ((14, 38, 30, 40), INK),
    ((14, 42, 32, 44), INK),
]


def draw(size):
    """Rows of RGBA pixels, top row first."""
    scale = 48.0 / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            cx, cy = (x + 0.5) * scale, (y + 0.5) * scale
            colour = CLEAR
            for (left, top, right, bottom), fill in SHAPES:
                if left <= cx < right and top <= cy < bottom:
                    colour = fill
            row.append(colour)
        rows.append(row)
    return rows


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA bottom-up, then the AND mask."""
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico(sizes=SIZES):
    images = [icon_image(draw(size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "korvprint.ico")
    if len(sys.argv) > 1:
        target = sys.argv[1]
    with open(target, "wb") as f:
        f.write(ico())


if __name__ == "__main__":
    main()
