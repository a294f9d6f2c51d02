#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/Format.h"

// The code page of a string's bytes. The program's own texts are Shift-JIS (code page 932);
// text from outside that Shift-JIS cannot hold, a folder's name or a label of a Unicode table,
// is kept as UTF-8 instead of losing characters.
enum class CodePage : std::uint8_t { ShiftJis, Utf8 };

// A byte string holding text in a code page, Shift-JIS unless it says otherwise. Lengths and
// indices count bytes; in Shift-JIS, searches step over double-byte characters so a trail byte
// never matches on its own (in UTF-8 no byte of a character is ever ASCII).
class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(std::string_view bytes, CodePage codePage = CodePage::ShiftJis)
        : m_str(bytes), m_codePage(codePage) {}
    CString(const char* bytes, int length);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    const char* GetString() const { return m_str.c_str(); }
    std::string_view View() const { return m_str; }
    const std::string& Str() const { return m_str; }
    char operator[](int index) const { return m_str[static_cast<size_t>(index)]; }
    CodePage GetCodePage() const { return m_codePage; }
    // True when every byte is ASCII, which reads the same in either code page.
    bool IsAscii() const;

    // Text in two code pages joins where one of them is ASCII; joining two non-ASCII texts of
    // different code pages throws std::logic_error: the caller converts one first
    // (kiv::InCodePage).
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    friend CString operator+(CString left, const CString& right) { return left += right; }
    // The same text: the same bytes in the same code page, or the same ASCII bytes.
    friend bool operator==(const CString& left, const CString& right);

    // A negative first or count counts as 0; a first past the end gives an empty string;
    // a count reaching past the end is cut at the end.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;

    // Index of the first occurrence of sub starting on a character boundary, or -1.
    int Find(const char* sub) const;
    // Index of the last single-byte character ch, or -1.
    int ReverseFind(char ch) const;

    // printf-style formatting with the project's own digits (see Format.h). The format and the
    // strings it takes are in the string's own code page, which stays.
    void Format(const char* format, ...) KIV_PRINTF_CHECKS(2, 3);
    void AppendFormat(const char* format, ...) KIV_PRINTF_CHECKS(2, 3);

private:
    std::string m_str;
    CodePage m_codePage = CodePage::ShiftJis;
};

// True for the first byte of a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
