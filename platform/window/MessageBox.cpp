#include "platform/window/MessageBox.h"

#include "platform/os/win32/Encoding.h"
#include "platform/runtime/AfxMessageBox.h"
#include "platform/window/CWinApp.h"

int ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type) {
    // An owner that a modal dialog has already disabled (a box shown while that dialog is being
    // set up) must stay disabled afterwards; Wine enables it again when the box ends.
    const HWND root = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    const bool wasDisabled = root && !::IsWindowEnabled(root);
    const int result =
        ::MessageBoxW(owner, kiv::Widen(text).c_str(), kiv::Widen(caption).c_str(), type);
    if (wasDisabled && ::IsWindowEnabled(root)) ::EnableWindow(root, FALSE);
    return result;
}

std::wstring FileStem(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos && dot != 0) name = name.substr(0, dot);
    return std::wstring(name);
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

namespace {

HWND AfxMessageBoxOwner() {
    const CWinApp* app = AfxGetApp();
    const HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    return main ? ::GetLastActivePopup(main) : ::GetActiveWindow();
}

}  // namespace

void InstallAfxMessageBoxHandler() {
    SetAfxMessageBoxHandler([caption = AppName()](const CString& text) {
        ShowMessageBox(AfxMessageBoxOwner(), text, caption, MB_OK | MB_ICONEXCLAMATION);
    });
}
