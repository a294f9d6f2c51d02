#!/usr/bin/env python3
"""Compares kiv.exe's compiled resources with the listing kept beside this script.

usage: check_res.py WINDRES OBJECT LISTING [--write]
The compiled resource object is turned back into a .res file by windres, and every resource in
it is listed as type, name, size and SHA-256, one a line; the last line is the SHA-256 of the
whole object, which also covers the languages and the directory. Any byte that changes in a
dialog, string, icon, manifest or version shows as a changed line; --write keeps the new listing
after a deliberate change.
"""

import hashlib
import os
import struct
import subprocess
import sys
import tempfile


def name_or_id(data, at):
    """A .res header field: 0xFFFF then a 16-bit id, or a NUL-ended UTF-16 name."""
    if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
        return str(struct.unpack_from("<H", data, at + 2)[0]), at + 4
    end = at
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def listing(data):
    lines, at = [], 0
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, pos = name_or_id(data, at + 8)
        name, pos = name_or_id(data, pos)
        body = data[at + header:at + header + size]
        if size or kind != "0":  # the empty entry every .res file starts with
            digest = hashlib.sha256(body).hexdigest()
            lines.append(f"type {kind} name {name} size {size} {digest}")
        at = (at + header + size + 3) & ~3
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) not in (4, 5):
        print(__doc__, file=sys.stderr)
        return 2
    windres, compiled, kept = argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        res = os.path.join(folder, "kiv.res")
        subprocess.run([windres, "-J", "coff", "-O", "res", "-i", compiled, "-o", res], check=True)
        with open(res, "rb") as f:
            found = listing(f.read())
    with open(compiled, "rb") as f:
        found += f"object {hashlib.sha256(f.read()).hexdigest()}\n"
    if argv[4:] == ["--write"]:
        with open(kept, "w", encoding="ascii") as f:
            f.write(found)
        return 0
    with open(kept, encoding="ascii") as f:
        expected = f.read()
    if found == expected:
        print(found, end="")
        return 0
    print("the compiled resources differ from " + kept)
    print("expected:\n" + expected + "found:\n" + found)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
