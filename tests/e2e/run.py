#!/usr/bin/env python3
"""Runs one end-to-end case, or prepares or removes what all cases share.

  run.py [paths] setup           boots the template prefix and writes the core's default file
  run.py [paths] case NAME       runs one case in its own display and prefix
  run.py [paths] cleanup         removes the template prefix
  run.py list                    names every case, one a line, for CTest to register
"""

import argparse
import json
import shutil
import signal
import subprocess
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from cases import CASES  # noqa: E402
import fault_cases  # noqa: E402,F401  (registers its cases in CASES)
import window_cases  # noqa: E402,F401  (registers its cases in CASES)
from harness import Session, TestFailure, boot_template, wine_environment  # noqa: E402


class Context:
    """What a case gets besides its session: the reference data file and a place for numbers."""

    def __init__(self, work, name, fault_program):
        self.reference = (work / "defaults.txt").read_bytes()
        self.fault_program = fault_program
        self.metrics_file = work / name / "metrics.json"
        self.metrics = {}

    def metric(self, key, value):
        self.metrics[key] = value
        print(f"{key}: {value}")


def setup(args):
    template = args.work / "template"
    boot_template(template)
    # The core's own defaults file, written in the booted prefix by the core's code.
    reference = args.work / "defaults.txt"
    reference.unlink(missing_ok=True)
    env = wine_environment(template)
    try:
        subprocess.run(["wine", str(args.defaults_tool), "defaults.txt"], cwd=args.work, env=env,
                       check=True, timeout=60, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, timeout=30, stderr=subprocess.DEVNULL)
    if not reference.is_file():
        sys.exit("the core wrote no defaults file")


def run_case(args):
    function = CASES[args.name]
    started = time.monotonic()
    context = Context(args.work, args.name, args.fault_program)
    try:
        with Session(args.name, args.exe, args.driver, args.work / "template", args.work,
                     args.shots, **getattr(function, "session", {})) as session:
            function(session, context)
    except TestFailure as failure:
        print(f"FAILED {args.name}: {failure}")
        traceback.print_exc()
        return 1
    finally:
        context.metrics["duration_s"] = round(time.monotonic() - started, 2)
        context.metrics_file.parent.mkdir(parents=True, exist_ok=True)
        context.metrics_file.write_text(json.dumps(context.metrics, ensure_ascii=False, indent=1))
    print(f"passed {args.name} in {context.metrics['duration_s']} s")
    return 0


def main():
    # A timed-out test is terminated: end the display and Wine like any other failure.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", type=Path, help="kiv.exe")
    parser.add_argument("--driver", type=Path, help="kivdrive.exe")
    parser.add_argument("--defaults-tool", type=Path, help="the program writing the defaults")
    parser.add_argument("--fault-program", type=Path,
                        help="a program on the same framework that fails unexpectedly")
    parser.add_argument("--work", type=Path, help="folder for prefixes and files")
    parser.add_argument("--shots", type=Path, help="folder for the screenshots")
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("setup")
    commands.add_parser("cleanup")
    commands.add_parser("list")
    one = commands.add_parser("case")
    one.add_argument("name", choices=sorted(CASES))
    args = parser.parse_args()
    if args.command == "list":
        print("\n".join(CASES))
        return
    if args.work is None:
        parser.error("--work is needed")
    args.work = args.work.resolve()
    args.work.mkdir(parents=True, exist_ok=True)

    if args.command == "setup":
        setup(args)
    elif args.command == "cleanup":
        shutil.rmtree(args.work / "template", ignore_errors=True)
    else:
        sys.exit(run_case(args))


if __name__ == "__main__":
    main()
