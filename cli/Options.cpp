#include "cli/Options.h"

const char* const kUsage =
    "Usage: kivcli [--json] [--file PATH]\n"
    "\n"
    "Rates this computer's speed: pauses one second, runs a fixed workload, turns the time into\n"
    "a power figure and rates it against the score table (kiv.txt beside kivcli).\n"
    "\n"
    "Options:\n"
    "  --file PATH  use the score table in PATH\n"
    "  --json       print one JSON object instead of the message text\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

std::optional<Options> ParseOptions(const std::vector<CString>& args, std::string& error) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i].Str();
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--file") {
            if (i + 1 == args.size()) {
                error = "option --file needs a path";
                return std::nullopt;
            }
            options.file = args[++i];
        } else if (arg.starts_with("--file=")) {
            options.file = CString(std::string_view(arg).substr(7));
        } else {
            error = "unknown option: " + arg;
            return std::nullopt;
        }
        if (options.file && options.file->IsEmpty()) {
            error = "option --file needs a path";
            return std::nullopt;
        }
    }
    return options;
}
