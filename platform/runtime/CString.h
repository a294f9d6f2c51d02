#pragma once

#include <string>
#include <string_view>

#include "platform/runtime/Format.h"

// A byte string holding Shift-JIS (code page 932) text. Lengths and indices count bytes;
// searches step over double-byte characters so a trail byte never matches on its own.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(std::string_view bytes) : m_str(bytes) {}
    CString(const char* bytes, int length);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    const char* GetString() const { return m_str.c_str(); }
    std::string_view View() const { return m_str; }
    const std::string& Str() const { return m_str; }
    char operator[](int index) const { return m_str[static_cast<size_t>(index)]; }

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend bool operator==(const CString&, const CString&) = default;

    // A negative first or count counts as 0; a first past the end gives an empty string;
    // a count reaching past the end is cut at the end.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;

    // Index of the first occurrence of sub starting on a character boundary, or -1.
    int Find(const char* sub) const;
    // Index of the last single-byte character ch, or -1.
    int ReverseFind(char ch) const;

    // printf-style formatting with the project's own digits (see Format.h).
    void Format(const char* format, ...) KIV_PRINTF_CHECKS(2, 3);
    void AppendFormat(const char* format, ...) KIV_PRINTF_CHECKS(2, 3);

private:
    std::string m_str;
};

// True for the first byte of a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
