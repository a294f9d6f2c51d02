// Loads a data file made of arbitrary bytes through the real text-file reader, and checks the
// result against a model of the file format: one row per line, the label after the first TAB,
// rows kept, the file untouched when it holds five rows or more (or anything after a 0x1A byte),
// and otherwise rewritten so that it reads back with the same labels and the powers rounded to
// whole numbers.
#include <unistd.h>

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

// The lines of the file as text mode reads them.
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

// The text after the first TAB that starts a character: a TAB right after a lead byte is that
// character's second byte, so a line "\x83\t..." has no TAB at its start.
std::string ModelLabel(const std::string& line) {
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
    const std::vector<std::string> lines = ModelLines(bytes);
    const auto rows = static_cast<std::ptrdiff_t>(lines.size());
    for (std::ptrdiff_t i = 0; i < rows && i < scores.GetSize(); ++i) {
        if (scores[i].m_strName.Str() != ModelLabel(lines[static_cast<size_t>(i)])) {
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
    const size_t endOfData = bytes.find('\x1A');
    if (endOfData != std::string::npos && endOfData + 1 < bytes.size()) {
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
