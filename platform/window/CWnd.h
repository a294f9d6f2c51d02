#pragma once

#include <windows.h>

#include "platform/runtime/CString.h"
#include "platform/window/Dpi.h"

// One window handle and one-line forwards. It owns nothing: the window lives and dies by the
// system's rules (our dialogs end with EndDialog), not with this object.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

    HWND GetSafeHwnd() const { return m_hWnd; }
    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }

    void SetWindowText(const CString& text) const;
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void SetRedraw(BOOL redraw) const { SendMessage(WM_SETREDRAW, redraw); }
    void Invalidate() const { ::InvalidateRect(m_hWnd, nullptr, TRUE); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    RECT GetClientRect() const;
    // A size given in pixels at 96 DPI, in pixels at the DPI this window is drawn at.
    int ScaleByDpi(int pixelsAt96) const {
        return ::MulDiv(pixelsAt96, static_cast<int>(WindowDpi(m_hWnd)), USER_DEFAULT_SCREEN_DPI);
    }
    HMENU GetSystemMenu() const { return ::GetSystemMenu(m_hWnd, FALSE); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    // A modal message box owned by this window.
    int MessageBox(const CString& text, const CString& caption, UINT type = MB_OK) const;

    HWND m_hWnd = nullptr;
};
