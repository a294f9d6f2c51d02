#pragma once

#include <memory>
#include <string>

#include "platform/runtime/CString.h"

namespace kiv {
class FileHandle;
}

// A text file in the runtime's text mode. Reading: CR LF becomes LF, a lone CR stays, a 0x1A
// byte ends the readable data, and each line comes without its LF. Writing: each LF reaches the
// disk as CR LF. While open, the file is not shared with other processes (on Windows).
class CStdioFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,  // create, or truncate an existing file
        typeText = 0x4000,
        shareExclusive = 0x0010,
    };

    // Throws CFileException carrying path as passed.
    CStdioFile(const CString& path, unsigned flags);
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Reads one line of any length without its line end; false only at end of data with nothing
    // read. A read failure throws CFileException carrying the full path.
    bool ReadString(CString& line);
    // Writes through at once, so a failure throws here rather than being lost at close.
    void WriteString(const CString& text);
    // Forces what was written to the disk; throws CFileException on failure.
    void Sync();
    // Closes; a failure throws CFileException. The destructor closes silently.
    void Close();

    const CString& GetFilePath() const { return m_strPath; }
    // True once a 0x1A byte has ended the readable data and the file holds more bytes after it:
    // a caller that rewrites the file would lose them.
    bool HasBytesAfterEndOfData() const { return m_bytesAfterEnd; }

private:
    bool FillBuffer();
    kiv::FileHandle& File();

    CString m_strPath;
    std::unique_ptr<kiv::FileHandle> m_file;
    std::string m_buffer;
    size_t m_pos = 0;
    bool m_eof = false;        // the file ended, or a 0x1A byte was met
    bool m_pendingCR = false;  // a chunk ended in CR: the next byte decides what it becomes
    bool m_bytesAfterEnd = false;
};
