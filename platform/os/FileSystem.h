#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/runtime/CString.h"

// The operating system's file operations, behind one seam: POSIX on the host, Win32 on Windows.
// Paths are the program's own strings: on Windows in their code page, Shift-JIS or UTF-8; on the
// host the bytes are the path.
namespace kiv {

class FileHandle {
public:
    // Read: an existing regular file. CreateWrite: create, or truncate an existing file. Write:
    // an existing file, kept as it is. CreateNew: a file that did not exist; a name that is
    // taken, by a link (even one to nothing) or anything else, is fileExists and left alone.
    enum class Mode { Read, CreateWrite, Write, CreateNew };

    // Opens without sharing (on Windows; POSIX has no mandatory locks). Throws CFileException
    // carrying path as passed. For reading, anything but a regular file (a folder, a pipe, a
    // device, a socket) is refused with accessDenied, and the open never waits for a writer.
    FileHandle(const CString& path, Mode mode);
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // The file's size as the system reports it now; it may still grow.
    std::uint64_t Size() const;
    // Bytes read, 0 at end of file. Throws CFileException carrying the full path.
    size_t Read(char* buffer, size_t size);
    // Goes back to the start of the file, for reading it again.
    void Rewind();
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
