#include "platform/os/TextEncoding.h"

#include <utility>

#include "platform/os/Encoding.h"

namespace kiv {

std::string_view ByteOrderMark(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            return "\xEF\xBB\xBF";
        case TextEncoding::Utf16LE:
            return "\xFF\xFE";
        case TextEncoding::Utf16BE:
            return "\xFE\xFF";
        case TextEncoding::ShiftJis:
        case TextEncoding::Utf8:
            break;
    }
    return {};
}

std::optional<TextEncoding> EncodingOfMark(std::string_view start) {
    for (const TextEncoding encoding :
         {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        if (start.starts_with(ByteOrderMark(encoding))) return encoding;
    }
    return std::nullopt;
}

CodePage CodePageOf(TextEncoding encoding) {
    return encoding == TextEncoding::ShiftJis ? CodePage::ShiftJis : CodePage::Utf8;
}

bool Utf8Check::Feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (!m_valid) break;
        const auto byte = static_cast<unsigned char>(c);
        if (m_pending > 0) {
            m_valid = byte >= m_low && byte <= m_high;
            m_low = 0x80;
            m_high = 0xBF;
            --m_pending;
            continue;
        }
        if (byte < 0x80) continue;
        m_nonAscii = true;
        // The lead byte says how many trail bytes follow, and some narrow the first one's range.
        if (byte >= 0xC2 && byte <= 0xDF) {
            m_pending = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            m_pending = 2;
            if (byte == 0xE0) m_low = 0xA0;   // overlong
            if (byte == 0xED) m_high = 0x9F;  // surrogates
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            m_pending = 3;
            if (byte == 0xF0) m_low = 0x90;   // overlong
            if (byte == 0xF4) m_high = 0x8F;  // past U+10FFFF
        } else {
            m_valid = false;
        }
    }
    return m_valid;
}

namespace {

// UTF-16 bytes in the other byte order.
void SwapPairs(std::string& bytes) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
}

}  // namespace

std::string Utf16Decoder::Decode(std::string_view bytes, bool last) {
    m_carry += bytes;
    size_t whole = m_carry.size() & ~size_t{1};
    std::string units = m_carry.substr(0, whole);
    if (m_bigEndian) SwapPairs(units);
    // A high surrogate at the end may have its pair in the next chunk.
    if (!last && whole >= 2) {
        const auto high = static_cast<unsigned char>(units[whole - 1]);
        if (high >= 0xD8 && high <= 0xDB) {
            whole -= 2;
            units.resize(whole);
        }
    }
    m_carry.erase(0, whole);
    if (last) {
        units += m_carry;  // a lone byte: U+FFFD
        m_carry.clear();
    }
    return Utf8OfUtf16Le(units).Str();
}

std::string Utf16Bytes(const CString& utf8, bool bigEndian) {
    std::string bytes = Utf16LeOf(utf8);
    if (bigEndian) SwapPairs(bytes);
    return bytes;
}

}  // namespace kiv
