#include "platform/runtime/CString.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/runtime/Format.h"

CString::CString(const char* bytes, int length)
    : m_str(bytes, static_cast<size_t>(std::max(length, 0))) {}

namespace {

bool AllAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool CString::IsAscii() const {
    return AllAscii(m_str);
}

bool operator==(const CString& left, const CString& right) {
    return left.m_str == right.m_str &&
           (left.m_codePage == right.m_codePage || AllAscii(left.m_str));
}

CString& CString::operator+=(const CString& other) {
    if (other.m_codePage != m_codePage && !other.IsAscii()) {
        if (!IsAscii()) throw std::logic_error("joining texts of two code pages");
        m_codePage = other.m_codePage;
    }
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(const char* text) {
    m_str += text;
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::max(first, 0);
    count = std::max(count, 0);
    if (first >= GetLength()) return CString(std::string_view(), m_codePage);
    count = std::min(count, GetLength() - first);
    return CString(
        std::string_view(m_str).substr(static_cast<size_t>(first), static_cast<size_t>(count)),
        m_codePage);
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

int CString::Find(const char* sub) const {
    if (m_codePage == CodePage::Utf8) {
        const size_t at = m_str.find(sub);
        return at == std::string::npos ? -1 : static_cast<int>(at);
    }
    const size_t subLength = std::strlen(sub);
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_str.data());
    for (size_t i = 0; i + subLength <= m_str.size();) {
        if (std::memcmp(m_str.data() + i, sub, subLength) == 0) return static_cast<int>(i);
        i += (IsLeadByte(bytes[i]) && i + 1 < m_str.size()) ? 2 : 1;
    }
    return -1;
}

int CString::ReverseFind(char ch) const {
    if (m_codePage == CodePage::Utf8) {
        const size_t at = m_str.rfind(ch);
        return at == std::string::npos ? -1 : static_cast<int>(at);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_str.data());
    int found = -1;
    for (size_t i = 0; i < m_str.size();) {
        if (IsLeadByte(bytes[i])) {
            i += 2;  // a lead byte at the very end ends the scan
            continue;
        }
        if (m_str[i] == ch) found = static_cast<int>(i);
        ++i;
    }
    return found;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_str = kiv::FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_str += kiv::FormatV(format, args);
    va_end(args);
}
