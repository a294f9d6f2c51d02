// A DLL planted beside a program under a name that the program, or a system component, loads by
// bare name. Loaded, it leaves a trace: an environment variable of the process named as its own
// file ("kivplant.dll", "oleacc.dll").
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return TRUE;
    const wchar_t* name = path + length;
    while (name > path && name[-1] != L'\\' && name[-1] != L'/') --name;
    SetEnvironmentVariableW(name, L"planted");
    return TRUE;
}
