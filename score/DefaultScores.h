#pragma once

#include <cstddef>
#include <span>

// One built-in reference row.
struct DefaultScore {
    const char* label;  // Shift-JIS, 1 to 31 bytes
    double power;
};

inline constexpr std::size_t kDefaultScoreCount = 41;

// The rows that replace a missing, unreadable or too short data file, in table order.
std::span<const DefaultScore, kDefaultScoreCount> DefaultScores();
