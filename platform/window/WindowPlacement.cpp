#include "platform/window/WindowPlacement.h"

#include "platform/window/Centre.h"

namespace {

kiv::Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

kiv::Rect WindowRect(HWND hWnd) {
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return ToRect(rect);
}

}  // namespace

void CentreWindow(HWND hWnd) {
    HWND owner = ::GetWindow(hWnd, GW_OWNER);
    // A hidden or minimised owner gives nothing to centre on.
    if (owner && (!::IsWindowVisible(owner) || ::IsIconic(owner))) owner = nullptr;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : hWnd, MONITOR_DEFAULTTONEAREST),
                           &monitor))
        return;
    const kiv::Rect workArea = ToRect(monitor.rcWork);
    const kiv::Rect placed =
        kiv::CentreWithin(WindowRect(hWnd), owner ? WindowRect(owner) : workArea, workArea);
    ::SetWindowPos(hWnd, nullptr, placed.left, placed.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
