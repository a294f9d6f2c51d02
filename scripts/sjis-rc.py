#!/usr/bin/env python3
"""Writes a resource script kept as UTF-8 out in Shift-JIS (code page 932) for windres -c 932.

windres reads the script byte by byte, so a double-byte character whose second byte is 0x5C
(a backslash; e.g. 表, ソ, 予, 能, 十) would start an escape, or swallow a closing quote. Such
characters are written as two octal escapes, which windres puts back together as the same
character. Usage: sjis-rc.py in.rc out.rc
"""
import sys


def encode(text):
    out = bytearray()
    for ch in text:
        data = ch.encode("cp932")
        if len(data) == 2 and data[1] == 0x5C:
            out += b"\\%03o\\%03o" % (data[0], data[1])
        else:
            out += data
    return bytes(out)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: sjis-rc.py in.rc out.rc")
    with open(sys.argv[1], encoding="utf-8") as f:
        text = f.read()
    with open(sys.argv[2], "wb") as f:
        f.write(encode(text))


if __name__ == "__main__":
    main()
