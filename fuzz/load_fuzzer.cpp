// Loads a data file made of arbitrary bytes through the real text-file reader, and checks the
// result against a model of the file format: the text decoded as its byte-order mark says (or
// UTF-8 when all of it is UTF-8 with a byte that is not ASCII, else Shift-JIS bytes as they are),
// one row per line, the label after the first TAB,
// rows kept, the file untouched when it holds five rows or more (or anything after a 0x1A byte),
// and otherwise rewritten so that it reads back with the same labels and the powers rounded to
// whole numbers.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "platform/runtime/AfxMessageBox.h"
#include "score/ArrScore.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own for the whole run, on a memory file system when there is one: every
// rewrite forces the file to the disk. scripts/fuzz.sh names the place in KIV_FUZZ_DIR and
// removes it afterwards, also when a run ends without the exit handler below.
const fs::path& Folder() {
    static const fs::path folder = [] {
        const char* given = std::getenv("KIV_FUZZ_DIR");
        const fs::path base = given != nullptr         ? fs::path(given)
                              : fs::exists("/dev/shm") ? fs::path("/dev/shm")
                                                       : fs::temp_directory_path();
        std::string name = (base / "kiv-fuzz-XXXXXX").string();
        if (mkdtemp(name.data()) == nullptr) FuzzFailure("no temporary folder");
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Folder(), ignored);
        });
        return fs::path(name);
    }();
    return folder;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void AppendUtf8(std::string& text, std::uint32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
        return;
    }
    const int trail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    const unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
    text += static_cast<char>(lead[trail] | (c >> (6 * trail)));
    for (int k = trail - 1; k >= 0; --k) text += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

// UTF-16 bytes as UTF-8: a lone surrogate, or an odd byte at the end, is U+FFFD.
std::string ModelUtf16(const std::string& bytes, bool bigEndian) {
    auto unit = [&](size_t i) -> std::uint32_t {
        const auto a = static_cast<unsigned char>(bytes[i]),
                   b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? a << 8 | b : b << 8 | a;
    };
    std::string text;
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t u = unit(i);
        const bool high = u >= 0xD800 && u < 0xDC00, low = u >= 0xDC00 && u < 0xE000;
        if (high && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            AppendUtf8(text, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
            i += 2;
        } else {
            AppendUtf8(text, high || low ? 0xFFFD : u);
        }
    }
    if (i < bytes.size()) AppendUtf8(text, 0xFFFD);
    return text;
}

// Whole code points, shortest form, no surrogates, nothing past U+10FFFF.
bool ModelValidUtf8(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) continue;
        const int trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (trail < 0 || lead > 0xF7 || i + trail > bytes.size()) return false;
        std::uint32_t c = lead & (0x3F >> trail);
        for (int k = 0; k < trail; ++k, ++i) {
            if ((bytes[i] & 0xC0) != 0x80) return false;
            c = c << 6 | (bytes[i] & 0x3F);
        }
        const std::uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[trail] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
    }
    return true;
}

// The file's text as the reader decodes it, and whether it is Unicode (lines split at any TAB).
std::string ModelText(const std::string& bytes, bool& unicode) {
    unicode = true;
    if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
    if (bytes.starts_with("\xFF\xFE")) return ModelUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return ModelUtf16(bytes.substr(2), true);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0; });
    unicode = !ascii && ModelValidUtf8(bytes);
    return bytes;
}

// The lines of the text as text mode reads them.
std::vector<std::string> ModelLines(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size() && bytes[i] != 0x1A; ++i) {
        const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (!crlf) text += bytes[i];
    }
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The text after the first TAB that starts a character: in Shift-JIS a TAB right after a lead
// byte is that character's second byte, so a line "\x83\t..." has no TAB at its start.
std::string ModelLabel(const std::string& line, bool unicode) {
    if (unicode)
        return line.find('\t') == std::string::npos ? line : line.substr(line.find('\t') + 1);
    for (size_t i = 0; i < line.size();) {
        if (line[i] == '\t') return line.substr(i + 1);
        const bool lead = IsLeadByte(static_cast<unsigned char>(line[i]));
        i += lead && i + 1 < line.size() ? 2 : 1;
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const fs::path file = Folder() / "kiv.txt";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteAll(file, bytes);
    std::vector<CString> messages;
    SetAfxMessageBoxHandler([&](const CString& text) { messages.push_back(text); });

    const CString path(std::string_view(file.string()));
    const ArrScore scores(path);
    bool unicode = false;
    const std::string text = ModelText(bytes, unicode);
    const std::vector<std::string> lines = ModelLines(text);
    const auto rows = static_cast<std::ptrdiff_t>(lines.size());
    for (std::ptrdiff_t i = 0; i < rows && i < scores.GetSize(); ++i) {
        if (scores[i].m_strName.Str() != ModelLabel(lines[static_cast<size_t>(i)], unicode)) {
            FuzzFailure("label of row " + std::to_string(i));
        }
    }
    if (rows >= 5) {
        if (scores.GetSize() != rows) FuzzFailure("row count");
        if (!messages.empty()) FuzzFailure("a message for a complete file");
        if (ReadAll(file) != bytes) FuzzFailure("a complete file was changed");
        return 0;
    }
    if (scores.GetSize() != rows + 41 || messages.size() != 1) FuzzFailure("defaults");
    // Rows hidden after a 0x1A byte are the user's: such a file is kept as it is.
    const size_t endOfData = text.find('\x1A');
    if (endOfData != std::string::npos && endOfData + 1 < text.size()) {
        if (ReadAll(file) != bytes) FuzzFailure("a file with hidden rows was changed");
        return 0;
    }
    if (std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()) != 1) {
        FuzzFailure("a file was left beside the data file");
    }

    // The rewritten file reads back whole, without another message.
    messages.clear();
    const ArrScore reread(path);
    if (!messages.empty() || reread.GetSize() != scores.GetSize()) FuzzFailure("reread");
    for (std::ptrdiff_t i = 0; i < scores.GetSize(); ++i) {
        const double before = scores[i].m_dPower;
        const double after = reread[i].m_dPower;
        if (reread[i].m_strName != scores[i].m_strName) FuzzFailure("label lost in the rewrite");
        const bool same = std::isinf(before) ? after == before : std::fabs(after - before) <= 0.5;
        if (!same) FuzzFailure("power changed in the rewrite, row " + std::to_string(i));
    }
    return 0;
}
