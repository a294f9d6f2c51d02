#include "bench/PlacementSweep.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "bench/ExecutableMemory.h"
#include "bench/Stopwatch.h"
#include "measure/Spread.h"
#include "measure/WorkloadKernel.h"

namespace {

constexpr std::size_t kLine = 64;
constexpr std::size_t kSlot = 4096;  // each copy on a page of its own

double TimeKernel(WorkloadKernelFn kernel) {
    WorkloadEnd end{};
    const double ms = TimeMs([&] { end = kernel(21); });
    if (end.hits != 21 || end.n != 331983807u) {
        throw std::runtime_error("a copy of the workload kernel did not stop at the 21st hit");
    }
    return ms;
}

}  // namespace

double PlacementTime::Best() const {
    return *std::min_element(ms.begin(), ms.end());
}

double PlacementTime::Median() const {
    return ::Median(ms);
}

SweepResult RunSweep(const SweepOptions& options) {
    const auto* begin = reinterpret_cast<const unsigned char*>(&WorkloadKernel);
    const auto* end = reinterpret_cast<const unsigned char*>(&WorkloadKernelEnd);
    if (end <= begin || end - begin > 1024) {
        throw std::runtime_error("WorkloadKernelEnd does not follow WorkloadKernel");
    }
    const auto length = static_cast<std::size_t>(end - begin);

    SweepResult result;
    result.shippedOffset = static_cast<int>(reinterpret_cast<std::uintptr_t>(begin) % kLine);
    result.shipped.offset = -1;

    const auto count = static_cast<std::size_t>(options.offsets);
    ExecutableMemory memory(count * kSlot);
    std::vector<WorkloadKernelFn> kernels;
    for (std::size_t i = 0; i < count; ++i) {
        const auto offset = (i * static_cast<std::size_t>(options.step)) % kLine;
        result.copies.push_back({static_cast<int>(offset), {}});
        kernels.push_back(
            reinterpret_cast<WorkloadKernelFn>(memory.Place(i * kSlot + offset, begin, length)));
    }

    // Round-robin, starting each round one further along, so that a slow spell of the machine
    // does not always fall on the same copies. The shipped code runs first in every round.
    for (int round = 0; round < options.rounds; ++round) {
        result.shipped.ms.push_back(TimeKernel(&WorkloadKernel));
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t i = (k + static_cast<std::size_t>(round)) % count;
            result.copies[i].ms.push_back(TimeKernel(kernels[i]));
        }
    }
    // The ratio that matters, shipped against best, measured side by side once more.
    std::size_t best = 0;
    for (std::size_t i = 1; i < count; ++i) {
        if (result.copies[i].Best() < result.copies[best].Best()) best = i;
    }
    for (int k = 0; k < options.confirmMax; ++k) {
        if (k >= options.confirm &&
            result.shipped.Best() <= options.confirmUntil * result.copies[best].Best()) {
            break;
        }
        result.shipped.ms.push_back(TimeKernel(&WorkloadKernel));
        result.copies[best].ms.push_back(TimeKernel(kernels[best]));
    }
    return result;
}
