#include <windows.h>

#include "cli/Console.h"
#include "platform/os/win32/Encoding.h"

std::string ToUtf8(const CString& text) {
    const std::wstring wide = kiv::Widen(text);
    if (wide.empty()) return std::string();
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

void WriteText(std::FILE* stream, const std::string& utf8) {
    std::fflush(stream);
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        // A console shows wide text whatever its code page.
        const int length = static_cast<int>(utf8.size());
        const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
        std::wstring wide(static_cast<size_t>(size), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // Redirected: UTF-8 bytes.
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}
