#include "platform/os/Clock.h"

namespace kiv {
namespace {

// A function-local static, so that a clock() from another file's static initialiser still
// finds the start set.
SteadyClock::time_point Start() {
    static const SteadyClock::time_point start = SteadyClock::now();
    return start;
}

// Taken during static initialisation, i.e. as the process starts.
const SteadyClock::time_point g_start = Start();

}  // namespace

long clock() {
    const auto elapsed = SteadyClock::now() - Start();
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

std::int64_t time() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count();
}

}  // namespace kiv
