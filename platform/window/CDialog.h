#pragma once

#include <windows.h>

#include <exception>

#include "platform/window/CWnd.h"
#include "platform/window/DialogIcons.h"

// What DoDataExchange binds controls with.
class CDataExchange {
public:
    explicit CDataExchange(const CWnd& dialog) : m_pDlgWnd(&dialog) {}

    const CWnd* m_pDlgWnd;
};

// Binds control to the dialog's control id; throws CInvalidArgException when there is none.
void DDX_Control(CDataExchange& dx, int id, CWnd& control);

// A modal dialog from a template in the program's resources. Derived dialogs override the hooks
// they need; the base versions give the default dialog behaviour.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr)
        : m_nIDTemplate(templateId), m_hWndParent(parent) {}
    // Out of line: the icons it destroys would otherwise be inlined into every dialog.
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the dialog, runs it until it ends and returns the code given to EndDialog (-1 when
    // it could not be created). Without a parent the application's main window owns it. An
    // exception thrown by a handler ends the dialog and is thrown again from here.
    INT_PTR DoModal();
    void EndDialog(int result) const { ::EndDialog(m_hWnd, result); }

protected:
    // The base binds the controls (DoDataExchange) and lets the system set the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    // The default button (id 1) or Enter; the base ends the dialog with IDOK.
    virtual void OnOK() { EndDialog(IDOK); }
    // Esc, the close box or Close; the base ends the dialog with IDCANCEL.
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // These return false to leave the message to the default dialog handling, as the base does.
    virtual bool OnSysCommand(UINT /*id*/, LPARAM /*lParam*/) { return false; }
    virtual bool OnPaint() { return false; }
    // A control's notification (WM_NOTIFY); the handler may fill in the structure it points to.
    // A handled notification's result goes in result.
    virtual bool OnNotify(NMHDR& /*notification*/, LRESULT& /*result*/) { return false; }
    // Null leaves the answer to the default handling.
    virtual HICON OnQueryDragIcon() { return nullptr; }

    // Shows icon id in the caption, the task bar and Alt+Tab, or in the dialog's icon control,
    // at the sizes of the dialog's DPI, now and whenever the DPI changes. From OnInitDialog on.
    void SetWindowIcon(UINT id);
    void SetControlIcon(UINT id);
    // The large window icon at the dialog's DPI, or null.
    HICON GetWindowIcon() const { return m_icons.GetBig(); }
    // The DPI the dialog is laid out for.
    UINT GetDpi() const { return m_dpi; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR InitDialog();
    bool OnCommand(WORD id, WORD code);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    UINT m_nIDTemplate;
    HWND m_hWndParent;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    DialogIcons m_icons;
    std::exception_ptr m_error;  // thrown by a handler; DoModal throws it again
};
