#include "platform/window/FatalExit.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/window/AppName.h"

namespace {

constexpr UINT kExitCode = 3;

}  // namespace

void FatalExit() noexcept {
    // Nothing here allocates: the cause may have been a full heap. A second call (the box's
    // modal loop sends messages to our windows, which may fail again) ends at once.
    static bool entered = false;
    if (!entered) {
        entered = true;
        wchar_t path[MAX_PATH];
        const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        wchar_t caption[MAX_PATH] = {};
        if (length > 0 && length < MAX_PATH) {
            const std::wstring_view stem = FileStem(std::wstring_view(path, length));
            std::copy(stem.begin(), stem.end(), caption);
        }
        // Task-modal: the program's other windows take no input while the box is up.
        ::MessageBoxW(nullptr, L"予期しないエラーが起きたため、プログラムを終了します。", caption,
                      MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    }
    ::ExitProcess(kExitCode);
}

// The C++ runtime's default terminate handler, replaced: the runtime's own names its exception
// type on standard error, which a window program does not have, and brings the runtime's name
// demangler (about 70 KB) into the program with it.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
    FatalExit();
}

}  // namespace __gnu_cxx
