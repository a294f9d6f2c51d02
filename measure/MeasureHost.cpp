#include "measure/MeasureHost.h"

#include "measure/Workload.h"
#include "platform/os/Clock.h"

long MeasureHost::Clock() {
    return kiv::clock();
}

void MeasureHost::Sleep(unsigned milliseconds) {
    kiv::Sleep(milliseconds);
}

std::int64_t MeasureHost::Time() {
    return kiv::time();
}

void MeasureHost::RunWorkload(std::int32_t count) {
    ::RunWorkload(count);
}
