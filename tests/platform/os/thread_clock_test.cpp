#include "platform/os/ThreadClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>

#include "platform/os/Clock.h"
#ifdef _WIN32
#include "platform/os/win32/ThreadCycles.h"
#endif

TEST(ThreadClockTest, CyclesBecomeWholeMillisecondsAtTheMeasuredRate) {
    EXPECT_EQ(kiv::CyclesToMilliseconds(2'999'999, 3'000'000'000), 0);
    EXPECT_EQ(kiv::CyclesToMilliseconds(1'050'000'000, 3'000'000'000), 350);
    EXPECT_EQ(kiv::CyclesToMilliseconds(UINT64_MAX, 3'000'000'000), 6'148'914'691'236);
    EXPECT_EQ(kiv::CyclesPerSecond(150'000'000, 50'000'000), 3'000'000'000u);
    EXPECT_EQ(kiv::CyclesPerSecond(150'000'000, 49'999'999), 0u);  // too short to tell
    EXPECT_EQ(kiv::CyclesPerSecond(UINT64_MAX, 50'000'000), 0u);   // beyond any counter
}

TEST(ThreadClockTest, StandsStillWhileTheThreadSleeps) {
    kiv::ThreadClock clock;
    clock.BeginRate();
    kiv::Sleep(60);
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

// A 3 GHz counter, of which the thread has run 350 ms where the system counts at all.
TEST(ThreadClockTest, OnWindowsItNeedsAnInvariantCounterAndTheSystemsCount) {
    const kiv::ThreadCycleCalls real = kiv::g_threadCycleCalls;
    kiv::g_threadCycleCalls = {
        [] { return g_invariant; },
        []() -> unsigned long long {
            return 3 * kiv::SteadyClock::now().time_since_epoch().count();
        },
        [](HANDLE, PULONG64 cycles) {
            *cycles = 1'050'000'000;
            return g_counts;
        },
    };
    for (const auto& [invariant, counts, ms] : {std::tuple{true, TRUE, std::optional<long>(350)},
                                                {false, TRUE, std::nullopt},
                                                {true, FALSE, std::nullopt}}) {
        g_invariant = invariant;
        g_counts = counts;
        kiv::ThreadClock clock;
        clock.BeginRate();
        kiv::Sleep(60);
        clock.EndRate();
        EXPECT_EQ(clock.Milliseconds(), ms) << invariant << counts;
    }
    kiv::g_threadCycleCalls = real;
}
#endif
