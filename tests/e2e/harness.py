"""Runs kiv.exe under Wine on a private X display and drives it through kivdrive.exe.

Each test gets its own Xvfb, its own copy of a booted Wine prefix and its own wineserver, and
ends only what it started: Xvfb by its pid, Wine with `wineserver -k` in its prefix.
"""

import json
import os
import re
import select
import shutil
import subprocess
import time
from pathlib import Path

# The program's texts and ids, as the cases look for them.
MAIN_CAPTION = "ケイモル"
MEASURE = "計測する"
MEASURING = "計測中"
RESULT_CAPTION = "結果"
LIST_CAPTION = "一覧の表示"
ABOUT_CAPTION = "ケイモルのバージョン情報"
LOAD_CAPTION = "kiv"
MISSING_TAIL = " がありません、デフォルト値をロードします。"
SHORT_DATA = "データ少ないため、デフォルト値をロードします。"
IDM_ABOUTBOX = 16
IDM_SHOWLIST = 17
IDC_LIST = 1000

RESULT_PATTERN = re.compile(
    "\nこのPCの戦闘力は (?P<figure> *-?[0-9]+\\.[0-9]{2}) です。"
    "\n\u3000\u3000《\u3000 (?P<label>.*) 級 \u3000》\u3000\n\n", re.S)


class TestFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise TestFailure(f"{what}: expected {expected!r}, got {actual!r}")


def poll(probe, timeout, what, interval=0.02):
    """Calls probe until it returns something true; everything we post is asynchronous."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def windows_path(path):
    """The path as a Windows program under Wine sees it (drive Z: is the Unix root)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# ---- the data file ------------------------------------------------------------------------

def data_lines(data):
    """The rows of a data file as (power text, label) pairs of str; every line must end in CR LF."""
    check(data.endswith(b"\r\n"), "the data file ends with CR LF")
    lines = data[:-2].split(b"\r\n")
    check(all(b"\n" not in line and b"\r" not in line for line in lines),
          "every line ends with CR LF and nothing else")
    rows = []
    for line in lines:
        power, tab, label = line.partition(b"\t")
        check(tab, f"a TAB in line {line!r}")
        rows.append((power.decode("cp932"), label.decode("cp932")))
    return rows


def encode_rows(rows):
    return b"".join(f"{power}\t{label}\r\n".encode("cp932") for power, label in rows)


def check_default_file(data, reference):
    """A data file written from the built-in table: byte for byte the file the core writes."""
    check_equal(data, reference, "the data file against the one the core writes")
    rows = data_lines(data)
    check_equal(len(rows), 41, "rows of the built-in table")
    return rows


def rated_label(rows, figure):
    """The label of the last row whose power the figure reaches; row 0 below all of them."""
    rated = rows[0]
    for row in rows:
        if float(row[0]) <= figure:
            rated = row
    return rated[1]


# ---- processes ----------------------------------------------------------------------------

def wine_environment(prefix, display=None, locale="ja_JP.UTF-8"):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               LANG=locale, LC_ALL=locale)
    env.pop("DISPLAY", None)
    if display is not None:
        env["DISPLAY"] = display
    return env


# Debian's Wine does not find the Marlett font it ships; without it the caption buttons are drawn
# as letters in every screenshot.
MARLETT = Path("/usr/share/wine/fonts/marlett.ttf")


def boot_template(prefix):
    """A freshly booted prefix whose windows never wait for a window manager."""
    shutil.rmtree(prefix, ignore_errors=True)
    env = wine_environment(prefix)
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=180,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if MARLETT.is_file():
            shutil.copy(MARLETT, prefix / "drive_c/windows/Fonts")
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                        "/d", "N", "/f"], env=env, check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, timeout=60)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, timeout=30, stderr=subprocess.DEVNULL)


