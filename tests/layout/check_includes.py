#!/usr/bin/env python3
"""Checks that includes run one way: each library's folder includes only the folders below it.

usage: check_includes.py SOURCE_DIR
Every #include "folder/..." of a product source is checked against the folders its own folder
may use. Tests, benchmarks and fuzz targets may include anything.
"""

import re
import sys
from pathlib import Path

# Each folder, and what it may include besides itself.
BELOW = {
    "platform/runtime": set(),
    "platform/os": {"platform/runtime"},
    "score": {"platform/os", "platform/runtime"},
    "measure": {"score", "platform/os", "platform/runtime"},
    "platform/window": {"platform/os", "platform/runtime"},
    "resources": set(),
    "ui": {"platform/window", "resources", "score", "platform/os", "platform/runtime"},
    "cli": {"measure", "score", "platform/os", "platform/runtime"},
    "app": {"ui", "platform/window", "resources", "measure", "score", "platform/os",
            "platform/runtime"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path):
    """The library folder a path (relative to the source dir) lies in, or None."""
    text = path.as_posix()
    return next((f for f in BELOW if text == f or text.startswith(f + "/")), None)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = Path(argv[1])
    wrong = []
    for source in sorted(root.glob("**/*")):
        if source.suffix not in (".h", ".cpp", ".in") or "build" in source.parts:
            continue
        own = folder_of(source.relative_to(root))
        if own is None:
            continue
        for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
            target = folder_of(Path(included))
            if target and target != own and target not in BELOW[own]:
                wrong.append(f"{source.relative_to(root)}: includes {included}")
    print("\n".join(wrong) if wrong else f"includes run one way in {len(BELOW)} libraries")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
