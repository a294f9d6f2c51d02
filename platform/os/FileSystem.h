#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/runtime/CString.h"

// The operating system's file operations, behind one seam: POSIX on the host, Win32 on Windows.
// Paths are the program's own strings: UTF-8 bytes on the host, Shift-JIS on Windows.
namespace kiv {

class FileHandle {
public:
    // Read: an existing file. CreateWrite: create, or truncate an existing file. Write: an
    // existing file, kept as it is.
    enum class Mode { Read, CreateWrite, Write };

    // Opens without sharing (on Windows; POSIX has no mandatory locks). Throws CFileException
    // carrying path as passed; a folder is refused with accessDenied.
    FileHandle(const CString& path, Mode mode);
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Bytes read, 0 at end of file. Throws CFileException carrying the full path.
    size_t Read(char* buffer, size_t size);
    // Writes all of data; throws CFileException carrying the full path.
    void Write(const char* data, size_t size);
    // Forces the written bytes to the disk; throws on failure.
    void Sync();
    // Throws CFileException when the system reports a failure; the handle is gone either way.
    void Close();

private:
    CString m_strPath;
    std::intptr_t m_handle;
};

// The absolute form of path (unchanged when it cannot be resolved).
CString FullPath(const CString& path);
bool PathExists(const CString& path);
// <windows.h> defines ReplaceFile as a macro; a file that includes it before this one still
// reaches ours.
#ifdef ReplaceFile
#undef ReplaceFile
#endif
// Replaces target by source in one step (target keeps either its old or its new contents).
// Throws CFileException carrying target.
void ReplaceFile(const CString& source, const CString& target);
void RemoveFile(const CString& path) noexcept;

// The whole command line of the process as the program's own string type: program path first.
CString CommandLine();

}  // namespace kiv
