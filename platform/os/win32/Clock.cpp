#include "platform/os/Clock.h"

#include <windows.h>

namespace kiv {
namespace {

// Fixed at boot; read once.
LONGLONG CounterFrequency() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return frequency;
}

}  // namespace

SteadyClock::time_point SteadyClock::now() {
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    const LONGLONG frequency = CounterFrequency();
    // Whole seconds and the rest apart, so that the product cannot overflow.
    const LONGLONG seconds = counter.QuadPart / frequency;
    const LONGLONG rest = counter.QuadPart % frequency;
    return time_point(duration(seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency));
}

// The system's own wait: the runtime's sleep_for would split it and check the time in between.
void Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace kiv
