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

    // On Windows, a file being read is shared with other readers only, and a file being written
    // with no one (POSIX has no mandatory locks); an open that meets another program's brief hold
    // on the file is tried again for a while. Throws CFileException carrying path as passed. For
    // reading, anything but a regular file (a folder, a pipe, a device, a socket) is refused with
    // accessDenied, and the open never waits for a writer.
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

    // For a file opened with CreateNew. Gives it target's name, replacing what had that name in
    // one step (target keeps either its old or its new contents), through this handle: no other
    // program can open the file between its last write and its new name. Waits out a brief hold
    // on target, but not a target that refuses for good (read-only, or a folder). Throws
    // CFileException carrying target; the file then keeps its own name.
    void RenameOver(const CString& target);
    // For a file opened with CreateNew that is not wanted after all: removes it, through this
    // handle, and closes the handle; when the system would not remove it, it is removed by name
    // once closed.
    void Delete() noexcept;

private:
    CString m_strPath;
    std::intptr_t m_handle;
};

// The absolute form of path (unchanged when it cannot be resolved).
CString FullPath(const CString& path);
bool PathExists(const CString& path);

// The whole command line of the process as the program's own string type: program path first.
CString CommandLine();

}  // namespace kiv
