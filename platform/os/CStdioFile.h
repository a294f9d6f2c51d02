#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "platform/os/TextEncoding.h"
#include "platform/runtime/CString.h"

namespace kiv {
class FileHandle;
}

// The most a reader takes in. Past any of them the file cannot be read: ReadString (or the open,
// for a file already too large) throws CFileException with the cause tooLarge.
struct ReadLimits {
    std::uint64_t fileBytes = std::numeric_limits<std::uint64_t>::max();
    size_t lineBytes = std::numeric_limits<size_t>::max();  // one line, without its line end
    size_t lines = std::numeric_limits<size_t>::max();
};

// A text file in the runtime's text mode. Reading: CR LF becomes LF, a lone CR stays, a 0x1A
// byte ends the readable data, and each line comes without its LF. Writing: each LF reaches the
// disk as CR LF. On Windows, a file being written is not shared with other processes, and a file
// being read only with their readers; an open waits out another program's brief hold.
// Its text is in one of the TextEncodings: a file being read says which from its first line on,
// and its lines come in Shift-JIS or, for the Unicode encodings, decoded into UTF-8, without the
// byte-order mark; the text-mode rules apply to the decoded text. A file opened for writing is
// Shift-JIS unless told otherwise.
class CStdioFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,  // create, or truncate an existing file
        // Create a file that does not exist yet: a taken name, a link included, is fileExists.
        modeCreateNew = 0x20000,
        typeText = 0x4000,
        shareDenyWrite = 0x0020,  // what a file being read always is: other readers may read along
    };

    // Throws CFileException carrying path as passed. Only a regular file is opened for reading.
    CStdioFile(const CString& path, unsigned flags, const ReadLimits& limits = {});
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Reads one line without its line end; false only at end of data with nothing read. A read
    // failure, or a line or file past the limits, throws CFileException carrying the full path.
    // The first call also finds the encoding: a file without a byte-order mark is read through
    // once to tell UTF-8 from Shift-JIS.
    bool ReadString(CString& line);
    // Writes text in the file's encoding (the first write puts its byte-order mark first), through
    // at once, so a failure throws here rather than being lost at close.
    void WriteString(const CString& text);
    TextEncoding GetTextEncoding() const { return m_encoding; }
    // The encoding later writes use.
    void SetTextEncoding(TextEncoding encoding) { m_encoding = encoding; }
    // Forces what was written to the disk; throws CFileException on failure.
    void Sync();
    // Closes; a failure throws CFileException. The destructor closes silently.
    void Close();
    // For a file opened with modeCreateNew: gives it target's name, replacing that file in one
    // step, through the open file, so that no other program can open it before it has its name;
    // waits out another program's brief hold on target. Throws CFileException carrying target.
    void RenameOver(const CString& target);
    // For a file opened with modeCreateNew that is not wanted after all: removes and closes it.
    void Delete() noexcept;

    const CString& GetFilePath() const { return m_strPath; }
    // True once a 0x1A byte has ended the readable data and the file holds more bytes after it:
    // a caller that rewrites the file would lose them.
    bool HasBytesAfterEndOfData() const { return m_bytesAfterEnd; }

private:
    TextEncoding DetectEncoding();
    bool FillBuffer();
    [[noreturn]] void TooLarge() const;
    kiv::FileHandle& File();

    CString m_strPath;
    ReadLimits m_limits;
    std::unique_ptr<kiv::FileHandle> m_file;
    TextEncoding m_encoding = TextEncoding::ShiftJis;
    std::optional<kiv::Utf16Decoder> m_utf16;
    bool m_detected = false;
    bool m_markWritten = false;
    std::uint64_t m_bytesRead = 0;
    size_t m_linesRead = 0;
    std::string m_buffer;
    size_t m_pos = 0;
    bool m_eof = false;        // the file ended, or a 0x1A byte was met
    bool m_pendingCR = false;  // a chunk ended in CR: the next byte decides what it becomes
    bool m_bytesAfterEnd = false;
};
