#include "platform/window/AppName.h"

#include <windows.h>

#include "platform/os/win32/Encoding.h"

std::wstring_view FileStem(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos && dot != 0) name = name.substr(0, dot);
    return name;
}

CString AppName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return CString();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return kiv::Narrow(FileStem(path));
}
