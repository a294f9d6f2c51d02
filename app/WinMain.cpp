// The program's entry point: the framework's start-up around the one application object.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "platform/runtime/AfxMessageBox.h"
#include "platform/runtime/CFileException.h"
#include "platform/window/CWinApp.h"
#include "platform/window/MessageBox.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Message boxes of the start-up (the data file load) already need the real handler.
    InstallAfxMessageBoxHandler();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    // Handlers catch what they expect; anything else ends the program, said, not hidden.
    try {
        return app->InitInstance() ? app->Run() : 0;
    } catch (const CFileException& e) {
        AfxMessageBox(CString("file:") + e.m_strFileName);
    } catch (const std::exception& e) {
        AfxMessageBox(CString(e.what()));
    }
    return 1;
}
