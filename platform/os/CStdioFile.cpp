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
    return (flags & CStdioFile::modeCreate) ? kiv::FileHandle::Mode::CreateWrite
                                            : kiv::FileHandle::Mode::Write;
}

}  // namespace

CStdioFile::CStdioFile(const CString& path, unsigned flags)
    : m_strPath(path), m_file(std::make_unique<kiv::FileHandle>(path, ModeFor(flags))) {}

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

bool CStdioFile::ReadString(CString& line) {
    std::string text;
    bool readAny = false;
    for (;;) {
        const size_t end = m_buffer.find('\n', m_pos);
        if (end != std::string::npos) {
            text.append(m_buffer, m_pos, end - m_pos);
            m_pos = end + 1;
            line = CString(std::string_view(text));
            return true;
        }
        if (m_pos < m_buffer.size()) {
            text.append(m_buffer, m_pos);
            m_pos = m_buffer.size();
            readAny = true;
        }
        if (!FillBuffer()) break;
    }
    line = CString(std::string_view(text));
    return readAny;
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
