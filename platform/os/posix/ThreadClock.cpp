#include "platform/os/ThreadClock.h"

#include <time.h>

namespace kiv {

// The system keeps the thread's time itself, to the nanosecond: there is no rate to learn.
void ThreadClock::BeginRate() {}
void ThreadClock::EndRate() {}

std::optional<long> ThreadClock::Milliseconds() const {
    timespec now{};
    if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0) return std::nullopt;
    return static_cast<long>(now.tv_sec * 1000 + now.tv_nsec / 1'000'000);
}

}  // namespace kiv
