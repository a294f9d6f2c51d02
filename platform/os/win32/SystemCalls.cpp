#include "platform/os/win32/SystemCalls.h"

namespace kiv {

SystemCalls g_systemCalls = {
    ::CreateFileW,
    ::GetFileType,
    ::GetFileInformationByHandle,
    ::GetFileSizeEx,
    ::ReadFile,
    ::SetFilePointerEx,
    ::WriteFile,
    ::FlushFileBuffers,
    ::SetFileInformationByHandle,
    ::CloseHandle,
    ::DeleteFileW,
    ::GetFileAttributesW,
    ::GetFullPathNameW,
    ::Sleep,
};

}  // namespace kiv
