#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace drive {

using json = nlohmann::json;

// Runs one command (name first, then its arguments) and returns the answer's fields as one
// object. Throws std::runtime_error with a readable reason when the command fails.
json RunCommand(const std::vector<std::string>& words);

// The commands and their arguments, one per line, for the usage text.
const char* CommandUsage();

}  // namespace drive
