#pragma once

#include <windows.h>

#include "platform/window/CWnd.h"

// The application object. The program defines exactly one, as a global; the entry point calls
// its InitInstance and, if that returns TRUE, its Run. It and the framework's other globals
// belong to the one user-interface thread: no other thread may touch them.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    // The message loop, for programs that keep running after InitInstance.
    virtual int Run();

    // The window whose last active popup owns the application's message boxes, and the owner
    // of dialogs run without a parent.
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Drops the keyboard and mouse input waiting in the thread's queue: what the user typed while
// the thread was busy and could not show what it was doing.
void AfxDiscardPendingInput();
// Puts what the thread has painted on the screen now, while it goes on without reading input.
void AfxShowPaintedNow();
// A string resource as Shift-JIS text; empty when the string does not exist.
CString AfxLoadString(UINT id);
