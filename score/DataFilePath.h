#pragma once

#include "platform/runtime/CString.h"

// The directory part of the program's command line, with its trailing separator, or empty.
CString ProgramDirectory();
// ProgramDirectory() followed by "kiv.txt".
CString DataFilePath();

// The rule behind ProgramDirectory, for a given command line. A command line that starts with a
// double quote has the program's path up to the closing quote, and only that part is searched;
// otherwise the whole line is searched for the last separator. With doubleBytePaths the search
// follows the command line's code page (Windows: over the double-byte characters of Shift-JIS,
// bytes in UTF-8); otherwise it scans bytes (the host's UTF-8 paths).
CString ProgramDirectoryOf(const CString& commandLine, char separator, bool doubleBytePaths);
