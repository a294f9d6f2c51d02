#include "platform/os/ThreadClock.h"

#include <cpuid.h>
#include <x86intrin.h>

#include "platform/os/Clock.h"
#include "platform/os/win32/ThreadCycles.h"

namespace kiv {
namespace {

// CPUID leaf 0x80000007, EDX bit 8.
bool InvariantTimeStampCounter() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __get_cpuid(0x80000007, &a, &b, &c, &d) != 0 && (d & (1u << 8)) != 0;
}

unsigned long long TimeStampCounter() {
    return __rdtsc();
}

std::int64_t Nanoseconds() {
    return SteadyClock::now().time_since_epoch().count();
}

}  // namespace

ThreadCycleCalls g_threadCycleCalls = {
    InvariantTimeStampCounter,
    TimeStampCounter,
    ::QueryThreadCycleTime,
};

// The system counts a thread's cycles with the time-stamp counter, read as it switches threads;
// its rate is learnt against the performance counter. Not GetThreadTimes: it steps 15.625 ms,
// which on a workload of a few hundred milliseconds would move the figure by rounding alone.
void ThreadClock::BeginRate() {
    m_cyclesPerSecond = 0;
    if (!g_threadCycleCalls.InvariantTimeStampCounter()) return;
    m_rateStartNs = Nanoseconds();
    m_rateStartCycles = g_threadCycleCalls.TimeStampCounter();
}

void ThreadClock::EndRate() {
    if (m_rateStartNs == 0) return;
    const std::uint64_t cycles = g_threadCycleCalls.TimeStampCounter() - m_rateStartCycles;
    m_cyclesPerSecond = CyclesPerSecond(cycles, Nanoseconds() - m_rateStartNs);
    m_rateStartNs = 0;
}

std::optional<long> ThreadClock::Milliseconds() const {
    ULONG64 cycles = 0;
    if (m_cyclesPerSecond == 0 ||
        !g_threadCycleCalls.QueryThreadCycleTime(::GetCurrentThread(), &cycles)) {
        return std::nullopt;
    }
    return static_cast<long>(CyclesToMilliseconds(cycles, m_cyclesPerSecond));
}

}  // namespace kiv
