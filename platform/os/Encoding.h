#pragma once

#include <string>
#include <string_view>

#include "platform/runtime/CString.h"

// Conversions between code pages, from the system (the code-page functions on Windows, iconv on
// the host): none substitutes a look-alike character for one that the target lacks.
namespace kiv {

// text as UTF-16 bytes, little-endian. Bytes that are no character of its code page become
// U+FFFD in UTF-8 text.
std::string Utf16LeOf(const CString& text);
// UTF-16 little-endian bytes as UTF-8 text; a lone surrogate or an odd last byte becomes U+FFFD.
CString Utf8OfUtf16Le(std::string_view bytes);
// text in code page to. A character that Shift-JIS lacks becomes '?', visibly.
CString InCodePage(const CString& text, CodePage to);
// left followed by right: in Shift-JIS when both are (or are ASCII), else in UTF-8.
CString Concat(const CString& left, const CString& right);

}  // namespace kiv
