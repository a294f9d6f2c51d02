#pragma once

#include <cstdint>
#include <optional>

// The processor time the calling thread has been given. Unlike the wall clock it stands still
// while the thread waits and while the processor runs another program, so its span across a
// piece of work is that work's own time however busy the computer is.
namespace kiv {

class ThreadClock {
public:
    // Where the system counts a thread's time in processor cycles (Windows), the cycles' rate is
    // measured between these two calls, against the performance counter: call them around a
    // wait of a second or so that the caller makes anyway, so that the rate costs no time of its
    // own. Elsewhere they do nothing.
    void BeginRate();
    void EndRate();

    // Whole milliseconds the calling thread has run, or nothing where the system gives no clock
    // with fine steps, the rate is unknown, or the system's call failed.
    std::optional<long> Milliseconds() const;

private:
    // Unused where the system's clock needs no rate.
    [[maybe_unused]] std::uint64_t m_rateStartCycles = 0;
    [[maybe_unused]] std::int64_t m_rateStartNs = 0;
    [[maybe_unused]] std::uint64_t m_cyclesPerSecond = 0;  // 0: no rate, so no clock
};

// The rate of a counter that advanced by cycles in nanoseconds of wall time, in cycles per
// second; 0 for a span under 50 ms, in which a reading held up by the system would skew it, or
// for a rate beyond any processor's.
std::uint64_t CyclesPerSecond(std::uint64_t cycles, std::int64_t nanoseconds);

// Whole milliseconds in a count of cycles at cyclesPerSecond (1 ... 10^13), without overflow.
std::int64_t CyclesToMilliseconds(std::uint64_t cycles, std::uint64_t cyclesPerSecond);

}  // namespace kiv
