#pragma once

#include <cstdio>
#include <string>

#include "platform/runtime/CString.h"

// The program's text as UTF-8; bytes that are no character of its code page become U+FFFD.
std::string ToUtf8(const CString& text);

// Writes UTF-8 text to stdout or stderr in the terminal's encoding: wide console output on a
// Windows console, the UTF-8 bytes otherwise.
void WriteText(std::FILE* stream, const std::string& utf8);
