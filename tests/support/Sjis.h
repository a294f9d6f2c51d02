#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/runtime/CString.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

// The Shift-JIS (code page 932) bytes of a UTF-8 text, so that tests can state expected texts
// readably: Sjis(u8"結果").
inline CString Sjis(std::u8string_view text) {
    const std::string utf8(reinterpret_cast<const char*>(text.data()), text.size());
    if (utf8.empty()) return CString();
#ifdef _WIN32
    const int length = static_cast<int>(utf8.size());
    const int wideSize =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideSize);
    BOOL lossy = FALSE;
    const int size =
        WideCharToMultiByte(932, 0, wide.data(), wideSize, nullptr, 0, nullptr, &lossy);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, wide.data(), wideSize, bytes.data(), size, nullptr, &lossy);
    if (wideSize == 0 || lossy) throw std::invalid_argument("not representable in code page 932");
    return CString(std::string_view(bytes));
#else
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    std::string bytes(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = bytes.data();
    size_t outLeft = bytes.size();
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) {
        throw std::invalid_argument("not representable in code page 932");
    }
    bytes.resize(bytes.size() - outLeft);
    return CString(std::string_view(bytes));
#endif
}

// A UTF-8 text as the program keeps Unicode text: Utf8(u8"José").
inline CString Utf8(std::u8string_view text) {
    return CString(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                   CodePage::Utf8);
}

// Failure output: printable ASCII as it is, every other byte as \xHH.
inline void PrintTo(const CString& text, std::ostream* os) {
    static const char kHex[] = "0123456789ABCDEF";
    *os << '"';
    for (const char c : text.View()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '"') {
            *os << c;
        } else {
            *os << "\\x" << kHex[byte >> 4] << kHex[byte & 15];
        }
    }
    *os << '"';
}
