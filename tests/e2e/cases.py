"""The end-to-end cases: what a user starting kiv.exe sees and what it leaves on disk."""

import os
import time

from harness import (
    ABOUT_CAPTION, IDC_LIST, IDM_ABOUTBOX, IDM_SHOWLIST, LIST_CAPTION, LOAD_CAPTION, MAIN_CAPTION,
    MEASURE, MISSING_TAIL, RESULT_PATTERN, SHORT_DATA, TestFailure, check, check_default_file,
    check_equal, data_lines, encode_rows, poll, rated_label, windows_path)

CASES = {}
SC_CLOSE = 0xF060


def case(function):
    CASES[function.__name__.replace("_", "-")] = function
    return function


def check_load_box(box, text):
    """A start-up message: captioned with the program's name, exclamation icon, no owner."""
    check_equal(box["text"], text, "the start-up message")
    check_equal(box["icon"], "exclamation", "the start-up message's icon")
    check_equal(box["owner"], "0", "the start-up message's owner")
    check_equal([(b["id"], b["text"]) for b in box["buttons"]], [(1, "OK")], "its buttons")


def check_no_main_window(s):
    check(MAIN_CAPTION not in [w["caption"] for w in s.top_windows()],
          "no main window while the start-up message is shown")


def check_result(s, box, main, rows):
    """The result box: the template's exact shape, the rated label, one OK, no icon, owned."""
    shown = RESULT_PATTERN.fullmatch(box["text"])
    check(shown, f"the result text has the template's shape: {box['text']!r}")
    figure = shown["figure"]
    check(len(figure) >= 5, "the figure is padded to five characters")
    value = float(figure)
    # The figure is rounded to two decimals; either side of a row boundary is acceptable.
    labels = {rated_label(rows, value - 0.005), rated_label(rows, value + 0.005)}
    check(shown["label"] in labels, f"{shown['label']!r} is the row {value} ranks to ({labels})")
    check_equal(box["icon"], "none", "the result box's icon")
    check_equal([(b["id"], b["text"]) for b in box["buttons"]], [(1, "OK")], "its buttons")
    check_equal(box["owner"], main, "the result box's owner")
    return value


def end_with_esc(s, main, program):
    s.driver("key", main, "esc")
    s.wait_exit(program)


@case
def missing_file(s, ctx):
    """Started in an empty folder: the message first, then the window, then 41 default rows."""
    folder = s.folder()
    program = s.start(folder)
    box = s.message_box(LOAD_CAPTION)
    ctx.metric("start_to_message_s", time.monotonic() - program.started)
    check_no_main_window(s)
    check_load_box(box, "file:" + windows_path(folder / "kiv.txt") + MISSING_TAIL)
    s.shot("missing-file-message")
    s.dismiss(box)

    main = s.main_window()
    s.shot("main-window")
    check_equal(s.button(main)["text"], MEASURE, "the button")
    check_default_file((folder / "kiv.txt").read_bytes(), ctx.reference)
    check_equal(sorted(p.name for p in folder.iterdir()), ["kiv.exe", "kiv.txt"], "the folder")
    end_with_esc(s, main, program)


@case
def measure(s, ctx):
    """Enter and the button both measure; the dialog stays and the data file stays as it was."""
    folder = s.folder()
    (folder / "kiv.txt").write_bytes(ctx.reference)
    rows = data_lines(ctx.reference)
    program = s.start(folder)
    main = s.main_window()

    def enter():
        s.driver("key", main, "enter")
        time.sleep(0.3)
        s.shot("measuring")

    box = s.measure(main, enter)
    s.shot("result")
    first = check_result(s, box, main, rows)
    s.driver("key", box["hwnd"], "enter")
    s.driver("wait-gone", box["hwnd"], 10000)
    s.wait_button(main, MEASURE, True)

    box = s.measure(main, lambda: s.driver("click", main, 1))
    second = check_result(s, box, main, rows)
    s.dismiss(box)
    s.wait_button(main, MEASURE, True)

    # Pressed again at once: the button must still show that a run is going on.
    box = s.measure(main, lambda: s.driver("click", main, 1), settle=0)
    third = check_result(s, box, main, rows)
    s.dismiss(box)
    s.wait_button(main, MEASURE, True)
    ctx.metric("figures", [first, second, third])
    check_equal((folder / "kiv.txt").read_bytes(), ctx.reference, "the data file after measuring")
    end_with_esc(s, main, program)


