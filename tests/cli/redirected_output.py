"""kivcli.exe with its output redirected, as a script or a shell's pipe runs it: the text in the
code page a Japanese system's shells read it in (932 here), a character that code page lacks as
one '?'; JSON in UTF-8 with every character. Both runs under one cmd, as a user would type them."""

import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

kivcli, wine_run = (str(Path(arg).resolve()) for arg in sys.argv[1:3])
label = "表示 Zoë 😀"
with tempfile.TemporaryDirectory() as folder:
    work = Path(folder)
    shutil.copy(kivcli, work / "kivcli.exe")
    # Row 0 is the one every measurement rates as: no figure reaches the others.
    rows = [("0", label)] + [(f"1e30{n}", "x") for n in range(4)]
    (work / "kiv.txt").write_bytes("".join(f"{p}\t{l}\r\n" for p, l in rows).encode("utf-8"))
    subprocess.run(["bash", wine_run, "cmd", "/c", "kivcli.exe --file kiv.txt > text.out & "
                    "kivcli.exe --json --file kiv.txt > json.out"], cwd=work, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    text = (work / "text.out").read_bytes()
    shown = "このPCの戦闘力は"
    assert shown.encode("cp932") in text and "《\u3000 表示 Zo? ? 級".encode("cp932") in text, text
    json = (work / "json.out").read_bytes().decode("utf-8")
    assert f'"label":"{label}"' in json, json
print("1 passed, 0 failed")
