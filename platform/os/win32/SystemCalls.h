#pragma once

#include <windows.h>

// Every system call the file layer makes, through one table. A test replaces entries to make
// the n-th call fail with the error it chooses, as a failing disk or a pulled stick would, and
// the pause between tries of a held file so that nothing really waits; the program pays one
// indirect call per system call. Each entry behaves as the function of its name.
namespace kiv {

struct SystemCalls {
    HANDLE(WINAPI* CreateFileW)
    (LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
     DWORD flags, HANDLE model);
    DWORD(WINAPI* GetFileType)(HANDLE file);
    BOOL(WINAPI* GetFileInformationByHandle)(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info);
    BOOL(WINAPI* GetFileSizeEx)(HANDLE file, PLARGE_INTEGER size);
    BOOL(WINAPI* ReadFile)
    (HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped);
    BOOL(WINAPI* SetFilePointerEx)
    (HANDLE file, LARGE_INTEGER distance, PLARGE_INTEGER position, DWORD method);
    BOOL(WINAPI* WriteFile)
    (HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
    BOOL(WINAPI* FlushFileBuffers)(HANDLE file);
    BOOL(WINAPI* SetFileInformationByHandle)
    (HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info, DWORD size);
    BOOL(WINAPI* CloseHandle)(HANDLE handle);
    BOOL(WINAPI* DeleteFileW)(LPCWSTR path);
    DWORD(WINAPI* GetFileAttributesW)(LPCWSTR path);
    DWORD(WINAPI* GetFullPathNameW)(LPCWSTR path, DWORD size, LPWSTR full, LPWSTR* name);
    VOID(WINAPI* Sleep)(DWORD milliseconds);
};

// The table in force; it starts as the system's own functions.
extern SystemCalls g_systemCalls;

}  // namespace kiv