@case
def list_dialog(s, ctx):
    """The list shows the file on disk, last row first, and reads it afresh each time."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    data_file.write_bytes(ctx.reference)
    program = s.start(folder)
    main = s.main_window()

    dialog, contents = s.list_rows(main)
    s.shot("list")
    check_equal([(c["header"], c["width"], c["format"]) for c in contents["columns"]],
                [("名前", 170, 0), ("パワー", 110, 0)], "the columns: text, width, left-aligned")
    expected = [[label, power] for power, label in reversed(data_lines(ctx.reference))]
    check_equal(contents["rows"], expected, "the rows, last first")
    s.close_dialog(dialog)
    check(s.driver("is-enabled", main)["enabled"], "the main window is enabled again")

    edited = data_lines(ctx.reference)[:-1] + [("12.70", "書き換えた行"), ("7", "追加\tの行")]
    data_file.write_bytes(encode_rows(edited))
    dialog, contents = s.list_rows(main)
    s.shot("list-edited")
    check_equal(contents["rows"][:3],
                [["追加\tの行", "7"], ["書き換えた行", "12.70"], expected[1]], "the edited rows")
    check_equal(len(contents["rows"]), 42, "the edited row count")
    s.close_dialog(dialog)

    # A line past the longest the program reads: the message, then the rows before that line.
    data_file.write_bytes(encode_rows(edited[:3]) + b"1\t" + b"x" * (16 << 20) + b"\r\n")
    s.driver("syscommand", main, IDM_SHOWLIST)
    box = s.message_box(LOAD_CAPTION)
    check_equal(box["text"], "file:" + windows_path(data_file), "the list's message")
    s.dismiss(box)
    dialog = s.driver("wait-window", LIST_CAPTION, 10000, "#32770")["hwnd"]
    check_equal(s.driver("list-rows", dialog, IDC_LIST)["rows"],
                [[label, power] for power, label in reversed(edited[:3])], "the rows before it")
    s.close_dialog(dialog)
    end_with_esc(s, main, program)


@case
def five_rows(s, ctx):
    """A file of five rows is used as it is: no message, not rewritten, not even touched."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    rows = [("100", "A"), ("200", "B"), ("300", "表C"), ("400", "D"), ("5e2", "E F")]
    data_file.write_bytes(encode_rows(rows))
    os.utime(data_file, (1_600_000_000, 1_600_000_000))
    before = data_file.read_bytes(), data_file.stat().st_mtime_ns

    program = s.start(folder)
    main = s.main_window()
    ctx.metric("start_to_window_s", time.monotonic() - program.started)
    pid = s.driver("wait-window", MAIN_CAPTION)["pid"]
    ctx.metric("memory", s.memory(program, pid))
    check(LOAD_CAPTION not in [w["caption"] for w in s.top_windows()], "no start-up message")

    dialog, contents = s.list_rows(main)
    check_equal(contents["rows"], [[label, power] for power, label in reversed(rows)], "the rows")
    s.close_dialog(dialog)
    end_with_esc(s, main, program)
    check_equal((data_file.read_bytes(), data_file.stat().st_mtime_ns), before,
                "the file's bytes and time")


@case
def start_up(s, ctx):
    """Start-up time (process start to main window shown) and memory, over several starts."""
    folder = s.folder()
    (folder / "kiv.txt").write_bytes(ctx.reference)
    times, ages, memory = [], [], None
    for _ in range(5):
        program = s.start(folder)
        found = s.driver("wait-window", MAIN_CAPTION, 20000, "#32770")
        times.append(round(time.monotonic() - program.started, 3))
        ages.append(s.driver("memory", found["pid"])["age_ms"])
        s.driver("wait-idle", found["pid"], 20000)
        memory = s.memory(program, found["pid"])
        end_with_esc(s, found["hwnd"], program)
    ctx.metric("start_to_window_s", times)
    ctx.metric("process_age_at_window_ms", ages)
    ctx.metric("memory_when_idle", memory)
    check(max(times) < 5, "the main window shows within 5 s of the start")


