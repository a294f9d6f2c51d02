#include <windows.h>

#include "cli/Console.h"
#include "platform/os/win32/Encoding.h"

namespace {

// A console shows wide text whatever its code page: true when stream is one and took the text.
bool WroteToConsole(std::FILE* stream, const std::string& utf8) {
    std::fflush(stream);
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
    const std::wstring wide = kiv::Widen(CString(utf8, CodePage::Utf8));
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return true;
}

void WriteBytes(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

}  // namespace

void WriteText(std::FILE* stream, const std::string& utf8) {
    if (WroteToConsole(stream, utf8)) return;
    // Redirected to a file or a pipe: cmd's type and PowerShell read a program's output in the
    // console's output code page, and a process without a console has the ANSI one.
    const UINT console = GetConsoleOutputCP();
    WriteBytes(stream, kiv::BytesInSystemCodePage(CString(utf8, CodePage::Utf8),
                                                  console != 0 ? console : GetACP()));
}

void WriteJson(std::FILE* stream, const std::string& utf8) {
    if (WroteToConsole(stream, utf8)) return;
    // JSON is exchanged as UTF-8, whatever the system's code pages.
    WriteBytes(stream, utf8);
}
