#include "platform/window/Dpi.h"

#include "platform/os/win32/SystemFunction.h"

namespace {

// The system DPI, which is every window's DPI on systems that know no other.
UINT ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND hWnd) {
    // Windows 10 1607 and later.
    static const auto getDpiForWindow =
        FindSystemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && hWnd) {
        if (const UINT dpi = getDpiForWindow(hWnd)) return dpi;
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    // Windows 10 1607 and later; before, every metric is at the system DPI and scales with it.
    // Looked up on each call: it is asked only when a window opens or changes DPI.
    const auto getSystemMetricsForDpi =
        FindSystemFunction<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, dpi);
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi),
                    static_cast<int>(ScreenDpi()));
}
