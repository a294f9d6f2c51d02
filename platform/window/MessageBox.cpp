#include "platform/window/MessageBox.h"

#include "platform/os/win32/Encoding.h"
#include "platform/runtime/AfxMessageBox.h"
#include "platform/window/AppName.h"
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
