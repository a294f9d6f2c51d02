#!/usr/bin/env python3
"""Writes an .ico: a 32x32, 16-colour image from a text picture, and the same design drawn from
its shapes at each size Windows asks for, as 32-bit PNG images with alpha.

The picture has 32 rows of 32 characters; lines starting with '#' are comments. Each character
is one pixel: '.' is transparent, the others name a colour of the standard 16-colour palette
(see PALETTE). The shapes are described in icon_shapes.py.

The .ico files are kept in the repository, so that the build needs no drawing; after changing a
source, remake them with no arguments (resources/icons/*.txt and *.shapes -> *.ico), or one with
make-icon.py picture.txt shapes.txt out.ico
"""
import os
import struct
import sys
import zlib

import icon_shapes

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
    return header + palette + colour + mask


# What Windows asks for at 100-200% (small and large icons) and Explorer's larger views.
DRAWN_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def png_bytes(pixels, size):
    """A PNG of 8-bit RGBA, the only kind Windows takes inside an icon, packed as small as the
    row filters and zlib's best level allow."""
    rows = [bytes(c for pixel in pixels[y * size:(y + 1) * size] for c in pixel)
            for y in range(size)]
    best = None
    for kind in range(5):
        data = bytearray()
        above = bytes(size * 4)
        for row in rows:
            data.append(kind)
            data += _filter(kind, row, above)
            above = row
        packed = zlib.compress(bytes(data), 9)
        if best is None or len(packed) < len(best):
            best = packed

    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body
                + struct.pack(">I", zlib.crc32(tag + body)))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", best)
            + chunk(b"IEND", b""))


def _filter(kind, row, above):
    out = bytearray(len(row))
    for i, x in enumerate(row):
        a = row[i - 4] if i >= 4 else 0
        b = above[i]
        c = above[i - 4] if i >= 4 else 0
        if kind == 0:
            predicted = 0
        elif kind == 1:
            predicted = a
        elif kind == 2:
            predicted = b
        elif kind == 3:
            predicted = (a + b) // 2
        else:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            predicted = a if pa <= pb and pa <= pc else b if pb <= pc else c
        out[i] = (x - predicted) & 0xFF
    return out


def ico_bytes(rows, design):
    # (width, colours, bits per pixel, image); a width of 256 is written as 0.
    images = [(SIZE, 16, 4, icon_bytes(rows))]
    images += [(size, 0, 32, png_bytes(design.draw(size), size)) for size in DRAWN_SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, image in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(image),
                           offset)
        offset += len(image)
    return out + b"".join(image for _, _, _, image in images)


def make(picture, shapes, out):
    data = ico_bytes(read_picture(picture), icon_shapes.Design(shapes))
    with open(out, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) == 1:
        icons = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")
        for name in ("kiv", "about"):
            base = os.path.join(icons, name)
            make(base + ".txt", base + ".shapes", base + ".ico")
        return
    if len(sys.argv) != 4:
        sys.exit("usage: make-icon.py [picture.txt shapes.txt out.ico]")
    make(*sys.argv[1:])


if __name__ == "__main__":
    main()
