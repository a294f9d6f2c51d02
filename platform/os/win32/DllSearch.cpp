#include "platform/os/win32/DllSearch.h"

#include <windows.h>

#include <string>

#include "platform/os/win32/SystemFunction.h"

namespace kiv {
namespace {

// Loaded by bare name by system components after start-up, and no KnownDLLs (which the loader
// takes from the system folder anyway) on the systems that need the fallback:
// - uxtheme: the visual styles, loaded when the first themed window opens;
// - dwmapi: the window frame's composition, for uxtheme and user32;
// - oleacc: the dialogs' and the list view's answer to an accessibility client;
// - cryptbase: advapi32's random numbers, behind the C runtime's rand_s, on Windows 7.
constexpr const wchar_t* kAtRiskDlls[] = {L"uxtheme.dll", L"dwmapi.dll", L"oleacc.dll",
                                          L"cryptbase.dll"};

void LoadAtRiskDllsFromSystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    for (const wchar_t* name : kAtRiskDlls) {
        const std::wstring path = std::wstring(folder, length) + L'\\' + name;
        // Its own imports are then looked for beside it, in the system folder, too. It stays
        // loaded for the process's life; a DLL this system lacks, none of its components loads.
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
}

}  // namespace

void SecureDllSearch() {
    // Windows 8, or Windows 7 with KB2533623.
    SecureDllSearch(FindSystemFunction<SetDefaultDllDirectoriesFn>(L"kernel32.dll",
                                                                   "SetDefaultDllDirectories"));
}

void SecureDllSearch(SetDefaultDllDirectoriesFn setDefault) {
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    LoadAtRiskDllsFromSystemFolder();
}

}  // namespace kiv
