#include "Windows.h"

#include <cstdlib>

namespace drive {

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[4096] = {};
    InternalGetWindowText(hwnd, buffer, int(std::size(buffer)));
    return buffer;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, int(std::size(buffer)));
    return buffer;
}

WindowInfo Describe(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.caption = WindowText(hwnd);
    info.className = ClassName(hwnd);
    GetWindowThreadProcessId(hwnd, &info.pid);
    info.owner = GetWindow(hwnd, GW_OWNER);
    info.visible = IsWindowVisible(hwnd);
    info.enabled = IsWindowEnabled(hwnd);
    return info;
}

namespace {

struct Collect {
    std::vector<HWND> found;
    bool visibleOnly;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM context) {
    auto& collect = *reinterpret_cast<Collect*>(context);
    if (!collect.visibleOnly || IsWindowVisible(hwnd)) collect.found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<WindowInfo> TopLevelWindows(bool visibleOnly) {
    Collect collect{{}, visibleOnly};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collect));
    std::vector<WindowInfo> windows;
    for (HWND hwnd : collect.found) windows.push_back(Describe(hwnd));
    return windows;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) children.push_back(child);
    }
    return children;
}

HWND WaitWindow(const std::wstring& caption, const std::wstring& className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (const WindowInfo& window : TopLevelWindows(true)) {
            if (window.caption == caption && (className.empty() || window.className == className))
                return window.hwnd;
        }
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(10);
    }
}

bool WaitGone(HWND hwnd, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(hwnd) && IsWindowVisible(hwnd)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

HWND Control(HWND dialog, int id) {
    return id == -1 ? dialog : GetDlgItem(dialog, id);
}

HWND ParseHwnd(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(text.c_str(), nullptr, 0)));
}

std::string HwndText(HWND hwnd) {
    return std::to_string(reinterpret_cast<uintptr_t>(hwnd));
}

}  // namespace drive
