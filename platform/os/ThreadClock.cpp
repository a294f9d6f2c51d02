#include "platform/os/ThreadClock.h"

namespace kiv {

std::uint64_t CyclesPerSecond(std::uint64_t cycles, std::int64_t nanoseconds) {
    constexpr std::int64_t kShortestNs = 50'000'000;
    if (nanoseconds < kShortestNs) return 0;
    // A double holds any rate to far better than the readings can tell it. No processor's
    // counter runs at 10 THz: readings that say so went wrong.
    const double rate = static_cast<double>(cycles) * 1e9 / static_cast<double>(nanoseconds);
    return rate >= 1e13 ? 0 : static_cast<std::uint64_t>(rate);
}

std::int64_t CyclesToMilliseconds(std::uint64_t cycles, std::uint64_t cyclesPerSecond) {
    // Whole seconds and the rest apart, so that the product cannot overflow.
    const std::uint64_t seconds = cycles / cyclesPerSecond;
    const std::uint64_t rest = cycles % cyclesPerSecond;
    return static_cast<std::int64_t>(seconds * 1000 + rest * 1000 / cyclesPerSecond);
}

}  // namespace kiv
