#include "platform/os/Clock.h"

#include <gtest/gtest.h>

#include <chrono>

TEST(ClockTest, CountsWallMillisecondsAcrossSleep) {
    const auto wallBefore = std::chrono::steady_clock::now();
    const long before = kiv::clock();
    kiv::Sleep(120);
    const long after = kiv::clock();
    const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - wallBefore)
                          .count();
    EXPECT_GE(before, 0);
    EXPECT_GE(after - before, 120);
    EXPECT_LE(after - before, wall + 1);
    EXPECT_GT(kiv::time(), 1'600'000'000);  // a plausible number of seconds since 1970
}
