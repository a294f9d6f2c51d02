#include "score/DataFilePath.h"

#include <string_view>

#include "platform/os/FileSystem.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr bool kDoubleBytePaths = true;
#else
constexpr char kSeparator = '/';
constexpr bool kDoubleBytePaths = false;
#endif

int LastSeparator(const CString& text, char separator, bool doubleBytePaths) {
    if (doubleBytePaths) return text.ReverseFind(separator);
    const size_t at = text.View().rfind(separator);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

CString ProgramDirectoryOf(const CString& commandLine, char separator, bool doubleBytePaths) {
    if (commandLine.IsEmpty() || commandLine[0] != '"') {
        // Unquoted: spaces may belong to the path, so the whole line is searched.
        const int last = LastSeparator(commandLine, separator, doubleBytePaths);
        return commandLine.Left(last + 1);
    }
    // Quoted: only the program's own path, so that a separator in an argument does not count.
    // A double quote is never the second byte of a double-byte character.
    const size_t closing = commandLine.View().find('"', 1);
    const CString program = closing == std::string_view::npos
                                ? commandLine
                                : commandLine.Left(static_cast<int>(closing));
    const int last = LastSeparator(program, separator, doubleBytePaths);
    return last < 0 ? CString() : program.Mid(1, last);
}

CString ProgramDirectory() {
    return ProgramDirectoryOf(kiv::CommandLine(), kSeparator, kDoubleBytePaths);
}

CString DataFilePath() {
    return ProgramDirectory() + "kiv.txt";
}
