// A window program on our framework whose start fails in a way nobody planned for, so that the
// end-to-end tests can see the end the framework gives it. "terminate" on the command line throws
// out of a function that may not throw (the C++ runtime then calls std::terminate); otherwise an
// exception that is no std::exception escapes the application object.
#include <windows.h>

#include <cwchar>

#include "platform/window/CWinApp.h"

namespace {

// Called through a pointer, so that the compiler cannot see the throw inside the noexcept caller.
void (*volatile g_throw)() = [] { throw 42; };

void MayNotThrow() noexcept {
    g_throw();
}

class CFaultApp : public CWinApp {
public:
    BOOL InitInstance() override {
        if (std::wcsstr(::GetCommandLineW(), L"terminate")) MayNotThrow();
        throw 42;
    }
};

CFaultApp theApp;

}  // namespace
