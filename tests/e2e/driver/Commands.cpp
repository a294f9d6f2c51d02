#include "Commands.h"

#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <psapi.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "IconKind.h"
#include "RemoteListView.h"
#include "Screen.h"
#include "Text.h"
#include "Windows.h"

namespace drive {

namespace {

using Args = std::vector<std::string>;

constexpr DWORD kDefaultTimeoutMs = 10000;

const std::string& Arg(const Args& args, size_t index) {
    if (index >= args.size()) throw std::runtime_error("missing argument " + std::to_string(index));
    return args[index];
}

long long Number(const Args& args, size_t index, long long fallback) {
    if (index >= args.size()) return fallback;
    return std::strtoll(args[index].c_str(), nullptr, 0);
}

HWND Window(const Args& args, size_t index) {
    const HWND hwnd = ParseHwnd(Arg(args, index));
    if (!IsWindow(hwnd)) throw std::runtime_error("no window " + args[index]);
    return hwnd;
}

// "-" or -1 names the window itself; anything else is a control id (65535 is the -1 of a
// DIALOG template).
HWND ControlOf(const Args& args, size_t windowIndex) {
    const HWND window = Window(args, windowIndex);
    const std::string& id = Arg(args, windowIndex + 1);
    const HWND control = Control(window, id == "-" ? -1 : int(std::strtol(id.c_str(), nullptr, 0)));
    if (!control) throw std::runtime_error("no control " + id);
    return control;
}

json WindowJson(const WindowInfo& info) {
    return {{"hwnd", HwndText(info.hwnd)},   {"caption", Utf8(info.caption)},
            {"class", Utf8(info.className)}, {"pid", info.pid},
            {"owner", HwndText(info.owner)}, {"visible", info.visible},
            {"enabled", info.enabled}};
}

json ControlJson(HWND control) {
    return {{"hwnd", HwndText(control)},
            {"id", GetDlgCtrlID(control) & 0xFFFF},
            {"class", Utf8(ClassName(control))},
            {"text", Utf8(WindowText(control))},
            {"visible", bool(IsWindowVisible(control))},
            {"enabled", bool(IsWindowEnabled(control))},
            {"style", static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE))}};
}

json WaitWindowCommand(const Args& args) {
    const DWORD start = GetTickCount();
    const HWND hwnd = WaitWindow(Wide(Arg(args, 1)), Wide(args.size() > 3 ? args[3] : ""),
                                 DWORD(Number(args, 2, kDefaultTimeoutMs)));
    if (!hwnd) throw std::runtime_error("no window captioned " + args[1]);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return {{"hwnd", HwndText(hwnd)}, {"pid", pid}, {"waited_ms", GetTickCount() - start}};
}

json WaitGoneCommand(const Args& args) {
    const HWND hwnd = ParseHwnd(Arg(args, 1));
    if (!WaitGone(hwnd, DWORD(Number(args, 2, kDefaultTimeoutMs))))
        throw std::runtime_error("the window is still shown");
    return json::object();
}

// Top-level windows: the visible ones, or "all"; of one process when a pid is given.
json WindowsCommand(const Args& args) {
    bool all = false;
    DWORD pid = 0;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "all")
            all = true;
        else
            pid = DWORD(Number(args, i, 0));
    }
    json list = json::array();
    for (const WindowInfo& info : TopLevelWindows(!all)) {
        if (!pid || info.pid == pid) list.push_back(WindowJson(info));
    }
    return {{"windows", list}};
}

json WindowCommand(const Args& args) {
    const HWND hwnd = Window(args, 1);
    json children = json::array();
    for (HWND child : Children(hwnd)) children.push_back(ControlJson(child));
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return {{"window", WindowJson(Describe(hwnd))}, {"foreground", GetForegroundWindow() == hwnd},
            {"iconic", bool(IsIconic(hwnd))},       {"width", rect.right - rect.left},
            {"height", rect.bottom - rect.top},     {"children", children}};
}

json RectJson(const RECT& r) {
    return json::array({r.left, r.top, r.right, r.bottom});
}

