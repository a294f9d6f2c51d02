#include "platform/os/CStdioFile.h"

#include <string_view>
#include <vector>

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
    std::vector<char> chunk(kChunkSize);
    const size_t count = File().Read(chunk.data(), chunk.size());
    // The size seen at the open is not trusted: the file may grow, or report no size at all.
    m_bytesRead += count;
    if (m_bytesRead > m_limits.fileBytes) TooLarge();
    m_buffer.erase(0, m_pos);
    m_pos = 0;
    if (count == 0) m_eof = true;
    for (size_t i = 0; i < count; ++i) {
        const char c = chunk[i];
        if (c == kEndOfData) {
            m_eof = true;
            char next = 0;
            m_bytesAfterEnd = i + 1 < count || File().Read(&next, 1) > 0;
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
    line = CString(std::string_view(text));
    return ended || readAny;
}

void CStdioFile::WriteString(const CString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.GetLength()) + 16);
    for (const char c : text.View()) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    File().Write(bytes.data(), bytes.size());
}

void CStdioFile::Sync() {
    File().Sync();
}

void CStdioFile::Close() {
    if (!m_file) return;
    const std::unique_ptr<kiv::FileHandle> file = std::move(m_file);
    file->Close();
}
