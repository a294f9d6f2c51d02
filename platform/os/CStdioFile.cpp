#include "platform/os/CStdioFile.h"

#include <string_view>
#include <vector>

#include "platform/os/Encoding.h"
#include "platform/os/FileSystem.h"
#include "platform/runtime/CFileException.h"

namespace {

constexpr size_t kChunkSize = 64 * 1024;
constexpr char kEndOfData = 0x1A;

kiv::FileHandle::Mode ModeFor(unsigned flags) {
    if ((flags & CStdioFile::modeWrite) == 0) return kiv::FileHandle::Mode::Read;
    if (flags & CStdioFile::modeCreateNew) return kiv::FileHandle::Mode::CreateNew;
    return (flags & CStdioFile::modeCreate) ? kiv::FileHandle::Mode::CreateWrite
                                            : kiv::FileHandle::Mode::Write;
}

}  // namespace

CStdioFile::CStdioFile(const CString& path, unsigned flags, const ReadLimits& limits)
    : m_strPath(path),
      m_limits(limits),
      m_file(std::make_unique<kiv::FileHandle>(path, ModeFor(flags))) {
    // A file already too large is refused before anything of it is read.
    if ((flags & modeWrite) == 0 && m_file->Size() > m_limits.fileBytes) {
        throw CFileException(CFileException::tooLarge, path);
    }
}

// Reads the start for a byte-order mark and leaves the file just after it. A file without one is
// read through, within the limits, to see whether it is all valid UTF-8 and not all ASCII, and
// read again from its start.
TextEncoding CStdioFile::DetectEncoding() {
    std::vector<char> chunk(kChunkSize);
    size_t count = File().Read(chunk.data(), chunk.size());
    if (const auto marked = kiv::EncodingOfMark(std::string_view(chunk.data(), count))) {
        File().Rewind();
        const std::string_view mark = kiv::ByteOrderMark(*marked);
        File().Read(chunk.data(), mark.size());
        m_bytesRead = mark.size();
        return *marked;
    }
    kiv::Utf8Check utf8;
    std::uint64_t total = 0;
    while (count > 0 && utf8.Feed(std::string_view(chunk.data(), count))) {
        total += count;
        if (total > m_limits.fileBytes) TooLarge();
        count = File().Read(chunk.data(), chunk.size());
    }
    File().Rewind();
    return utf8.Valid() && utf8.SawNonAscii() ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

CStdioFile::~CStdioFile() {
    try {
        Close();
    } catch (const CFileException&) {
        // Nothing can be reported from a destructor; Close() reports it to callers that ask.
    }
}

kiv::FileHandle& CStdioFile::File() {
    if (!m_file) throw CFileException(CFileException::genericException, m_strPath);
    return *m_file;
}

// Reads the next chunk and appends it to the buffer in text mode. False when nothing more
// can come.
bool CStdioFile::FillBuffer() {
    if (m_eof) return false;
    std::string chunk(kChunkSize, '\0');
    const size_t count = File().Read(chunk.data(), chunk.size());
    // The size seen at the open is not trusted: the file may grow, or report no size at all.
    m_bytesRead += count;
    if (m_bytesRead > m_limits.fileBytes) TooLarge();
    chunk.resize(count);
    if (m_utf16) chunk = m_utf16->Decode(chunk, count == 0);
    m_buffer.erase(0, m_pos);
    m_pos = 0;
    if (count == 0) m_eof = true;
    for (size_t i = 0; i < chunk.size(); ++i) {
        const char c = chunk[i];
        if (c == kEndOfData) {
            m_eof = true;
            char next = 0;
            m_bytesAfterEnd = i + 1 < chunk.size() || (m_utf16 && m_utf16->Waiting()) ||
                              File().Read(&next, 1) > 0;
            break;
        }
        if (m_pendingCR) {
            m_pendingCR = false;
            if (c == '\n') {
                m_buffer += '\n';
                continue;
            }
            m_buffer += '\r';
        }
        if (c == '\r') {
            m_pendingCR = true;
            continue;
        }
        m_buffer += c;
    }
    // A CR as the last byte of the data has no LF after it: it stays.
    if (m_eof && m_pendingCR) {
        m_pendingCR = false;
        m_buffer += '\r';
    }
    return true;
}

void CStdioFile::TooLarge() const {
    throw CFileException(CFileException::tooLarge, kiv::FullPath(m_strPath));
}

bool CStdioFile::ReadString(CString& line) {
    if (!m_detected) {
        m_detected = true;
        m_encoding = DetectEncoding();
        if (m_encoding == TextEncoding::Utf16LE || m_encoding == TextEncoding::Utf16BE) {
            m_utf16.emplace(m_encoding == TextEncoding::Utf16BE);
        }
    }
    std::string text;
    bool readAny = false;
    bool ended = false;
    for (;;) {
        const size_t end = m_buffer.find('\n', m_pos);
        const size_t stop = end == std::string::npos ? m_buffer.size() : end;
        if (text.size() + (stop - m_pos) > m_limits.lineBytes) TooLarge();
        if (m_pos < stop) readAny = true;
        text.append(m_buffer, m_pos, stop - m_pos);
        m_pos = stop;
        if (end != std::string::npos) {
            ++m_pos;
            ended = true;
            break;
        }
        if (!FillBuffer()) break;
    }
    if ((ended || readAny) && ++m_linesRead > m_limits.lines) TooLarge();
    line = CString(text, kiv::CodePageOf(m_encoding));
    return ended || readAny;
}

void CStdioFile::WriteString(const CString& text) {
    const CString inPage = kiv::InCodePage(text, kiv::CodePageOf(m_encoding));
    std::string bytes;
    bytes.reserve(static_cast<size_t>(inPage.GetLength()) + 16);
    for (const char c : inPage.View()) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    if (m_encoding == TextEncoding::Utf16LE || m_encoding == TextEncoding::Utf16BE) {
        bytes =
            kiv::Utf16Bytes(CString(bytes, CodePage::Utf8), m_encoding == TextEncoding::Utf16BE);
    }
    if (!m_markWritten) {
        bytes.insert(0, kiv::ByteOrderMark(m_encoding));
        m_markWritten = true;
    }
    File().Write(bytes.data(), bytes.size());
}

void CStdioFile::Sync() {
    File().Sync();
}

void CStdioFile::RenameOver(const CString& target) {
    File().RenameOver(target);
    m_strPath = target;
}

void CStdioFile::Delete() noexcept {
    if (m_file) m_file->Delete();
    m_file.reset();
}

void CStdioFile::Close() {
    if (!m_file) return;
    const std::unique_ptr<kiv::FileHandle> file = std::move(m_file);
    file->Close();
}
