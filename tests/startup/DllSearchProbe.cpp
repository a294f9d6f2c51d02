// What an entry point leaves of the DLL search: loads by bare name a DLL planted beside the
// program, as a system component loads one of its own, then a system DLL, and prints what
// became of each. Built on kiv.exe's entry point, on kivcli.exe's, and on a bare one that
// secures nothing; the bare one then runs SecureDllSearch as on a system that lacks
// SetDefaultDllDirectories, or (argument "fails") where it fails: the fallback.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/os/win32/DllSearch.h"

namespace {

bool Planted(const wchar_t* name) {
    return ::GetEnvironmentVariableW(name, nullptr, 0) != 0;
}

void ProbeDllSearch() {
    if (const HMODULE planted = ::LoadLibraryW(L"kivplant.dll")) {
        std::printf("planted: loaded, DllMain %s\n", Planted(L"kivplant.dll") ? "ran" : "silent");
        ::FreeLibrary(planted);
    } else {
        std::printf("planted: error %lu\n", ::GetLastError());
    }
    // Not loaded by the probe's own imports: a real search.
    const bool wasLoaded = ::GetModuleHandleW(L"winmm.dll") != nullptr;
    std::printf("system: %s%s\n", ::LoadLibraryW(L"winmm.dll") ? "loaded" : "error",
                wasLoaded ? " (already)" : "");
}

}  // namespace

#if defined(KIV_PROBE_KIV)
#include "platform/window/CWinApp.h"

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override { return TRUE; }
    int Run() override {
        ProbeDllSearch();
        return 0;
    }
};

CProbeApp theApp;

#elif defined(KIV_PROBE_KIVCLI)
#include "cli/Kivcli.h"

int RunKivcli(const std::vector<CString>&) {
    ProbeDllSearch();
    return 0;
}

#else
#include <cwchar>

// A SetDefaultDllDirectories that fails.
BOOL WINAPI FailingSetDefault(DWORD) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

bool FromSystemFolder(HMODULE module) {
    wchar_t system[MAX_PATH], loaded[MAX_PATH];
    const UINT folder = ::GetSystemDirectoryW(system, MAX_PATH);
    return module && ::GetModuleFileNameW(module, loaded, MAX_PATH) > folder &&
           ::CompareStringOrdinal(system, folder, loaded, folder, TRUE) == CSTR_EQUAL;
}

int wmain(int argc, wchar_t** argv) {
    ProbeDllSearch();
    const bool fails = argc > 1 && std::wcscmp(argv[1], L"fails") == 0;
    kiv::SecureDllSearch(fails ? FailingSetDefault : nullptr);
    // Each at-risk DLL is planted too: after the fallback, its name finds the system's copy.
    for (const wchar_t* name : {L"uxtheme.dll", L"dwmapi.dll", L"oleacc.dll"}) {
        const bool fromSystem = FromSystemFolder(::LoadLibraryW(name));
        std::printf("fallback: %ls %s%s\n", name,
                    fromSystem ? "from the system folder" : "elsewhere",
                    Planted(name) ? ", planted DllMain ran" : "");
    }
    // So is one of the system oleacc's own imports, which must come from beside that oleacc.
    std::printf("oleacc's import: %s\n",
                Planted(L"oleaut32.dll") ? "planted DllMain ran" : "silent");
    return 0;
}
#endif
