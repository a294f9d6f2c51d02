#pragma once

#include <vector>

// Times the shipped workload kernel's machine code copied to many offsets of executable memory,
// to see how much its speed depends on where it sits, and where the shipped placement falls.
struct SweepOptions {
    int offsets = 64;  // copies at byte offsets 0, step, 2 * step ... within a 64-byte line
    int step = 1;
    int rounds = 3;      // every copy runs once per round, round-robin
    int confirm = 3;     // then the shipped code and the best copy run this often more, by turns,
    int confirmMax = 3;  // and up to this often while the shipped code's best is above
    double confirmUntil = 0.0;  // confirmUntil times the best copy's (a busy machine's noise)
};

struct PlacementTime {
    int offset = 0;  // of the copy's start from a 64-byte line; -1 for the shipped code in place
    std::vector<double> ms;  // one per round
    double Best() const;
    double Median() const;
};

struct SweepResult {
    std::vector<PlacementTime> copies;  // in offset order
    PlacementTime shipped;              // WorkloadKernel where the linker put it
    int shippedOffset = 0;              // its start's offset from a 64-byte line
};

// Each run must find 21 hits and stop at n = 331983807, or std::runtime_error is thrown.
SweepResult RunSweep(const SweepOptions& options);
