#include "platform/os/win32/Encoding.h"

#include <windows.h>

namespace kiv {
namespace {

constexpr UINT kShiftJis = 932;
constexpr UINT kGb18030 = 54936;

UINT WindowsCodePage(CodePage codePage) {
    return codePage == CodePage::Utf8 ? CP_UTF8 : kShiftJis;
}

std::wstring WideOf(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), size);
    return wide;
}

// The code pages that hold every character, those past the BMP included.
bool HoldsEveryCharacter(UINT codePage) {
    return codePage == CP_UTF8 || codePage == CP_UTF7 || codePage == kGb18030;
}

// A character past the BMP is one character that a code page such as Shift-JIS lacks: one '?',
// where the code-page function gives one for each of its two units.
std::wstring PairsAsOne(std::wstring_view text) {
    std::wstring single;
    single.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        single += pair ? L'?' : text[i];
        if (pair) ++i;
    }
    return single;
}

// To a code page other than UTF-8, a character it lacks becomes one '?', not a look-alike
// (WC_NO_BEST_FIT_CHARS: U+00A5 would otherwise become a backslash in Shift-JIS, and "é" an "e").
std::string BytesOf(std::wstring_view text, UINT codePage) {
    std::wstring single;
    if (!HoldsEveryCharacter(codePage)) text = single = PairsAsOne(text);
    if (text.empty()) return std::string();
    DWORD flags = codePage != CP_UTF8 ? WC_NO_BEST_FIT_CHARS : 0;
    const int length = static_cast<int>(text.size());
    int size =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    // A few code pages (GB18030, the ISO-2022 ones) take no flags.
    if (size == 0 && flags != 0) {
        flags = 0;
        size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring Widen(const CString& text) {
    return WideOf(text.View(), WindowsCodePage(text.GetCodePage()));
}

CString Narrow(std::wstring_view text) {
    // Shift-JIS only when it gives back every character as it was.
    std::string sjis = BytesOf(text, kShiftJis);
    if (WideOf(sjis, kShiftJis) == text) return CString(sjis);
    return CString(BytesOf(text, CP_UTF8), CodePage::Utf8);
}

std::string Utf16LeOf(const CString& text) {
    const std::wstring wide = Widen(text);
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

CString Utf8OfUtf16Le(std::string_view bytes) {
    const std::wstring_view units(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::string text = BytesOf(units, CP_UTF8);
    if (bytes.size() % 2 != 0) text += "\xEF\xBF\xBD";
    return CString(text, CodePage::Utf8);
}

std::string BytesInSystemCodePage(const CString& text, unsigned codePage) {
    return BytesOf(Widen(text), codePage);
}

CString InCodePage(const CString& text, CodePage to) {
    if (text.GetCodePage() == to) return text;
    return CString(BytesOf(Widen(text), WindowsCodePage(to)), to);
}

}  // namespace kiv
