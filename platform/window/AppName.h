#pragma once

#include <string>
#include <string_view>

#include "platform/runtime/CString.h"

// The program's name as captions show it: the executable's file name without its extension.
CString AppName();
// The file name part of path without its last extension ("C:\x.y\kiv.exe" gives "kiv"); a view
// into path.
std::wstring_view FileStem(std::wstring_view path);
