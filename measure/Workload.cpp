#include "measure/Workload.h"

#include "measure/WorkloadKernel.h"

// This file is compiled with its own flags (measure/CMakeLists.txt): functions in source order,
// WorkloadKernel's loop head on a 64-byte line. Keep WorkloadKernelEnd right after the kernel.

volatile std::int32_t g_nWorkloadHits = 0;

// The square of n is never multiplied out: it lives as s * hi + t and advances by the next odd
// number, so every value stays in 32 bits and in registers.
extern "C" KIV_WORKLOAD_ABI KIV_WORKLOAD_UNINSTRUMENTED KIV_WORKLOAD_SECTION
    __attribute__((noinline, aligned(64))) WorkloadEnd
    WorkloadKernel(std::int32_t count) {
    std::uint32_t n = 4;
    std::uint32_t odd = 7;  // 2n - 1, the last odd number added to the square
    std::uint32_t hi = 10;  // 10^d, d = the number of digits of n
    std::uint32_t lo = 1;   // 10^(d-1)
    std::uint32_t s = 1;    // n^2 / hi
    std::uint32_t t = 6;    // n^2 % hi
    std::uint32_t hits = 0;
    for (;;) {
        // s >= lo: the square has 2d digits, so both halves have d.
        if (s >= lo && (s + 1 == t || t + 1 == s)) {
            ++hits;
            // Compared as signed: a count of 0 or below stops at the first hit.
            if (static_cast<std::int32_t>(hits) >= count) break;
        }
        odd += 2;
        n += 1;
        t += odd;
        // The plain loop, without layout hints: the carry runs on 55% of the steps, so it is
        // no rare path, and the placement of this loop is pinned by the build and checked.
        while (t >= hi) {
            t -= hi;
            s += 1;
        }
        // n gained a digit: 10^(2d) under the old hi is s = lo, t = 0 under the new one.
        if (n == hi) {
            s = lo;
            lo = hi;
            hi = hi * 10;
        }
    }
    return {n, static_cast<std::int32_t>(hits)};
}

extern "C" KIV_WORKLOAD_UNINSTRUMENTED KIV_WORKLOAD_SECTION __attribute__((noinline)) void
WorkloadKernelEnd() {}

void RunWorkload(std::int32_t count) {
    g_nWorkloadHits = WorkloadKernel(count).hits;
}

WorkloadEnd RunWorkloadTraced(std::int32_t count) {
    const WorkloadEnd end = WorkloadKernel(count);
    g_nWorkloadHits = end.hits;
    return end;
}