// Where a window is on the screen, and the monitor it is on: its whole area and its work area.
json RectCommand(const Args& args) {
    const HWND hwnd = Window(args, 1);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return {{"rect", RectJson(rect)},
            {"monitor", RectJson(monitor.rcMonitor)},
            {"work", RectJson(monitor.rcWork)}};
}

// Moves a window as a user drags it by its caption: its size stays.
json MoveCommand(const Args& args) {
    const HWND hwnd = Window(args, 1);
    if (!SetWindowPos(hwnd, nullptr, int(Number(args, 2, 0)), int(Number(args, 3, 0)), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        throw std::runtime_error("cannot move the window");
    return json::object();
}

json StateCommand(const Args& args) {
    return ControlJson(ControlOf(args, 1));
}

void RequireUsable(HWND window, HWND control) {
    if (!IsWindowVisible(control)) throw std::runtime_error("the control is hidden");
    if (!IsWindowEnabled(control)) throw std::runtime_error("the control is disabled");
    if (!IsWindowEnabled(GetAncestor(window, GA_ROOT)))
        throw std::runtime_error("the window is disabled");
}

// Posted, because the click may start something modal that a sent message would wait for.
json ClickCommand(const Args& args) {
    const HWND control = ControlOf(args, 1);
    RequireUsable(Window(args, 1), control);
    PostMessageW(control, BM_CLICK, 0, 0);
    return json::object();
}

void Foreground(HWND window) {
    SetForegroundWindow(window);
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != window) {
        if (GetTickCount() - start > 2000) throw std::runtime_error("cannot bring the window up");
        Sleep(10);
        SetForegroundWindow(window);
    }
}

// As typed: the window comes to the front and the key goes to its focus. "post" puts the key
// messages straight into the window's queue instead.
json KeyCommand(const Args& args) {
    const HWND window = Window(args, 1);
    const std::string& name = Arg(args, 2);
    const WORD key = name == "enter" ? VK_RETURN : name == "esc" ? VK_ESCAPE : 0;
    if (!key) throw std::runtime_error("unknown key " + name);
    RequireUsable(window, window);
    if (args.size() > 3 && args[3] == "post") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        const HWND target = info.hwndFocus ? info.hwndFocus : window;
        const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, key, scan | 1);
        PostMessageW(target, WM_KEYUP, key, scan | 1 | (LPARAM(3) << 30));
        return json::object();
    }
    Foreground(window);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, inputs, sizeof(INPUT)) != 2) throw std::runtime_error("SendInput failed");
    return json::object();
}

// A system-menu choice. A user can open the menu only of an enabled window.
json SysCommand(const Args& args) {
    const HWND window = Window(args, 1);
    RequireUsable(window, window);
    PostMessageW(window, WM_SYSCOMMAND, WPARAM(Number(args, 2, 0)), 0);
    return json::object();
}

json ListRowsCommand(const Args& args) {
    const ListContents contents =
        ReadListView(ControlOf(args, 1), int(Number(args, 3, 0)), int(Number(args, 4, -1)));
    json columns = json::array();
    for (const ListColumn& column : contents.columns) {
        columns.push_back(
            {{"header", Utf8(column.header)}, {"width", column.width}, {"format", column.format}});
    }
    json rows = json::array();
    for (const auto& row : contents.rows) {
        json cells = json::array();
        for (const std::wstring& cell : row) cells.push_back(Utf8(cell));
        rows.push_back(cells);
    }
    return {{"columns", columns}, {"rows", rows}};
}

// How many items a list view holds (for lists too long to read row by row), and the first
// selected one (-1 for none).
json ListCountCommand(const Args& args) {
    const HWND list = ControlOf(args, 1);
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
    return {{"count", count}, {"selected", selected}};
}

// Characters typed into a control, as WM_CHAR messages in the order of the text.
json TypeCommand(const Args& args) {
    const HWND control = ControlOf(args, 1);
    for (const wchar_t ch : Wide(Arg(args, 3))) PostMessageW(control, WM_CHAR, ch, 1);
    return json::object();
}

