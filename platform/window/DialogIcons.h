#pragma once

#include <windows.h>

#include "platform/window/CIcon.h"

// The icons a dialog shows, at the sizes of its DPI: its own in the caption, the task bar and
// Alt+Tab, and one in its icon control. Load sets them again for a new DPI, and CDialog calls it
// once more after Windows' dialog manager has put the control back to its template box.
class DialogIcons {
public:
    void SetWindowIcon(UINT id) { m_windowId = id; }
    void SetControlIcon(HWND control, UINT id) {
        m_control = control;
        m_controlId = id;
    }
    void Load(HWND dialog, UINT dpi);
    // The large window icon, or null.
    HICON GetBig() const { return m_big.GetSafeHandle(); }

private:
    UINT m_windowId = 0;
    CIcon m_big;
    CIcon m_small;
    HWND m_control = nullptr;
    UINT m_controlId = 0;
    CIcon m_controlIcon;
};
