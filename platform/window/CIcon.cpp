#include "platform/window/CIcon.h"

#include "platform/os/win32/SystemFunction.h"
#include "platform/window/CWinApp.h"
#include "platform/window/Dpi.h"

CIcon LoadIconForDpi(UINT id, int metric, UINT dpi) {
    const int size = SystemMetricForDpi(metric, dpi);
    const HINSTANCE instance = AfxGetInstanceHandle();
    // Windows Vista and later; it scales a larger image down where LoadImage would stretch a
    // smaller one up, as for the 28 and 56 pixels of 175%.
    using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    const auto loadIconWithScaleDown =
        FindSystemFunction<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (loadIconWithScaleDown &&
        SUCCEEDED(loadIconWithScaleDown(instance, MAKEINTRESOURCEW(id), size, size, &icon)))
        return CIcon(icon);
    return CIcon(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}
