#!/usr/bin/env python3
"""Writes res/app_icon.ico: the program's 32 x 32, 256-colour window icon.

The picture is a dark square with rounded corners and a faint 4-pixel grid,
carrying a blocky white letter "G" drawn on that grid (three screen pixels per
letter pixel) and one amber cell, like a pixel being set by the pen. The icon
holds one 8-bit paletted image with an AND mask that makes the corners
transparent."""
import struct
import sys

SIZE = 32

# Palette indices used; the other entries of the 256-colour palette are black.
TRANSPARENT, BACKGROUND, GRID, INK, ACCENT = 0, 1, 2, 3, 4
COLOURS = {
    TRANSPARENT: (0, 0, 0),
    BACKGROUND: (30, 38, 56),
    GRID: (52, 64, 90),
    INK: (255, 255, 255),
    ACCENT: (245, 176, 38),
}

# The letter, 7 x 8 cells, "#" is ink.
LETTER = [
    ".#####.",
    "##...##",
    "##.....",
    "##.....",
    "##..###",
    "##...##",
    "##...##",
    ".#####.",
]
SCALE = 3
LETTER_LEFT, LETTER_TOP = 5, 4
ACCENT_CELL = (23, 25)  # top-left pixel of the amber 3 x 3 cell


def corner_cut(x, y):
    """True for the pixels cut away to round the square's corners."""
    cx = min(x, SIZE - 1 - x)
    cy = min(y, SIZE - 1 - y)
    return cx + cy < 3


def pixel(x, y):
    if corner_cut(x, y):
        return TRANSPARENT
    lx, ly = (x - LETTER_LEFT) // SCALE, (y - LETTER_TOP) // SCALE
    if x >= LETTER_LEFT and y >= LETTER_TOP and ly < len(LETTER) and lx < len(LETTER[0]):
        if LETTER[ly][lx] == "#":
            return INK
    ax, ay = ACCENT_CELL
    if ax <= x < ax + SCALE and ay <= y < ay + SCALE:
        return ACCENT
    if x % 4 == 1 or y % 4 == 0:
        return GRID
    return BACKGROUND


def main(path):
    palette = b"".join(
        struct.pack("<BBBB", *reversed(COLOURS.get(i, (0, 0, 0))), 0) for i in range(256))
    # Rows are stored bottom-up; 32 one-byte pixels make a row already 4-aligned.
    colour_rows = b"".join(bytes(pixel(x, y) for x in range(SIZE)) for y in reversed(range(SIZE)))
    mask_rows = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if corner_cut(x, y) else 0)
        mask_rows += struct.pack(">I", bits)  # 32 bits, most significant pixel first
    # The stored height is doubled: the colour image followed by the mask.
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                       len(colour_rows) + len(mask_rows), 0, 0, 256, 0)
    image = info + palette + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/app_icon.ico")
