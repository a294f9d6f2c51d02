#pragma once

#include <vector>

#include "platform/runtime/CString.h"

// kivcli: one real measurement against the score table, printed on the terminal. args are the
// arguments after the program's name. Returns the exit code.
int RunKivcli(const std::vector<CString>& args);
