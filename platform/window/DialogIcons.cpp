#include "platform/window/DialogIcons.h"

#include <utility>

namespace {

// Sets the new icon first and only then lets the old one go, so that the window never holds a
// destroyed icon.
void ShowInWindow(CIcon& kept, CIcon loaded, HWND window, WPARAM which) {
    ::SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(loaded.GetSafeHandle()));
    kept = std::move(loaded);
}

void ShowInControl(CIcon& kept, CIcon loaded, HWND control) {
    ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(loaded.GetSafeHandle()), 0);
    kept = std::move(loaded);
}

}  // namespace

void DialogIcons::Load(HWND dialog, UINT dpi) {
    if (m_windowId) {
        ShowInWindow(m_big, LoadIconForDpi(m_windowId, SM_CXICON, dpi), dialog, ICON_BIG);
        ShowInWindow(m_small, LoadIconForDpi(m_windowId, SM_CXSMICON, dpi), dialog, ICON_SMALL);
    }
    // The control takes the icon's size.
    if (m_control)
        ShowInControl(m_controlIcon, LoadIconForDpi(m_controlId, SM_CXICON, dpi), m_control);
}
