// The program's entry point: the framework's start-up around the one application object.
#include <windows.h>

#include <commctrl.h>

#include "platform/os/win32/DllSearch.h"
#include "platform/runtime/AfxMessageBox.h"
#include "platform/window/CWinApp.h"
#include "platform/window/FatalExit.h"
#include "platform/window/MessageBox.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything that may load a DLL. The static constructors before this (the application
    // object, the clock's start) load none.
    kiv::SecureDllSearch();
    // Handlers catch what they expect; anything that gets here, or to std::terminate, ends the
    // program with one message box that says so.
    try {
        // Message boxes of the start-up (the data file load) already need the real handler.
        InstallAfxMessageBoxHandler();
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);

        CWinApp* app = AfxGetApp();
        if (!app) return 1;
        return app->InitInstance() ? app->Run() : 0;
    } catch (...) {
        FatalExit();
    }
}