def copy_prefix(template, prefix):
    """Copies a booted prefix; the system DLLs are hard links, Wine never rewrites them."""
    shared = {template / "drive_c/windows/system32", template / "drive_c/windows/syswow64"}

    def copy(source, target):
        if any(Path(source).is_relative_to(folder) for folder in shared):
            os.link(source, target)
        else:
            shutil.copy2(source, target)

    shutil.copytree(template, prefix, symlinks=True, copy_function=copy)


def registry_file(values):
    """A file for regedit: values maps a key to {name: value}; an int is a REG_DWORD, a str a
    REG_SZ and a list of str a REG_MULTI_SZ."""
    def data(value):
        if isinstance(value, int):
            return f"dword:{value:08x}"
        if isinstance(value, str):
            return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
        raw = "".join(item + "\0" for item in value) + "\0"
        return "hex(7):" + ",".join(f"{b:02x}" for b in raw.encode("utf-16-le"))

    lines = ["Windows Registry Editor Version 5.00", ""]
    for key, named in values.items():
        lines.append(f"[{key}]")
        lines += [f'"{name}"={data(value)}' for name, value in named.items()]
        lines.append("")
    return "\r\n".join(lines).encode("utf-16")


def dpi_settings(dpi):
    """Where Wine takes the screen's DPI from."""
    return {
        r"HKEY_CURRENT_USER\Control Panel\Desktop": {"LogPixels": dpi},
        r"HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts":
            {"LogPixels": dpi},
    }


# The Japanese font every Windows system has, made known to the prefix: the dialogs' font, and
# the font message boxes fall back to for Japanese characters.
JAPANESE_FONT_SETTINGS = {
    r"HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements": {"ＭＳ Ｐゴシック": "IPAPGothic"},
    r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink":
        {"Tahoma": ["ipagp.ttf,IPAPGothic"]},
}


