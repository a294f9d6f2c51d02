#include "app/CKivApp.h"

#include "app/CKivDlg.h"

CKivApp theApp;

BOOL CKivApp::InitInstance() {
    CKivDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // FALSE: the program ends here instead of entering a message loop.
    return FALSE;
}
