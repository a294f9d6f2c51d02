#include "cli/Console.h"

void WriteText(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

void WriteJson(std::FILE* stream, const std::string& utf8) {
    WriteText(stream, utf8);
}
