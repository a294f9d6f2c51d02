#pragma once

#include <string>
#include <string_view>

#include "platform/os/Encoding.h"
#include "platform/runtime/CString.h"

// Where the program's strings meet the wide Windows interfaces: a string goes out from its own
// code page, and text comes back in Shift-JIS where that holds it, else in UTF-8.
namespace kiv {

std::wstring Widen(const CString& text);
CString Narrow(std::wstring_view text);
// text in one of the system's code pages (a console's, the ANSI one): a character that code page
// lacks becomes one '?', never a look-alike; UTF-8 (65001) keeps every character.
std::string BytesInSystemCodePage(const CString& text, unsigned codePage);

}  // namespace kiv
