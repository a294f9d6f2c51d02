#include "platform/os/win32/Encoding.h"

#include <windows.h>

namespace kiv {
namespace {

constexpr UINT kShiftJis = 932;

}  // namespace

std::wstring Widen(const CString& text) {
    if (text.IsEmpty()) return std::wstring();
    const int size =
        MultiByteToWideChar(kShiftJis, 0, text.GetString(), text.GetLength(), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(kShiftJis, 0, text.GetString(), text.GetLength(), wide.data(), size);
    return wide;
}

CString Narrow(std::wstring_view text) {
    if (text.empty()) return CString();
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(kShiftJis, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kShiftJis, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return CString(std::string_view(bytes));
}

}  // namespace kiv
