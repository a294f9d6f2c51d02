"""End-to-end cases for a data file the program cannot use or cannot write, a very long one, and
an exception nobody catches.

With the data files the program must start, say what happened, measure, and leave the user's file
exactly as it was."""

import shutil
import time

from cases import case, check_result, end_with_esc
from harness import (
    IDC_LIST, IDM_SHOWLIST, LIST_CAPTION, LOAD_CAPTION, MAIN_CAPTION, MISSING_TAIL, SHORT_DATA,
    check, check_equal, data_lines, encode_rows, poll, windows_path)

# " に書き込めません。": the data file could not be written.
NOT_WRITABLE_TAIL = " に書き込めません。"
FATAL_TEXT = "予期しないエラーが起きたため、プログラムを終了します。"


def start_up_messages(s, program):
    """Dismisses the start-up messages and returns their texts, in order."""
    messages = []
    while s.next_start_window()["caption"] == LOAD_CAPTION:
        box = s.message_box(LOAD_CAPTION)
        check_equal(box["owner"], "0", "a start-up message's owner")
        messages.append(box["text"])
        s.dismiss(box)
    return messages


def measure_once(s, main, ctx):
    box = s.measure(main, lambda: s.driver("click", main, 1))
    check_result(s, box, main, data_lines(ctx.reference))
    s.dismiss(box)


@case
def data_file_folder(s, ctx):
    """kiv.txt is a folder: reported, measured with the defaults, the folder left alone."""
    folder = s.folder()
    (folder / "kiv.txt").mkdir()
    (folder / "kiv.txt" / "keep").write_bytes(b"mine")
    program = s.start(folder)
    messages = start_up_messages(s, program)
    ctx.metric("messages", messages)
    check_equal(messages, ["file:" + windows_path(folder / "kiv.txt") + MISSING_TAIL],
                "the start-up messages")
    main = s.main_window()
    measure_once(s, main, ctx)
    end_with_esc(s, main, program)
    check((folder / "kiv.txt").is_dir(), "kiv.txt is still a folder")
    check_equal((folder / "kiv.txt" / "keep").read_bytes(), b"mine", "the folder's file")
    check_equal(sorted(p.name for p in folder.iterdir()), ["kiv.exe", "kiv.txt"], "the folder")


@case
def unwritable_folder(s, ctx):
    """The program cannot write beside its data file. We run as root, for whom permissions do
    not count, so folders stand at every name the save may write first (kiv.txt.tmp, then
    kiv.txt.tmp1 to kiv.txt.tmp15, the first free one then replacing kiv.txt): the save fails
    exactly as in a read-only folder. A file of four rows must be rewritten with the defaults;
    it cannot be, so it must stay as it was."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    data_file.write_bytes(encode_rows([("100", "A"), ("200", "B"), ("300", "C"), ("400", "D")]))
    before = data_file.read_bytes()
    taken = ["kiv.txt.tmp"] + [f"kiv.txt.tmp{n}" for n in range(1, 16)]
    for name in taken:
        (folder / name).mkdir()
    program = s.start(folder)
    messages = start_up_messages(s, program)
    ctx.metric("messages", messages)
    check_equal(messages, [SHORT_DATA, "file:" + windows_path(data_file) + NOT_WRITABLE_TAIL],
                "the start-up messages")
    main = s.main_window()
    box = s.measure(main, lambda: s.driver("click", main, 1))
    # The table is the four rows followed by the defaults.
    check_result(s, box, main, data_lines(before) + data_lines(ctx.reference))
    s.dismiss(box)
    end_with_esc(s, main, program)
    check_equal(data_file.read_bytes(), before, "the data file")
    check_equal(sorted(p.name for p in folder.iterdir()), sorted(["kiv.exe", "kiv.txt"] + taken),
                "the folder")


@case
def oversized_file(s, ctx):
    """kiv.txt is 3 GB (sparse: it takes no room) with no line end, past the largest data file
    the program reads: reported without being read, measured with the defaults, refused by the
    list as well, and left as it was."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    size = 3 << 30
    with open(data_file, "wb") as out:
        out.write(b"1\t")
        out.truncate(size)
    program = s.start(folder)
    messages = start_up_messages(s, program)
    ctx.metric("messages", messages)
    cannot_read = "file:" + windows_path(data_file)
    check_equal(messages, [cannot_read + MISSING_TAIL], "the start-up messages")
    main = s.main_window()
    pid = s.driver("wait-window", MAIN_CAPTION)["pid"]
    measure_once(s, main, ctx)
    ctx.metric("memory", s.memory(program, pid))

    s.driver("syscommand", main, IDM_SHOWLIST)
    box = s.message_box(LOAD_CAPTION)
    check_equal(box["text"], cannot_read, "the list's message")
    s.dismiss(box)
    dialog = s.driver("wait-window", LIST_CAPTION, 10000, "#32770")["hwnd"]
    check_equal(s.driver("list-count", dialog, IDC_LIST)["count"], 0, "the listed rows")
    s.close_dialog(dialog)
    end_with_esc(s, main, program)
    check_equal(data_file.stat().st_size, size, "the data file's size")
    with open(data_file, "rb") as data:
        check_equal(data.read(4), b"1\t\0\0", "the data file's first bytes")
    check_equal(sorted(p.name for p in folder.iterdir()), ["kiv.exe", "kiv.txt"], "the folder")


