#pragma once

#include <string>
#include <vector>

namespace drive {

// Runs one command (name first, then its arguments) and returns the answer's JSON fields as
// one object. Throws std::runtime_error with a readable reason when the command fails.
std::string RunCommand(const std::vector<std::string>& words);

// The commands and their arguments, one per line, for the usage text.
const char* CommandUsage();

}  // namespace drive
