// What an entry point leaves of the DLL search: loads by bare name a DLL planted beside the
// program, as a system component loads one of its own, then a system DLL, and prints what
// became of each. Built on kiv.exe's entry point, on kivcli.exe's, and on a bare one that
// secures nothing; the bare one then tries the fallback for systems without
// SetDefaultDllDirectories.
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
int wmain() {
    ProbeDllSearch();
    // An oleacc.dll is planted too: after the fallback, the name finds the system's copy.
    kiv::LoadAtRiskDllsFromSystemFolder();
    wchar_t system[MAX_PATH], loaded[MAX_PATH];
    const UINT folder = ::GetSystemDirectoryW(system, MAX_PATH);
    const HMODULE oleacc = ::LoadLibraryW(L"oleacc.dll");
    const bool fromSystem =
        oleacc && ::GetModuleFileNameW(oleacc, loaded, MAX_PATH) > folder &&
        ::CompareStringOrdinal(system, folder, loaded, folder, TRUE) == CSTR_EQUAL;
    std::printf("fallback: oleacc.dll %s%s\n", fromSystem ? "from the system folder" : "elsewhere",
                Planted(L"oleacc.dll") ? ", planted DllMain ran" : "");
    return 0;
}
#endif