@case
def four_rows(s, ctx):
    """Four rows are too few: the message, then the four rows followed by the 41 defaults."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    rows = [("12.7", "X"), ("2.5", "小数"), ("300", "表"), ("400", "D\tE")]
    data_file.write_bytes(encode_rows(rows))

    program = s.start(folder)
    box = s.message_box(LOAD_CAPTION)
    check_no_main_window(s)
    check_load_box(box, SHORT_DATA)
    s.shot("short-data-message")
    s.dismiss(box)
    main = s.main_window()

    # Powers are written back rounded half away from zero, labels as they were.
    written = encode_rows([("13", "X"), ("3", "小数"), ("300", "表"), ("400", "D\tE")])
    check_equal(data_file.read_bytes(), written + ctx.reference, "the rewritten file")
    dialog, contents = s.list_rows(main)
    check_equal(len(contents["rows"]), 45, "the listed rows")
    s.close_dialog(dialog)
    end_with_esc(s, main, program)


@case
def double_byte_folder(s, ctx):
    """A folder name whose Shift-JIS bytes hold 0x5C (ソ, 表) keeps the data file inside it."""
    folder = s.folder("ソフト表")
    program = s.start(folder)
    box = s.message_box(LOAD_CAPTION)
    check_load_box(box, "file:" + windows_path(folder / "kiv.txt") + MISSING_TAIL)
    s.dismiss(box)
    main = s.main_window()
    check_default_file((folder / "kiv.txt").read_bytes(), ctx.reference)
    check_equal(sorted(p.name for p in s.work.iterdir() if p.name not in ("prefix", "wine.log")),
                ["ソフト表"], "nothing written beside the folder")
    end_with_esc(s, main, program)


@case
def unicode_folder(s, ctx):
    """A folder whose name Shift-JIS lacks, then a UTF-8 table there with labels it lacks: the
    path, the labels and the file stay exactly what they are."""
    # 수 ends in 0x98, which a Shift-JIS reading would pair with the backslash after it.
    folder = s.folder("Zoë ¥ 😀 김철수")
    program = s.start(folder)
    box = s.message_box(LOAD_CAPTION)
    check_load_box(box, "file:" + windows_path(folder / "kiv.txt") + MISSING_TAIL)
    s.dismiss(box)
    end_with_esc(s, s.main_window(), program)
    check_default_file((folder / "kiv.txt").read_bytes(), ctx.reference)

    # Row 0 is the one every measurement rates as: no figure reaches the others.
    rows = [("0", "😀 とても速いPC Zoë"), ("1e300", "김철수"), ("1e301", "a¥b"),
            ("1e302", "José\tÑandú"), ("1e303", "表示")]
    table = "".join(f"{power}\t{label}\r\n" for power, label in rows).encode("utf-8")
    (folder / "kiv.txt").write_bytes(table)
    program = s.start(folder)
    main = s.main_window()
    box = s.measure(main, lambda: s.driver("click", main, 1))
    s.shot("unicode-result")
    shown = RESULT_PATTERN.fullmatch(box["text"])
    check(shown and shown["label"] == rows[0][1], f"the result names row 0: {box['text']!r}")
    s.dismiss(box)
    # The same rows with a UTF-8 mark, and in UTF-16 with its mark, list the same way.
    for encoded in (table, b"\xef\xbb\xbf" + table, "\ufeff".encode("utf-16-le") +
                    table.decode("utf-8").encode("utf-16-le")):
        (folder / "kiv.txt").write_bytes(encoded)
        dialog, contents = s.list_rows(main)
        s.shot("unicode-list")
        check_equal(contents["rows"], [[label, power] for power, label in reversed(rows)],
                    f"the rows, last first, of {encoded[:3]!r}")
        s.close_dialog(dialog)
        check_equal((folder / "kiv.txt").read_bytes(), encoded, "the table after the list")
    end_with_esc(s, main, program)


@case
def backslash_argument(s, ctx):
    """Arguments are not part of the program's folder, even when they hold backslashes."""
    folder = s.folder()
    program = s.start(folder, "a\\b", "c\\")
    box = s.message_box(LOAD_CAPTION)
    check_load_box(box, "file:" + windows_path(folder / "kiv.txt") + MISSING_TAIL)
    s.dismiss(box)
    main = s.main_window()
    check_default_file((folder / "kiv.txt").read_bytes(), ctx.reference)
    check_equal(sorted(p.name for p in folder.iterdir()), ["kiv.exe", "kiv.txt"], "the folder")
    end_with_esc(s, main, program)


# Rows no measurement reaches: a run on this table always rates as its first row.
UNREACHED_ROWS = [(f"{n}00000000000000000000", f"保持{n}") for n in range(1, 6)]


