#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "score/ArrScore.h"

namespace fs = std::filesystem;

namespace {

// Loading a large user-edited table in the data file's format: the time must grow linearly with
// the number of rows.
void BM_LoadFile(benchmark::State& state) {
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
BENCHMARK(BM_LoadFile)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// One line of 10 MB (a label), then four short rows: a single line of any length reads in one
// pass.
void BM_LoadLongLine(benchmark::State& state) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-line-" + std::to_string(stamp));
    fs::create_directories(dir);
    const fs::path file = dir / "kiv.txt";
    std::ofstream(file, std::ios::binary)
        << "7\t" << std::string(static_cast<size_t>(state.range(0)), 'x')
        << "\r\n1\ta\r\n2\tb\r\n3\tc\r\n4\td\r\n";
    const CString path(std::string_view(file.string()));

    for (auto _ : state) {
        const ArrScore scores(path);
        benchmark::DoNotOptimize(scores.GetSize());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));

    fs::remove_all(dir);
}
BENCHMARK(BM_LoadLongLine)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
