#!/usr/bin/env python3
"""Makes the README's pictures from the end-to-end screenshots: the main window with its result
box, and the list. Both come from the placement-96 case (1920x1080, 96 DPI), which records where
the windows were; the case is run first when its screenshots are missing.

  python3 scripts/readme-shots.py [--run]     --run: run the case again even if shots exist
"""

import argparse
import json
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build/windows"
SHOTS = BUILD / "e2e-shots"
METRICS = BUILD / "e2e-work/placement-96/metrics.json"
DOCS = ROOT / "docs"

# (picture, screenshot, the windows it shows)
PICTURES = [
    ("main-window.png", "placement-96-result.png", ["main", "result_box_below"]),
    ("list.png", "placement-96-list.png", ["list"]),
]


def run_case():
    subprocess.run(["cmake", "--preset", "windows"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "windows"], cwd=ROOT, check=True)
    subprocess.run(["ctest", "--preset", "windows", "-L", "e2e", "-R",
                    "e2e_(setup|cleanup|placement-96)$"], cwd=ROOT, check=True)


def union(rects):
    return [min(r[0] for r in rects), min(r[1] for r in rects),
            max(r[2] for r in rects), max(r[3] for r in rects)]


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--run", action="store_true", help="run the end-to-end case first")
    args = parser.parse_args()
    if args.run or not METRICS.is_file() or not all((SHOTS / s).is_file() for _, s, _ in PICTURES):
        run_case()
    metrics = json.loads(METRICS.read_text())
    DOCS.mkdir(exist_ok=True)
    for picture, shot, windows in PICTURES:
        rects = [metrics[w] for w in windows]
        left, top, right, bottom = union(rects)
        # The screen between the windows becomes transparent.
        mask = ["-size", f"{right - left}x{bottom - top}", "xc:black", "-fill", "white"]
        for r in rects:
            mask += ["-draw", f"rectangle {r[0] - left},{r[1] - top} "
                              f"{r[2] - left - 1},{r[3] - top - 1}"]
        # A few colours suffice for flat dialog pixels and keep each picture a few KB.
        subprocess.run(["convert", str(SHOTS / shot), "-crop",
                        f"{right - left}x{bottom - top}+{left}+{top}", "+repage", "(", *mask,
                        ")", "-alpha", "off", "-compose", "CopyOpacity", "-composite", "-dither",
                        "None", "-colors", "32", "-strip", f"png8:{DOCS / picture}"], check=True)
        print(f"{DOCS / picture}: {(DOCS / picture).stat().st_size} bytes")


if __name__ == "__main__":
    sys.exit(main())
