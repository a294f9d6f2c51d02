#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Looking at other processes' windows the way a user sees them: by caption, visible ones only.
namespace drive {

struct WindowInfo {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring className;
    DWORD pid = 0;
    HWND owner = nullptr;
    bool visible = false;
    bool enabled = false;
};

WindowInfo Describe(HWND hwnd);
// Visible top-level windows, or all of them.
std::vector<WindowInfo> TopLevelWindows(bool visibleOnly);
// Visible direct children in z-order.
std::vector<HWND> Children(HWND parent);

// Polls until a visible top-level window with exactly this caption (and class, when given)
// exists; nullptr after timeoutMs.
HWND WaitWindow(const std::wstring& caption, const std::wstring& className, DWORD timeoutMs);
// Polls until hwnd is destroyed or hidden; false after timeoutMs.
bool WaitGone(HWND hwnd, DWORD timeoutMs);

// The text of a window without sending it a message, so it works while its thread is busy.
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// The control with this id, or the window itself for id -1 or "-".
HWND Control(HWND dialog, int id);

HWND ParseHwnd(const std::string& text);
std::string HwndText(HWND hwnd);

}  // namespace drive
