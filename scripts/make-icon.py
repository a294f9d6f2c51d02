#!/usr/bin/env python3
"""Writes a 32x32, 16-colour .ico from a text picture.

The picture has 32 rows of 32 characters; lines starting with '#' are comments. Each character
is one pixel: '.' is transparent, the others name a colour of the standard 16-colour palette
(see PALETTE). Usage: make-icon.py picture.txt out.ico
"""
import struct
import sys

SIZE = 32

# Character -> (palette index, RGB) of the standard 16-colour palette.
PALETTE = {
    "K": (0, (0x00, 0x00, 0x00)),  # black
    "r": (1, (0x80, 0x00, 0x00)),  # dark red
    "g": (2, (0x00, 0x80, 0x00)),  # dark green
    "y": (3, (0x80, 0x80, 0x00)),  # olive
    "b": (4, (0x00, 0x00, 0x80)),  # navy
    "m": (5, (0x80, 0x00, 0x80)),  # purple
    "c": (6, (0x00, 0x80, 0x80)),  # teal
    "s": (7, (0xC0, 0xC0, 0xC0)),  # silver
    "k": (8, (0x80, 0x80, 0x80)),  # grey
    "R": (9, (0xFF, 0x00, 0x00)),  # red
    "G": (10, (0x00, 0xFF, 0x00)),  # green
    "Y": (11, (0xFF, 0xFF, 0x00)),  # yellow
    "B": (12, (0x00, 0x00, 0xFF)),  # blue
    "M": (13, (0xFF, 0x00, 0xFF)),  # magenta
    "C": (14, (0x00, 0xFF, 0xFF)),  # cyan
    "W": (15, (0xFF, 0xFF, 0xFF)),  # white
}
TRANSPARENT = "."


def read_picture(path):
    with open(path, encoding="ascii") as f:
        rows = [line.rstrip("\n") for line in f if not line.startswith("#")]
    rows = [row for row in rows if row]
    if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
        sys.exit(f"{path}: need {SIZE} rows of {SIZE} characters")
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != TRANSPARENT and ch not in PALETTE:
                sys.exit(f"{path}:{y + 1}:{x + 1}: unknown colour {ch!r}")
    return rows


def icon_bytes(rows):
    palette = bytearray(16 * 4)
    for index, (r, g, b) in PALETTE.values():
        palette[index * 4 : index * 4 + 4] = bytes((b, g, r, 0))
    colour = bytearray()
    mask = bytearray()
    # Bitmaps are stored bottom-up; 4 bits per pixel, and a 1-bit mask where 1 is transparent.
    for row in reversed(rows):
        for x in range(0, SIZE, 2):
            hi, lo = (PALETTE.get(ch, (0, None))[0] for ch in row[x : x + 2])
            colour.append(hi << 4 | lo)
        bits = 0
        for ch in row:
            bits = bits << 1 | (ch == TRANSPARENT)
        mask += bits.to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 16, 0)
    image = header + palette + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-icon.py picture.txt out.ico")
    data = icon_bytes(read_picture(sys.argv[1]))
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
