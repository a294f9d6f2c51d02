#include "platform/window/CWinApp.h"

#include <string_view>

#include "platform/os/win32/Encoding.h"

namespace {

CWinApp* g_pApp = nullptr;
constexpr UINT kNeverPosted = WM_APP + 0x3FFF;

}  // namespace

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

int CWinApp::Run() {
    MSG msg{};
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // WM_QUIT carries the exit code; -1 is GetMessage failing, which has no message to read.
    return got == 0 ? static_cast<int>(msg.wParam) : -1;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleW(nullptr);
}

void AfxDiscardPendingInput() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

void AfxShowPaintedNow() {
    // Some window systems (Wine's among them) put what was painted on the screen only when the
    // thread next looks for input. Looking for a message that is never posted takes nothing
    // from the queue and leaves any pending input where it is.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

CString AfxLoadString(UINT id) {
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return CString();
    return kiv::Narrow(std::wstring_view(text, static_cast<size_t>(length)));
}
