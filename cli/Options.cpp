#include "cli/Options.h"

const char* const kUsage =
    "Usage: kivcli [--json] [--file PATH] [--repeat N]\n"
    "\n"
    "Rates this computer's speed: pauses one second, runs a fixed workload, turns the time into\n"
    "a power figure and rates it against the score table (kiv.txt beside kivcli). The time is\n"
    "the processor time the workload's thread was given, where the system tells it, so other\n"
    "programs keeping the processor busy do not lower the figure.\n"
    "\n"
    "Options:\n"
    "  --file PATH  use the score table in PATH\n"
    "  --json       print one JSON object instead of the message text\n"
    "  --repeat N   measure N times (1 to 1000) and print each figure and label, the median\n"
    "               figure with its row, and the spread of the figures and of the workload's\n"
    "               time: min, max and robust CV (1.4826 x median absolute deviation /\n"
    "               median), and the workload's median share of the processor\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

namespace {

// A count 1 ... kMaxRepeat in plain decimal digits.
bool ParseRepeat(const std::string& text, int& count) {
    if (text.empty() || text.size() > 4) return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kMaxRepeat) return false;
    count = value;
    return true;
}

}  // namespace

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
        } else if (arg == "--repeat" || arg.starts_with("--repeat=")) {
            const bool joined = arg != "--repeat";
            if (!joined && i + 1 == args.size()) {
                error = "option --repeat needs a count";
                return std::nullopt;
            }
            const std::string count = joined ? arg.substr(9) : args[++i].Str();
            if (!ParseRepeat(count, options.repeat)) {
                error = "option --repeat needs a count from 1 to 1000, not '" + count + "'";
                return std::nullopt;
            }
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
