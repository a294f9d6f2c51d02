#pragma once

#include <chrono>
#include <cstdint>

// The program's clock: what the measurement times with, waits with, and seeds its generator
// with. The host libraries' clocks differ (glibc's clock() is processor time, Wine's steps 1 ms),
// and the Windows build's C++ runtime (win32 thread model) backs std::chrono::steady_clock with
// the system time, which steps 15.6 ms on Windows.
namespace kiv {

// A monotonic clock with fine steps on every host: std::chrono::steady_clock natively, the
// performance counter on Windows.
struct SteadyClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<SteadyClock>;
    static constexpr bool is_steady = true;

    static time_point now();
};

// Wall-clock milliseconds since the process started, from SteadyClock.
long clock();

// Seconds since the epoch.
std::int64_t time();

// Blocks the calling thread.
void Sleep(unsigned milliseconds);

}  // namespace kiv
