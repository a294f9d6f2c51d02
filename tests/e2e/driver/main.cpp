// kivdrive: looks at and operates another program's windows as a user would, for the
// end-to-end tests. Each command answers with one JSON line: {"ok":true,...} or
// {"ok":false,"error":"..."}. "serve" keeps the driver running and reads commands from stdin.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "Commands.h"
#include "Text.h"

namespace {

std::string Answer(const std::vector<std::string>& words, bool& ok) {
    drive::json answer;
    try {
        answer = drive::RunCommand(words);
        answer["ok"] = ok = true;
    } catch (const std::exception& error) {
        ok = false;
        answer = {{"ok", false}, {"error", error.what()}};
    }
    // A window text that is not valid UTF-16 still gives a line the tests can read.
    return answer.dump(-1, ' ', false, drive::json::error_handler_t::replace);
}

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> words;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        words.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return words;
        start = tab + 1;
    }
}

int Serve() {
    std::string line;
    char chunk[4096];
    while (std::fgets(chunk, sizeof chunk, stdin)) {
        line += chunk;
        if (line.empty() || line.back() != '\n') continue;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) {
            bool ok = false;
            Print(Answer(SplitTabs(line), ok));
        }
        line.clear();
    }
    return 0;
}

}  // namespace

int main() {
    // Rectangles in the screen's own pixels, whatever the DPI: a driver the system thought
    // unaware of it would see them scaled to 96 DPI.
    SetProcessDPIAware();
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> words;
    for (int i = 1; i < count; ++i) words.push_back(drive::Utf8(wide[i]));
    LocalFree(wide);

    if (words.empty()) {
        std::fputs(drive::CommandUsage(), stderr);
        return 2;
    }
    if (words[0] == "serve") return Serve();
    bool ok = false;
    Print(Answer(words, ok));
    return ok ? 0 : 1;
}
