#pragma once

#include <windows.h>

// What the thread clock asks of the processor and the system, through one table that a test
// replaces to play a processor or a system that lacks what the clock needs.
namespace kiv {

struct ThreadCycleCalls {
    // Whether the time-stamp counter ticks at one rate whatever the processor's speed or power
    // state: only then can the thread's cycles, which the system counts with it, become time.
    bool (*InvariantTimeStampCounter)();
    unsigned long long (*TimeStampCounter)();
    BOOL(WINAPI* QueryThreadCycleTime)(HANDLE thread, PULONG64 cycles);
};

// The table in force; it starts as the processor's and the system's own.
extern ThreadCycleCalls g_threadCycleCalls;

}  // namespace kiv
