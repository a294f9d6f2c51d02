"""kivcli.exe with its output redirected, as a script or a shell's pipe runs it: the text in the
code page the shells read it in, the console's (UTF-8 after chcp 65001), or without a console the
ANSI one (932 here), a character that code page lacks as one '?'; JSON in UTF-8 with every
character, a series' too. The runs of one cmd go as a user would type them."""

import os
import pty
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

kivcli, wine_run = (str(Path(arg).resolve()) for arg in sys.argv[1:3])
label = "表示 Zoë 😀"
shown = "このPCの戦闘力は"


def run(work, commands, console):
    """Runs commands under one cmd; with console, cmd has one (Wine gives it a console when its
    input is a terminal), so that chcp can switch the console's code page."""
    terminal, program_side = pty.openpty() if console else (None, subprocess.DEVNULL)
    try:
        subprocess.run(["bash", wine_run, "cmd", "/c", " & ".join(commands)], cwd=work, check=True,
                       stdin=program_side, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)
    finally:
        if console:
            os.close(terminal)
            os.close(program_side)


with tempfile.TemporaryDirectory() as folder:
    work = Path(folder)
    shutil.copy(kivcli, work / "kivcli.exe")
    # Row 0 is the one every measurement rates as: no figure reaches the others.
    rows = [("0", label)] + [(f"1e30{n}", "x") for n in range(4)]
    (work / "kiv.txt").write_bytes("".join(f"{p}\t{l}\r\n" for p, l in rows).encode("utf-8"))
    run(work, ["kivcli.exe --file kiv.txt > text.out",
               "kivcli.exe --json --file kiv.txt > json.out",
               "kivcli.exe --repeat 2 --json --file kiv.txt > series.out"], console=False)
    run(work, ["chcp 65001 >nul", "kivcli.exe --file kiv.txt > utf8.out"], console=True)
    text = (work / "text.out").read_bytes()
    assert shown.encode("cp932") in text, text
    assert "《\u3000 表示 Zo? ? 級".encode("cp932") in text, text
    for name in ("json.out", "series.out"):
        json = (work / name).read_bytes().decode("utf-8")
        assert f'"label":"{label}"' in json, json
    utf8 = (work / "utf8.out").read_bytes().decode("utf-8")
    assert shown in utf8 and f"《\u3000 {label} 級" in utf8, utf8
print("1 passed, 0 failed")
