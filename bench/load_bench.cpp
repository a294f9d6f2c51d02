#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "score/ArrScore.h"

namespace fs = std::filesystem;

namespace {

// Loading a large user-edited table: 100,000 rows in the data file's format.
void BM_LoadFile100k(benchmark::State& state) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-" + std::to_string(stamp));
    fs::create_directories(dir);
    const fs::path file = dir / "kiv.txt";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < state.range(0); ++i) {
            out << (i * 37 + 20) << "\tlabel of row " << i << "\r\n";
        }
    }
    const CString path(std::string_view(file.string()));

    for (auto _ : state) {
        const ArrScore scores(path);
        benchmark::DoNotOptimize(scores.GetSize());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));

    fs::remove_all(dir);
}
BENCHMARK(BM_LoadFile100k)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