@case
def held_file(s, ctx):
    """A data file another program holds without sharing for as long as the program runs, as a
    spreadsheet does: waited for a while, then told, measured with the defaults, and the file
    left exactly as it was."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    data_file.write_bytes(encode_rows(UNREACHED_ROWS))
    before = data_file.read_bytes()
    s.driver("hold-file", windows_path(data_file))

    program = s.start(folder, trace_files=True)
    s.wait_opens(data_file, 1)
    first_try = time.monotonic()
    messages = []
    while s.next_start_window()["caption"] == LOAD_CAPTION:
        box = s.message_box(LOAD_CAPTION)
        if not messages:
            ctx.metric("first_try_to_message_s", round(time.monotonic() - first_try, 3))
            ctx.metric("tries", s.opens(data_file))
            s.shot("held-file-message")
        check(box["icon"] == "exclamation" and box["owner"] == "0", "a start-up message")
        messages.append(box["text"])
        s.dismiss(box)
    ctx.metric("messages", messages)
    check(messages, "the program says that it cannot read the file")
    check_equal(messages[0], "file:" + windows_path(data_file) + MISSING_TAIL, "the first message")
    check(ctx.metrics["first_try_to_message_s"] >= 1.3, "the hold was waited for first")

    main = s.main_window()
    box = s.measure(main, lambda: s.driver("click", main, 1))
    check_result(s, box, main, data_lines(ctx.reference))
    s.dismiss(box)
    end_with_esc(s, main, program)
    s.driver("release-file", windows_path(data_file))
    check_equal(data_file.read_bytes(), before, "the held file's bytes")


@case
def brief_holds(s, ctx):
    """Another program holds the data file for half a second as the program starts, as the list
    opens, and while a short table is completed: each hold is waited out without a message, and
    nothing is left beside the table."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    data_file.write_bytes(encode_rows(UNREACHED_ROWS))
    before = data_file.read_bytes()

    def hold_half_a_second_from(count):
        """Holds the file from before the program's open number count until 0.5 s after it."""
        s.wait_opens(data_file, count)
        time.sleep(0.5)
        s.driver("release-file", windows_path(data_file))

    s.driver("hold-file", windows_path(data_file))
    program = s.start(folder, trace_files=True)
    hold_half_a_second_from(1)
    check_equal(s.next_start_window()["caption"], MAIN_CAPTION, "the first window to show")
    ctx.metric("tries_at_start", s.opens(data_file))
    main = s.main_window()
    box = s.measure(main, lambda: s.driver("click", main, 1))
    check_result(s, box, main, UNREACHED_ROWS)
    s.dismiss(box)

    s.driver("hold-file", windows_path(data_file))
    opened = s.opens(data_file)
    s.driver("syscommand", main, IDM_SHOWLIST)
    hold_half_a_second_from(opened + 1)
    dialog = s.driver("wait-window", LIST_CAPTION, 10000, "#32770")["hwnd"]
    ctx.metric("tries_at_list", s.opens(data_file) - opened)
    check(LOAD_CAPTION not in [w["caption"] for w in s.top_windows()], "no message")
    check_equal(s.driver("list-rows", dialog, IDC_LIST)["rows"],
                [[label, power] for power, label in reversed(UNREACHED_ROWS)], "the rows")
    s.close_dialog(dialog)
    end_with_esc(s, main, program)
    check_equal(data_file.read_bytes(), before, "the table")

    # An indexer opens a short table while the program reads it and lets go half a second after
    # the program's rewrite began. No other program can open the rewrite's new file meanwhile.
    folder = s.folder("short")
    data_file = folder / "kiv.txt"
    data_file.write_bytes(encode_rows(UNREACHED_ROWS[:1]))
    program = s.start(folder)
    box = s.message_box(LOAD_CAPTION)
    check_equal(box["text"], SHORT_DATA, "the start-up message")
    s.driver("hold-file", windows_path(data_file), "indexer")
    s.dismiss(box)
    new_file = folder / "kiv.txt.tmp"
    poll(new_file.exists, 10, "the rewrite's new file")
    refused = ""
    try:
        s.driver("hold-file", windows_path(new_file), "indexer")
    except TestFailure as failure:
        refused = str(failure)
    check("error 32" in refused, f"another program's open of the new file refused: {refused!r}")
    time.sleep(0.5)
    s.driver("release-file", windows_path(data_file))
    main = s.main_window()
    check_equal(data_file.read_bytes(), encode_rows(UNREACHED_ROWS[:1]) + ctx.reference,
                "the completed table")
    check_equal(sorted(p.name for p in folder.iterdir()), ["kiv.exe", "kiv.txt"], "the folder")
    end_with_esc(s, main, program)


@case
def about_box(s, ctx):
    """The About box from the system menu; Close in the system menu ends the program."""
    folder = s.folder()
    (folder / "kiv.txt").write_bytes(ctx.reference)
    program = s.start(folder)
    main = s.main_window()

    about = s.open_dialog(main, IDM_ABOUTBOX, ABOUT_CAPTION)
    s.shot("about")
    window = s.driver("window", about)
    texts = [c["text"] for c in window["children"] if c["class"] == "Static"]
    check("ケイモル ver 0.01" in texts, f"the version line among {texts}")
    check_equal([(c["id"], c["text"]) for c in window["children"] if c["class"] == "Button"],
                [(1, "OK")], "the About box's buttons")
    check(not s.driver("is-enabled", main)["enabled"], "the main window is disabled meanwhile")
    s.close_dialog(about)

    check(s.driver("pid-alive", window["window"]["pid"])["alive"], "the program still runs")
    # Close in the system menu ends the program like Esc.
    s.driver("syscommand", main, SC_CLOSE)
    s.wait_exit(program)
