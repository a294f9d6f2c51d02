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

int CWnd::MessageBox(const CString& text, const CString& caption, UINT type) const {
    return ShowMessageBox(m_hWnd, text, caption, type);
}
