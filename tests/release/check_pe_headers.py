#!/usr/bin/env python3
"""Checks what the PE headers of the built programs declare, and which DLLs they import.

usage: check_pe_headers.py OBJDUMP (PROGRAM IMPORTS)...
IMPORTS is the comma-separated list of DLL names the program must import, no more, no less.
Every program declares subsystem version 6.0 and DllCharacteristics 0x8160: terminal-server
aware (0x8000), DEP (0x100), ASLR (0x40) with a 64-bit address space (0x20).
"""

import re
import subprocess
import sys

EXPECTED = {"MajorSubsystemVersion": "6", "MinorSubsystemVersion": "0",
            "DllCharacteristics": "00008160"}


def main(argv):
    if len(argv) < 4 or len(argv) % 2:
        print(__doc__, file=sys.stderr)
        return 2
    wrong = []
    for program, imports in zip(argv[2::2], argv[3::2]):
        text = subprocess.run([argv[1], "-p", program], capture_output=True, text=True,
                              check=True).stdout
        for field, value in EXPECTED.items():
            found = re.search(rf"^{field}\s+(\S+)", text, re.M)
            if not found or found.group(1) != value:
                wrong.append(f"{program}: {field} {found and found.group(1)}, not {value}")
        dlls = re.findall(r"DLL Name: (\S+)", text)
        if sorted(dlls) != sorted(imports.split(",")):
            wrong.append(f"{program}: imports {', '.join(dlls)}, not {imports}")
    print("\n".join(wrong) if wrong else f"{len(argv[2::2])} programs: headers and imports as meant")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
