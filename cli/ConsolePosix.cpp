#include <iconv.h>

#include <cerrno>

#include "cli/Console.h"

std::string ToUtf8(const CString& text) {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text.Str();
    std::string result;
    char* in = const_cast<char*>(text.GetString());
    size_t inLeft = static_cast<size_t>(text.GetLength());
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
        result.append(buffer, static_cast<size_t>(out - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: mark it and go on after its first byte.
            result += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return result;
}

void WriteText(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}
