// The command-line rule that locates the data file, on arbitrary command lines, with the
// Windows separator over double-byte characters and the host's over plain bytes.
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "score/DataFilePath.h"

namespace {

// The last separator that starts a character of text, or npos.
size_t LastSeparator(const std::string& text, char separator, bool doubleByte) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == separator) found = i;
        const bool lead = doubleByte && IsLeadByte(static_cast<unsigned char>(text[i]));
        i += lead && i + 1 < text.size() ? 2 : 1;
    }
    return found;
}

void Check(const std::string& line, char separator, bool doubleByte) {
    const std::string actual =
        ProgramDirectoryOf(CString(std::string_view(line)), separator, doubleByte).Str();
    std::string expected;
    if (!line.empty() && line[0] == '"') {
        // Quoted: the program's path between the quotes; a missing closing quote takes the rest.
        const size_t closing = line.find('"', 1);
        const std::string program = line.substr(0, closing);
        const size_t last = LastSeparator(program, separator, doubleByte);
        if (last != std::string::npos) expected = program.substr(1, last);
    } else {
        const size_t last = LastSeparator(line, separator, doubleByte);
        if (last != std::string::npos) expected = line.substr(0, last + 1);
    }
    if (actual != expected) FuzzFailure("folder of \"" + line + "\"");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string line = bytes.substr(0, bytes.find('\0'));  // the command line is a C string
    Check(line, '\\', true);
    Check(line, '/', false);
    return 0;
}