@case
def long_list(s, ctx):
    """A data file of 100,000 rows: the program starts, the list opens with every row, and the
    program still measures afterwards."""
    folder = s.folder()
    data_file = folder / "kiv.txt"
    rows = [(str(20 + 37 * i), f"行{i}") for i in range(100_000)]
    data_file.write_bytes(encode_rows(rows))
    before = data_file.read_bytes()
    program = s.start(folder)
    main = s.main_window(timeout=60)
    ctx.metric("start_to_window_s", round(time.monotonic() - program.started, 2))

    opened = time.monotonic()
    s.driver("syscommand", main, IDM_SHOWLIST)
    dialog = s.driver("wait-window", LIST_CAPTION, 600_000, "#32770")["hwnd"]
    ctx.metric("list_open_s", round(time.monotonic() - opened, 2))
    check_equal(s.driver("list-count", dialog, IDC_LIST)["count"], 100_000, "the listed rows")
    s.shot("long-list")
    closed = time.monotonic()
    s.close_dialog(dialog)
    ctx.metric("list_close_s", round(time.monotonic() - closed, 2))

    box = s.measure(main, lambda: s.driver("click", main, 1))
    check(box["text"], "a result after the long list")
    s.dismiss(box)
    end_with_esc(s, main, program)
    check_equal(data_file.read_bytes(), before, "the data file")


def list_run(s, folder, typed=None):
    """Starts the program, opens the list, reads its count and first and last rows, types typed
    (a text, the item it must select) into it, then OK and Esc: returns the times and resident
    memory the user meets, the count and the rows read."""
    program = s.start(folder)
    main = s.main_window(timeout=60)
    start = time.monotonic() - program.started
    pid = s.driver("wait-window", MAIN_CAPTION)["pid"]
    before = s.memory(program, pid)["vm_rss"] / 2**20
    opened = time.monotonic()
    s.driver("syscommand", main, IDM_SHOWLIST)
    dialog = s.driver("wait-window", LIST_CAPTION, 600_000, "#32770")["hwnd"]
    rows = s.driver("list-rows", dialog, IDC_LIST, 0, 1)["rows"]
    list_open = time.monotonic() - opened
    count = s.driver("list-count", dialog, IDC_LIST)["count"]
    rows += s.driver("list-rows", dialog, IDC_LIST, count - 1, 1)["rows"]
    with_list = s.memory(program, pid)["vm_rss"] / 2**20
    if typed:
        s.driver("type", dialog, IDC_LIST, typed[0])
        poll(lambda: s.driver("list-count", dialog, IDC_LIST)["selected"] == typed[1], 20,
             f"{typed[0]!r} to select the row beginning with it")
    closing = time.monotonic()
    s.close_dialog(dialog)
    s.driver("key", main, "esc")
    figures = {"exit_code": s.wait_exit(program, timeout=120),
               "close_to_exit_s": time.monotonic() - closing, "start_s": start,
               "list_open_s": list_open, "open_to_start": list_open / start,
               "rss_before_mib": before, "rss_with_list_mib": with_list,
               "rss_ratio": with_list / before}
    return {key: round(value, 2) for key, value in figures.items()}, count, rows


@case
def largest_list(s, ctx):
    """The largest table the program accepts, 2,000,000 rows: the list opens within twice the
    program's own start, with at most three times the memory it had before, and the program ends
    after it about as soon as on the default table. The same figures on the default table, where
    typing selects a row, and on 100,000 rows."""
    data_file = s.folder() / "kiv.txt"
    runs = {}
    for rows in (41, 100_000, 2_000_000):
        data_file.write_bytes(ctx.reference if rows == 41 else
                              b"".join(b"%d\trow %07d\r\n" % (i, i) for i in range(rows)))
        typed = ("gpu", 12) if rows == 41 else None  # GPU計算ノード, whatever the letters' case
        runs[rows], count, shown = list_run(s, data_file.parent, typed)
        ctx.metric(f"rows_{rows}", runs[rows])
        check_equal((count, runs[rows]["exit_code"]), (rows, 0), "the listed rows, the exit code")
    data_file.unlink()
    check_equal(shown, [["row 1999999", "1999999"], ["row 0000000", "0"]],
                "the first and the last listed row")
    largest = runs[2_000_000]
    check(largest["open_to_start"] <= 2, "the list opens within twice the program's start")
    check(largest["rss_ratio"] <= 3, "the list at most triples the resident memory")
    check(largest["close_to_exit_s"] <= runs[41]["close_to_exit_s"] + 2,
          "the program ends after the list about as soon as on a short file")


@case
def unexpected_exception(s, ctx):
    """An exception that escapes everything, and one that ends in std::terminate, in a program on
    kiv's framework: one message box with the program's name and the sentence that it must stop,
    then exit code 3."""
    folder = s.folder()
    shutil.copy2(ctx.fault_program, folder / "kivfault.exe")
    for how in ("escape", "terminate"):
        program = s.start(folder, how, exe="kivfault.exe")
        box = s.message_box("kivfault")
        check_equal(box["text"], FATAL_TEXT, f"the message ({how})")
        check_equal(box["icon"], "hand", f"the message's icon ({how})")
        check_equal([(b["id"], b["text"]) for b in box["buttons"]], [(1, "OK")], "its buttons")
        s.dismiss(box)
        check_equal(s.wait_exit(program), 3, f"the exit code ({how})")
