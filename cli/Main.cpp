#include <vector>

#include "cli/Kivcli.h"

#ifdef _WIN32
#include "platform/os/win32/DllSearch.h"
#include "platform/os/win32/Encoding.h"

// Wide arguments, so that paths reach the program whole whatever the system's ANSI code page.
int wmain(int argc, wchar_t** argv) {
    // Before anything that may load a DLL.
    kiv::SecureDllSearch();
    std::vector<CString> args;
    for (int i = 1; i < argc; ++i) args.push_back(kiv::Narrow(argv[i]));
    return RunKivcli(args);
}
#else
int main(int argc, char** argv) {
    std::vector<CString> args;
    // The host's paths are UTF-8.
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i], CodePage::Utf8);
    return RunKivcli(args);
}
#endif
