#include <benchmark/benchmark.h>

#include "measure/Workload.h"

namespace {

// The work a measurement times.
void BM_RunWorkload21(benchmark::State& state) {
    for (auto _ : state) RunWorkload(21);
    state.counters["hits"] = g_nWorkloadHits;
}
BENCHMARK(BM_RunWorkload21)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
