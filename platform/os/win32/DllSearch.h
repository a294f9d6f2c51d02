#pragma once

#include <windows.h>

// A DLL loaded by bare name is looked for in the program's folder first: a DLL left beside the
// program (a download folder is full of them) would be loaded into it. Windows' own components
// load some DLLs that way long after start-up.
namespace kiv {

// Takes the program's folder out of the search: from then on a bare name is looked for in the
// system folder only. Where the system cannot do that (Vista, Windows 7 without its update),
// loads the DLLs most at risk from the system folder instead. Call it first in the entry point,
// before anything may load a DLL.
void SecureDllSearch();

// The same with the system's SetDefaultDllDirectories given: null where the system lacks it.
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
// Where it is missing or fails, the fallback loads the DLLs at risk by full path from the system
// folder, so that later loads by bare name find the copy already loaded.
void SecureDllSearch(SetDefaultDllDirectoriesFn setDefault);

}  // namespace kiv
