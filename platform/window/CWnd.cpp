#include "platform/window/CWnd.h"

#include "platform/os/win32/Encoding.h"
#include "platform/window/MessageBox.h"

void CWnd::SetWindowText(const CString& text) const {
    ::SetWindowTextW(m_hWnd, kiv::Widen(text).c_str());
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) const {
    const LRESULT old =
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return reinterpret_cast<HICON>(old);
}

int CWnd::MessageBox(const CString& text, const CString& caption, UINT type) const {
    return ShowMessageBox(m_hWnd, text, caption, type);
}
