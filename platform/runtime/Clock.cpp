#include <chrono>
#include <thread>

#include "platform/runtime/Runtime.h"

namespace kiv {
namespace {

// A function-local static, so that a clock() from another file's static initialiser still
// finds the start set.
std::chrono::steady_clock::time_point Start() {
    static const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    return start;
}

// Taken during static initialisation, i.e. as the process starts.
const std::chrono::steady_clock::time_point g_start = Start();

}  // namespace

long clock() {
    const auto elapsed = std::chrono::steady_clock::now() - Start();
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
