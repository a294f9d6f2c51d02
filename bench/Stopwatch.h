#pragma once

#include <chrono>

#include "platform/os/Clock.h"

// Milliseconds that f took, from a clock with fine steps on every host.
template <typename F>
double TimeMs(F&& f) {
    const auto start = kiv::SteadyClock::now();
    f();
    const auto stop = kiv::SteadyClock::now();
    return std::chrono::duration<double, std::milli>(stop - start).count();
}
