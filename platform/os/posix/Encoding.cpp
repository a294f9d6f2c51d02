#include "platform/os/Encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace kiv {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

const char* NameOf(CodePage codePage) {
    return codePage == CodePage::Utf8 ? "UTF-8" : "CP932";
}

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends input converted; where a character cannot be, appends replacement and goes on
    // after one input unit (and, for bytes, after their UTF-8 trail bytes). Returns false if that
    // happened.
    bool Append(std::string_view input, std::string& output, std::string_view replacement,
                size_t unit) {
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        bool whole = true;
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t done = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
            whole = false;
            output += replacement;
            const size_t skip = std::min(unit, inLeft);
            in += skip;
            inLeft -= skip;
            while (unit == 1 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                ++in;
                --inLeft;
            }
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return whole;
    }

private:
    iconv_t m_cd;
};

std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, size_t unit) {
    std::string output;
    Converter(to, from).Append(input, output, replacement, unit);
    return output;
}

// UTF-16LE text in Shift-JIS, one character at a time, each checked by converting it back:
// iconv takes some characters that code page 932 lacks to a look-alike (U+00A5 to a
// backslash). A character without a match of its own becomes '?'.
std::string ShiftJisOf(std::string_view utf16) {
    Converter there("CP932", "UTF-16LE"), back("UTF-16LE", "CP932");
    std::string sjis;
    for (size_t i = 0; i + 1 < utf16.size();) {
        const auto high = static_cast<unsigned char>(utf16[i + 1]);
        const size_t length = high >= 0xD8 && high <= 0xDB ? 4 : 2;
        const std::string_view character = utf16.substr(i, length);
        i += length;
        std::string bytes, check;
        const bool matched = there.Append(character, bytes, "", 2) &&
                             back.Append(bytes, check, "", 1) && check == character;
        sjis += matched ? bytes : "?";
    }
    return sjis;
}

}  // namespace

std::string Utf16LeOf(const CString& text) {
    return Convert("UTF-16LE", NameOf(text.GetCodePage()), text.View(), "\xFD\xFF", 1);
}

CString Utf8OfUtf16Le(std::string_view bytes) {
    return CString(Convert("UTF-8", "UTF-16LE", bytes, kReplacement, 2), CodePage::Utf8);
}

CString InCodePage(const CString& text, CodePage to) {
    if (text.GetCodePage() == to) return text;
    if (to == CodePage::Utf8) {
        return CString(Convert("UTF-8", "CP932", text.View(), kReplacement, 1), CodePage::Utf8);
    }
    return CString(ShiftJisOf(Utf16LeOf(text)));
}

}  // namespace kiv