class Xvfb:
    """A private X display; Xvfb picks a free number itself."""

    def __init__(self, log, screen="1024x768"):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{screen}x24", "-nolisten",
             "tcp"], pass_fds=(write_end,), stdout=log, stderr=log)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.stop()
                raise TestFailure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Driver:
    """kivdrive.exe in serve mode: one command per line, one JSON answer per line."""

    def __init__(self, exe, env, log):
        self.process = subprocess.Popen(["wine", str(exe), "serve"], env=env,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log)
        self.buffer = b""

    def __call__(self, *words):
        # The driver waits itself for as long as a command's own timeout (in ms) says.
        timeout = 30 + max((w for w in words if isinstance(w, int)), default=0) / 1000
        line = "\t".join(str(word) for word in words) + "\n"
        self.process.stdin.write(line.encode())
        self.process.stdin.flush()
        deadline = time.monotonic() + timeout
        while b"\n" not in self.buffer:
            ready, _, _ = select.select([self.process.stdout], [], [],
                                        max(0, deadline - time.monotonic()))
            chunk = os.read(self.process.stdout.fileno(), 65536) if ready else b""
            if not chunk:
                raise TestFailure(f"the driver gave no answer to {words} "
                                  f"(exit code {self.process.poll()})")
            self.buffer += chunk
        answer, self.buffer = self.buffer.split(b"\n", 1)
        result = json.loads(answer)
        if not result.pop("ok"):
            raise TestFailure(f"{' '.join(map(str, words))}: {result['error']}")
        return result

    def close(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass


class Session:
    """One test's world: display, prefix, wineserver, driver, and the programs it starts.

    screen is the display's size, locale the Unix locale Wine runs in, registry the values
    (as registry_file takes them) set in the prefix before anything runs in it."""

    def __init__(self, name, exe, driver_exe, template, work, shots, screen="1024x768",
                 locale="ja_JP.UTF-8", registry=None):
        self.name = name
        self.exe = Path(exe)
        self.work = Path(work) / name
        self.shots = Path(shots)
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        self.shots.mkdir(parents=True, exist_ok=True)
        self.log = open(self.work / "wine.log", "wb")
        self.prefix = self.work / "prefix"
        self.programs = []
        self.xvfb = None
        self.driver = None
        self.env = None
        try:
            copy_prefix(Path(template), self.prefix)
            self.xvfb = Xvfb(self.log, screen)
            self.env = wine_environment(self.prefix, self.xvfb.display, locale)
            if registry:
                self.set_registry(registry)
            # Kept running between the programs, and gone on its own soon after the last one if
            # this test is killed before it can end it.
            subprocess.run(["wineserver", "-p20"], env=self.env, check=True, timeout=30)
            self.driver = Driver(driver_exe, self.env, self.log)
            try:
                self.driver("windows")
            except TestFailure as failure:
                # Seen once in many runs: the driver's first start ended at once, silently. A
                # second start tells such a start from a broken driver, which fails again.
                self.log.write(f"{failure}; starting the driver again\n".encode())
                self.driver.close()
                self.driver = Driver(driver_exe, self.env, self.log)
                self.driver("windows")
        except BaseException:
            self.close()
            raise

    def set_registry(self, values):
        """Imports the values, then lets the wineserver end, so that every process started
        afterwards (the desktop's too) reads them."""
        reg = self.work / "settings.reg"
        reg.write_bytes(registry_file(values))
        subprocess.run(["wine", "regedit", "/S", windows_path(reg)], env=self.env, check=True,
                       timeout=60, stdout=self.log, stderr=self.log)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def close(self):
        if self.driver:
            self.driver.close()
        if self.env:
            subprocess.run(["wineserver", "-k"], env=self.env, timeout=30, stderr=subprocess.DEVNULL)
            for program in self.programs:
                try:
                    program.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    program.kill()
                    program.wait()
        if self.xvfb:
            self.xvfb.stop()
        self.log.close()
        shutil.rmtree(self.prefix, ignore_errors=True)

    # ---- the program ----

    def folder(self, name="app"):
        """A fresh folder holding a copy of kiv.exe."""
        folder = self.work / name
        folder.mkdir(parents=True, exist_ok=True)
        shutil.copy2(self.exe, folder / "kiv.exe")
        return folder

    def start(self, folder, *args, exe="kiv.exe", trace_files=False):
        """Starts kiv.exe (or exe) in folder the way a user does from a shell; returns the
        process. With trace_files, Wine logs each file the program asks to open (see opens)."""
        env = dict(self.env, WINEDEBUG="-all,trace+file") if trace_files else self.env
        program = subprocess.Popen(["wine", exe, *args], cwd=folder, env=env,
                                   stdout=self.log, stderr=self.log)
        program.started = time.monotonic()
        self.programs.append(program)
        return program

    def wait_exit(self, program, timeout=10):
        try:
            return program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure("the program did not end") from None

    def opens(self, path):
        """How often a program started with trace_files has asked to open the file at path,
        each try of a retried open counting."""
        self.log.flush()
        logged = (self.work / "wine.log").read_bytes().decode("utf-8", "replace")
        return logged.count('CreateFileW L"' + windows_path(path).replace("\\", "\\\\") + '"')

    def wait_opens(self, path, count, timeout=20):
        """Until the program has asked to open the file at path count times in all."""
        poll(lambda: self.opens(path) >= count, timeout, f"open number {count} of {path}")

    def shot(self, name):
        time.sleep(0.2)  # a window that has just appeared may still be drawing itself
        subprocess.run(["import", "-display", self.xvfb.display, "-window", "root",
                        str(self.shots / f"{name}.png")], env=self.env, timeout=30, check=True)

    # ---- what the user sees ----

    def main_window(self, timeout=20):
        """The main window, once it is drawn and waits for the user, as a user would wait."""
        found = self.driver("wait-window", MAIN_CAPTION, int(timeout * 1000), "#32770")
        self.driver("wait-idle", found["pid"], int(timeout * 1000))
        return found["hwnd"]

    def message_box(self, caption, timeout=20):
        return self.driver("msgbox", caption, int(timeout * 1000))

    def next_start_window(self, timeout=20):
        """The next start-up message or the main window, whichever comes."""
        def probe():
            shown = {w["caption"]: w for w in self.top_windows() if w["class"] == "#32770"}
            return shown.get(LOAD_CAPTION) or shown.get(MAIN_CAPTION)
        return poll(probe, timeout, "a start-up message or the main window")

    def rect(self, hwnd):
        """The window's screen rectangle [left, top, right, bottom], and its monitor's."""
        return self.driver("rect", hwnd)

    def top_windows(self):
        return self.driver("windows")["windows"]

    def dismiss(self, box):
        """Presses OK in a message box and waits until it is gone."""
        self.driver("click", box["hwnd"], 1)
        self.driver("wait-gone", box["hwnd"], 10000)

    def button(self, hwnd):
        return self.driver("state", hwnd, 1)

    def wait_button(self, hwnd, text, enabled, timeout=20):
        return poll(lambda: (lambda b: b["text"] == text and b["enabled"] == enabled)(
            self.button(hwnd)), timeout, f"the button to read {text!r}, enabled={enabled}",
            interval=0.005)

    def open_dialog(self, main, command, caption):
        self.driver("syscommand", main, command)
        return self.driver("wait-window", caption, 10000, "#32770")["hwnd"]

    def close_dialog(self, hwnd):
        self.driver("click", hwnd, 1)
        self.driver("wait-gone", hwnd, 10000)

    def list_rows(self, main):
        """Opens the list from the system menu, reads it, and closes it again."""
        dialog = self.open_dialog(main, IDM_SHOWLIST, LIST_CAPTION)
        check(not self.driver("is-enabled", main)["enabled"],
              "the main window is disabled while the list is open")
        contents = self.driver("list-rows", dialog, IDC_LIST)
        return dialog, contents

    def measure(self, main, press, settle=0.2):
        """One measurement started by press(); returns the result box as the user saw it.

        Checks the button, on the screen too, while the run goes on and while the result is shown.
        settle is how long the user waits after the button comes back before pressing."""
        check_equal(self.button(main)["text"], MEASURE, "the button before measuring")
        time.sleep(settle)
        press()
        self.wait_button(main, MEASURING, False, timeout=10)
        # What the screen showed of the button until the result came.
        looks = []

        def result_shown():
            if RESULT_CAPTION in [w["caption"] for w in self.top_windows()]:
                return True
            looks.append(self.driver("look", main, 1)["look"])
            return False
        poll(result_shown, 60, "the result box", interval=0.05)
        box = self.message_box(RESULT_CAPTION, timeout=60)
        button = self.button(main)
        check(button["text"] == MEASURING and not button["enabled"],
              "the button stays 計測中 and disabled while the result is shown")
        # The dialog paints while the result box is up; the user saw the same during the run.
        # The system puts the box over the main window, so it is moved aside for the look and
        # put back where the system placed it.
        placed = self.rect(box["hwnd"])
        below = self.rect(main)["rect"]
        self.driver("move", box["hwnd"], below[0], below[3])
        time.sleep(0.2)
        look = self.driver("look", main, 1)["look"]
        self.driver("move", box["hwnd"], *placed["rect"][:2])
        check(look in looks[:-1], "the screen showed the button as 計測中 during the measurement")
        box["rect"] = placed["rect"]
        return box

    def memory(self, program, pid):
        """The Windows working set, and the resident size Linux counts for the process."""
        counters = self.driver("memory", pid)
        rss = None
        try:
            for line in Path(f"/proc/{program.pid}/status").read_text().splitlines():
                if line.startswith("VmRSS:"):
                    rss = int(line.split()[1]) * 1024
        except OSError:
            pass
        return {"working_set": counters["working_set"], "vm_rss": rss}
