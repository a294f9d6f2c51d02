#pragma once

#include <string>
#include <string_view>

#include "platform/runtime/CString.h"

// The program's strings hold code page 932 bytes whatever the system's ANSI code page; these are
// the one place where they meet the wide Windows interfaces.
namespace kiv {

std::wstring Widen(const CString& text);
CString Narrow(std::wstring_view text);

}  // namespace kiv
