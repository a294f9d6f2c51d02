#include "platform/os/Clock.h"

#include <thread>

namespace kiv {

SteadyClock::time_point SteadyClock::now() {
    return time_point(
        std::chrono::duration_cast<duration>(std::chrono::steady_clock::now().time_since_epoch()));
}

void Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace kiv
