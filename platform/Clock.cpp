#include <chrono>
#include <thread>

#include "platform/Runtime.h"

namespace kiv {
namespace {

// Taken during static initialisation, i.e. as the process starts.
const std::chrono::steady_clock::time_point g_start = std::chrono::steady_clock::now();

}  // namespace

long clock() {
    const auto elapsed = std::chrono::steady_clock::now() - g_start;
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

std::int64_t time() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count();
}

void Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace kiv
