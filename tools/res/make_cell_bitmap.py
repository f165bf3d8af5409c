#!/usr/bin/env python3
"""Writes res/cell_bitmap.bmp: the 32 x 16, 4-bit bitmap every on-screen pixel
of the font view is copied from. Columns 0-15 are colour 0 (black) and
columns 16-31 colour 15 (white) of the standard 16-colour palette."""
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
WIDTH, HEIGHT = 32, 16


def main(path):
    row = bytes([0x00] * 8 + [0xFF] * 8)  # two 4-bit pixels a byte
    pixels = row * HEIGHT
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 3780, 3780, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + palette + pixels)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/cell_bitmap.bmp")
