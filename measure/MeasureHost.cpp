#include "measure/MeasureHost.h"

#include "measure/Workload.h"
#include "platform/os/Clock.h"

long MeasureHost::Clock() {
    return kiv::clock();
}

void MeasureHost::Sleep(unsigned milliseconds) {
    m_threadClock.BeginRate();
    kiv::Sleep(milliseconds);
    m_threadClock.EndRate();
}

std::optional<long> MeasureHost::ThreadTime() {
    return m_threadClock.Milliseconds();
}

std::int64_t MeasureHost::Time() {
    return kiv::time();
}

void MeasureHost::RunWorkload(std::int32_t count) {
    ::RunWorkload(count);
}
