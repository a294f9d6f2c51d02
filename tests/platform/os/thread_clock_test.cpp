#include "platform/os/ThreadClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "platform/os/Clock.h"
#ifdef _WIN32
#include "platform/os/win32/ThreadCycles.h"
#endif

TEST(ThreadClockTest, CyclesBecomeWholeMillisecondsAtTheMeasuredRate) {
    struct Row {
        std::uint64_t cycles, perSecond;
        std::int64_t ms;
    };
    for (const Row& row :
         {Row{2'999'999, 3'000'000'000, 0}, Row{3'000'000, 3'000'000'000, 1},
          Row{1'050'000'000, 3'000'000'000, 350}, Row{1'000'000'007, 1'000'000'007, 1000},
          Row{UINT64_MAX, 3'000'000'000, 6'148'914'691'236}}) {
        EXPECT_EQ(kiv::CyclesToMilliseconds(row.cycles, row.perSecond), row.ms) << row.cycles;
    }
    EXPECT_EQ(kiv::CyclesPerSecond(3'000'000'000, 1'000'000'000), 3'000'000'000u);
    EXPECT_EQ(kiv::CyclesPerSecond(150'000'000, 50'000'000), 3'000'000'000u);
    EXPECT_EQ(kiv::CyclesPerSecond(150'000'000, 49'999'999), 0u);  // too short to tell
    EXPECT_EQ(kiv::CyclesPerSecond(UINT64_MAX, 50'000'000), 0u);   // beyond any counter
}

TEST(ThreadClockTest, StandsStillWhileTheThreadSleeps) {
    kiv::ThreadClock clock;
    clock.BeginRate();
    kiv::Sleep(200);
    clock.EndRate();
    const std::optional<long> before = clock.Milliseconds();
    kiv::Sleep(200);
    const std::optional<long> after = clock.Milliseconds();
#ifndef _WIN32
    ASSERT_TRUE(before && after);
#endif
    if (before && after) {
        EXPECT_LT(*after - *before, 20);
    }
}

#ifdef _WIN32
namespace {
bool g_invariant = true;
BOOL g_counts = TRUE;
}  // namespace

// A 3 GHz counter; the thread has run 350 ms of it, where the system counts at all.
TEST(ThreadClockTest, OnWindowsItNeedsAnInvariantCounterAndTheSystemsCount) {
    const kiv::ThreadCycleCalls real = kiv::g_threadCycleCalls;
    kiv::g_threadCycleCalls = {
        [] { return g_invariant; },
        []() -> unsigned long long {
            return 3 * kiv::SteadyClock::now().time_since_epoch().count();
        },
        [](HANDLE, PULONG64 cycles) -> BOOL {
            *cycles = 1'050'000'000;
            return g_counts;
        },
    };
    struct Row {
        bool invariant;
        BOOL counts;
        std::optional<long> ms;
    };
    for (const Row& row :
         {Row{true, TRUE, 350}, Row{false, TRUE, std::nullopt}, Row{true, FALSE, std::nullopt}}) {
        g_invariant = row.invariant;
        g_counts = row.counts;
        kiv::ThreadClock clock;
        clock.BeginRate();
        kiv::Sleep(60);
        clock.EndRate();
        EXPECT_EQ(clock.Milliseconds(), row.ms) << row.invariant << row.counts;
    }
    kiv::g_threadCycleCalls = real;
}
#endif
