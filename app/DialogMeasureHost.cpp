#include "app/DialogMeasureHost.h"

#include "platform/window/CWinApp.h"

void DialogMeasureHost::SetButton(const CString& caption, bool enabled) {
    const CWnd button = m_dialog.GetDlgItem(IDOK);
    button.SetWindowText(caption);
    button.EnableWindow(enabled);
    // The pause and the workload block the message loop: paint the new state now, or the user
    // would not see it until the result box appears.
    button.UpdateWindow();
    AfxShowPaintedNow();
}

void DialogMeasureHost::ShowResult(const CString& text, const CString& caption) {
    // A key pressed during the measurement (Enter pressed twice) would otherwise dismiss the
    // result box the moment it appears, before anyone could read it.
    AfxDiscardPendingInput();
    m_dialog.MessageBox(text, caption, MB_OK);
}
