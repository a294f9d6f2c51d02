#include <windows.h>

#include "cli/Console.h"
#include "platform/os/win32/Encoding.h"

void WriteText(std::FILE* stream, const std::string& utf8) {
    std::fflush(stream);
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        // A console shows wide text whatever its code page.
        const std::wstring wide = kiv::Widen(CString(utf8, CodePage::Utf8));
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // Redirected: UTF-8 bytes.
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}