// A message box as a user sees it: its text, its icon, its buttons and the window it belongs to.
json MsgboxCommand(const Args& args) {
    const HWND box =
        WaitWindow(Wide(Arg(args, 1)), L"#32770", DWORD(Number(args, 2, kDefaultTimeoutMs)));
    if (!box) throw std::runtime_error("no message box captioned " + args[1]);
    const WindowInfo info = Describe(box);
    const HWND text = GetDlgItem(box, 0xFFFF);
    const HWND icon = GetDlgItem(box, 1088);
    const bool iconShown = icon && IsWindowVisible(icon);
    const IconMatch match = iconShown ? ClassifyIcon(icon) : IconMatch{"none", 0};
    json buttons = json::array();
    for (HWND child : Children(box)) {
        if (ClassName(child) == L"Button") buttons.push_back(ControlJson(child));
    }
    return {{"hwnd", HwndText(box)},
            {"pid", info.pid},
            {"text", text ? Utf8(WindowText(text)) : std::string()},
            {"icon", match.kind},
            {"icon_distance", match.distance},
            {"owner", HwndText(info.owner)},
            {"owner_caption", info.owner ? Utf8(WindowText(info.owner)) : std::string()},
            {"buttons", buttons}};
}

// A fingerprint of what the screen shows of a control, to compare looks at two moments.
json LookCommand(const Args& args) {
    const HWND control = ControlOf(args, 1);
    RECT rect{};
    GetWindowRect(control, &rect);
    Canvas shown(rect.right - rect.left, rect.bottom - rect.top);
    shown.CopyFromScreen(rect.left, rect.top);
    return {{"look", std::to_string(shown.Hash())}};
}

// How far an icon control's image is from an icon of a program file at the control's size.
json IconDistanceCommand(const Args& args) {
    return {{"distance",
             IconDistance(ControlOf(args, 1), Wide(Arg(args, 3)), int(Number(args, 4, 0)))}};
}

// The system's ANSI code page, which the locale the programs were started in chose.
json CodePageCommand(const Args&) {
    return {{"acp", GetACP()}};
}

