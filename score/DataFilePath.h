#pragma once

#include "platform/CString.h"

// The directory part of the program's command line, with its trailing separator, or empty.
CString ProgramDirectory();
// ProgramDirectory() followed by "kiv.txt".
CString DataFilePath();
