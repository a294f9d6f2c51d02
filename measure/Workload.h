#pragma once

#include <cstdint>

// The hit count of the last workload run; stored so that the work cannot be optimised away.
extern volatile std::int32_t g_nWorkloadHits;

// The fixed CPU work that a measurement times: counts the n >= 4 whose square splits into two
// consecutive halves, until count of them are found.
void RunWorkload(std::int32_t count);

// Where a search stopped: the last n tested and the hits counted.
struct WorkloadEnd {
    std::uint32_t n;
    std::int32_t hits;
};
// The same search as RunWorkload, also telling where it stopped (for tests).
WorkloadEnd RunWorkloadTraced(std::int32_t count);
