#pragma once

#include <cstdio>
#include <string>

#include "platform/runtime/CString.h"

// The program's text as UTF-8; bytes that are no character of its code page become U+FFFD.
std::string ToUtf8(const CString& text);

// Writes UTF-8 text to stdout or stderr in the terminal's encoding: wide console output on a
// Windows console; redirected on Windows, in the console's output code page (the ANSI one without
// a console), a character it lacks becoming '?'; the UTF-8 bytes elsewhere.
void WriteText(std::FILE* stream, const std::string& utf8);
// The same for JSON, except that redirected it stays UTF-8 on Windows too.
void WriteJson(std::FILE* stream, const std::string& utf8);