json IsEnabledCommand(const Args& args) {
    return {{"enabled", bool(IsWindowEnabled(Window(args, 1)))}};
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle OpenPid(const Args& args, DWORD access) {
    return Handle(OpenProcess(access, FALSE, DWORD(Number(args, 1, 0))));
}

json PidAliveCommand(const Args& args) {
    const Handle process = OpenPid(args, PROCESS_QUERY_LIMITED_INFORMATION);
    DWORD code = 0;
    const bool alive = process && GetExitCodeProcess(process.get(), &code) && code == STILL_ACTIVE;
    return {{"alive", alive}};
}

json WaitExitCommand(const Args& args) {
    const Handle process = OpenPid(args, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION);
    if (process && WaitForSingleObject(process.get(), DWORD(Number(args, 2, kDefaultTimeoutMs))) !=
                       WAIT_OBJECT_0)
        throw std::runtime_error("the process is still running");
    return json::object();
}

// Until the process waits for input with nothing left to do, as after drawing its window.
json WaitIdleCommand(const Args& args) {
    const Handle process = OpenPid(args, SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
    if (!process) throw std::runtime_error("no process " + Arg(args, 1));
    if (WaitForInputIdle(process.get(), DWORD(Number(args, 2, kDefaultTimeoutMs))) != 0)
        throw std::runtime_error("the process did not become idle");
    return json::object();
}

// What the process holds in memory, and how long ago it started.
json MemoryCommand(const Args& args) {
    const Handle process = OpenPid(args, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
    if (!process) throw std::runtime_error("no process " + Arg(args, 1));
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        throw std::runtime_error("GetProcessMemoryInfo failed");
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(process.get(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return {{"working_set", counters.WorkingSetSize},
            {"peak_working_set", counters.PeakWorkingSetSize},
            {"private_bytes", counters.PrivateUsage},
            {"age_ms", (ticks(now) - ticks(created)) / 10000},
            {"cpu_ms", (ticks(kernel) + ticks(user)) / 10000}};
}

// Files held open, until released or the driver ends, as another program holds them: a
// spreadsheet reads and writes and shares nothing; an indexer or a scanner reads and shares
// everything.
std::map<std::string, Handle>& HeldFiles() {
    static std::map<std::string, Handle> held;
    return held;
}

json HoldFileCommand(const Args& args) {
    const std::string& path = Arg(args, 1);
    const bool indexer = args.size() > 2 && args[2] == "indexer";
    const DWORD access = indexer ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD share = indexer ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    HANDLE file =
        CreateFileW(Wide(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path + ": error " +
                                 std::to_string(GetLastError()));
    }
    HeldFiles()[path] = Handle(file);
    return json::object();
}

json ReleaseFileCommand(const Args& args) {
    if (!HeldFiles().erase(Arg(args, 1))) throw std::runtime_error("not held: " + args[1]);
    return json::object();
}

const std::map<std::string, std::function<json(const Args&)>>& Table() {
    static const std::map<std::string, std::function<json(const Args&)>> table = {
        {"wait-window", WaitWindowCommand},
        {"wait-gone", WaitGoneCommand},
        {"windows", WindowsCommand},
        {"window", WindowCommand},
        {"rect", RectCommand},
        {"move", MoveCommand},
        {"text", StateCommand},
        {"state", StateCommand},
        {"click", ClickCommand},
        {"key", KeyCommand},
        {"syscommand", SysCommand},
        {"list-rows", ListRowsCommand},
        {"list-count", ListCountCommand},
        {"type", TypeCommand},
        {"msgbox", MsgboxCommand},
        {"is-enabled", IsEnabledCommand},
        {"code-page", CodePageCommand},
        {"pid-alive", PidAliveCommand},
        {"wait-exit", WaitExitCommand},
        {"memory", MemoryCommand},
        {"hold-file", HoldFileCommand},
        {"release-file", ReleaseFileCommand},
        {"look", LookCommand},
        {"icon-distance", IconDistanceCommand},
        {"wait-idle", WaitIdleCommand},
    };
    return table;
}

}  // namespace

json RunCommand(const std::vector<std::string>& words) {
    const auto command = Table().find(Arg(words, 0));
    if (command == Table().end()) throw std::runtime_error("unknown command " + words[0]);
    return command->second(words);
}

const char* CommandUsage() {
    return "wait-window CAPTION [TIMEOUT_MS] [CLASS]   a visible top-level window: hwnd, pid\n"
           "wait-gone HWND [TIMEOUT_MS]                until the window is hidden or destroyed\n"
           "windows [all] [PID]                        top-level windows (of one process)\n"
           "window HWND                                the window and its visible controls\n"
           "rect HWND                                  its screen rectangle, its monitor's\n"
           "                                           rectangle and work area\n"
           "move HWND X Y                              moves the window's top-left corner there\n"
           "text|state HWND ID                         a control's text, id, class and state\n"
           "click HWND ID                              presses an enabled button\n"
           "key HWND enter|esc [post]                  types a key into the window\n"
           "syscommand HWND ID                         chooses a system-menu item\n"
           "look HWND ID                               a fingerprint of the control's pixels\n"
           "icon-distance HWND ID EXE ICON             how far the control's image is from\n"
           "                                           icon ICON of EXE at the control's size\n"
           "list-rows HWND ID [FIRST [COUNT]]          a list view's columns and rows (COUNT\n"
           "                                           rows from FIRST on)\n"
           "list-count HWND ID                         how many items a list view holds, the\n"
           "                                           first selected one\n"
           "type HWND ID TEXT                          types TEXT into the control\n"
           "msgbox CAPTION [TIMEOUT_MS]                a message box's text, icon, buttons, owner\n"
           "is-enabled HWND                            whether the window takes input\n"
           "code-page                                  the system's ANSI code page\n"
           "pid-alive PID | wait-exit PID [TIMEOUT_MS] a process's life\n"
           "wait-idle PID [TIMEOUT_MS]                 until the process waits for input\n"
           "memory PID                                 working set, private bytes, age\n"
           "hold-file PATH [indexer]                   holds a file open as a spreadsheet does\n"
           "                                           (no sharing) or as an indexer does\n"
           "release-file PATH                          closes a held file\n"
           "serve                                      reads commands from stdin, one per line,\n"
           "                                           arguments separated by tabs\n";
}

}  // namespace drive
