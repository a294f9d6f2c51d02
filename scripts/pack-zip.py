#!/usr/bin/env python3
"""Packs files into a zip whose bytes depend only on the files' names and contents.

usage: pack-zip.py ZIP FOLDER FILE...

The entries go under FOLDER/, in the order given, each with the time of SOURCE_DATE_EPOCH and
the same attributes (a folder 755, a file 644), compressed at level 9.
"""

import os
import sys
import time
import zipfile

# Zip times are local times from 1980 on, with no zone: the epoch's UTC time, 1980 at the least.
FIRST_ZIP_TIME = 315532800


def entry(name, epoch, folder=False):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(max(epoch, FIRST_ZIP_TIME))[:6])
    info.create_system = 3  # Unix, whatever machine packs it, so the modes below are read as such
    mode = 0o40755 if folder else 0o100644
    info.external_attr = (mode << 16) | (0x10 if folder else 0)  # 0x10: the MS-DOS folder bit
    info.compress_type = zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED
    return info


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    target, folder, files = argv[0], argv[1], argv[2:]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        archive.writestr(entry(folder + "/", epoch, folder=True), b"")
        for path in files:
            with open(path, "rb") as source:
                data = source.read()
            name = f"{folder}/{os.path.basename(path)}"
            archive.writestr(entry(name, epoch), data, compresslevel=9)
    os.replace(partial, target)


if __name__ == "__main__":
    main(sys.argv[1:])
