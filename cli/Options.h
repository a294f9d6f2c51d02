#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/CString.h"

// What the command line of kivcli asks for.
struct Options {
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<CString> file;  // the data file to use instead of kiv.txt beside the program
    int repeat = 1;               // measurements in one run, 1 ... kMaxRepeat
};

// The arguments after the program's name. Returns nothing and sets error when they do not fit.
std::optional<Options> ParseOptions(const std::vector<CString>& args, std::string& error);

constexpr int kMaxRepeat = 1000;

extern const char* const kUsage;
