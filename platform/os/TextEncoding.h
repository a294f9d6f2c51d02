#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime/CString.h"

// How a text file's characters are stored. Shift-JIS is the program's own; the others are what
// today's editors save, each recognised by its byte-order mark, or, for UTF-8 without one, by
// the whole file being valid UTF-8 with at least one byte that is not ASCII.
enum class TextEncoding : std::uint8_t { ShiftJis, Utf8, Utf8Bom, Utf16LE, Utf16BE };

namespace kiv {

// The byte-order mark a file in encoding starts with; empty for Shift-JIS and plain UTF-8.
std::string_view ByteOrderMark(TextEncoding encoding);
// The encoding whose byte-order mark start begins with, if any.
std::optional<TextEncoding> EncodingOfMark(std::string_view start);
// The code page the text of a file in encoding is kept in.
CodePage CodePageOf(TextEncoding encoding);

// Says, chunk by chunk, whether bytes are valid UTF-8 (no overlong forms, surrogates or code
// points past U+10FFFF) and whether any of them is not ASCII.
class Utf8Check {
public:
    // False from the first invalid byte on; the rest need not be fed.
    bool Feed(std::string_view bytes);
    // After the last chunk: valid UTF-8, with no character cut off at the end.
    bool Valid() const { return m_valid && m_pending == 0; }
    bool SawNonAscii() const { return m_nonAscii; }

private:
    bool m_valid = true;
    bool m_nonAscii = false;
    int m_pending = 0;                          // trail bytes still to come
    unsigned char m_low = 0x80, m_high = 0xBF;  // the range of the next trail byte
};

// UTF-16 bytes in one byte order to UTF-8, chunk by chunk: a unit or a surrogate pair cut by a
// chunk's end waits for the next chunk.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}
    // The UTF-8 text of bytes and what waited before them; with last, what still waits is
    // decoded too (a lone byte or surrogate becomes U+FFFD).
    std::string Decode(std::string_view bytes, bool last);
    bool Waiting() const { return !m_carry.empty(); }

private:
    bool m_bigEndian;
    std::string m_carry;
};

// UTF-8 text as UTF-16 bytes in one byte order.
std::string Utf16Bytes(const CString& utf8, bool bigEndian);

}  // namespace kiv
