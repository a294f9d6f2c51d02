#include "platform/window/Dpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Found at run time: systems before Windows 10 1607 (and some Wine versions) lack it.
GetDpiForWindowFn FindGetDpiForWindow() {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
}

// The system DPI, which is every window's DPI on systems that know no other.
UINT ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND hWnd) {
    static const GetDpiForWindowFn getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow && hWnd) {
        if (const UINT dpi = getDpiForWindow(hWnd)) return dpi;
    }
    return ScreenDpi();
}
