#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/runtime/AfxMessageBox.h"
#include "score/ArrScore.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Loading a large user-edited table in the data file's format: the time must grow linearly with
// the number of rows.
void BM_LoadFile(benchmark::State& state) {
    const TempDir dir;
    const fs::path file = dir.Path() / "kiv.txt";
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
}
BENCHMARK(BM_LoadFile)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// One line of 10 MB (a label), then four short rows: a single line of any length reads in one
// pass.
void BM_LoadLongLine(benchmark::State& state) {
    const TempDir dir;
    const fs::path file = dir.Path() / "kiv.txt";
    std::ofstream(file, std::ios::binary)
        << "7\t" << std::string(static_cast<size_t>(state.range(0)), 'x')
        << "\r\n1\ta\r\n2\tb\r\n3\tc\r\n4\td\r\n";
    const CString path(std::string_view(file.string()));

    for (auto _ : state) {
        const ArrScore scores(path);
        benchmark::DoNotOptimize(scores.GetSize());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadLongLine)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// A field of /proc/self/status such as VmHWM, in KiB.
std::uint64_t StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::stoull(line.substr(field.size() + 1));
    }
    return 0;
}

struct Peak {
    std::uint64_t residentKiB = 0;  // VmHWM: the most memory the process held
    std::uint64_t addressKiB = 0;   // VmPeak: the most address space it had
};

// The whole process's peak memory while it loads path: measured in a child that does only that,
// so that nothing the benchmark did before counts except its own small start.
Peak PeakOfLoad(const CString& path) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        SetAfxMessageBoxHandler([](const CString&) {});
        Peak peak;
        {
            const ArrScore scores(path);
            benchmark::DoNotOptimize(scores.GetSize());
            peak = {StatusKiB("VmHWM"), StatusKiB("VmPeak")};
        }
        const bool written = ::write(fds[1], &peak, sizeof peak) == sizeof peak;
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    Peak peak;
    if (child < 0 || ::read(fds[0], &peak, sizeof peak) != sizeof peak) peak = {};
    ::close(fds[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return peak;
}

// The data files whose peak memory the README gives.
enum PeakCase : int64_t { kMillionRows, kRefusedSparse, kLargestAccepted };

void WritePeakCase(const fs::path& file, int64_t which) {
    std::ofstream out(file, std::ios::binary);
    switch (which) {
        case kMillionRows:
            for (int i = 0; i < 1'000'000; ++i)
                out << (i * 37 + 20) << "\tlabel of row " << i << "\r\n";
            break;
        case kRefusedSparse:
            // 3 GB with no line end, taking no room on the disk: refused for its size.
            out << "1\t";
            out.close();
            fs::resize_file(file, std::uintmax_t{3} << 30);
            break;
        case kLargestAccepted: {
            // The most the load accepts in one file: 2,000,000 rows filling 128 MiB, each label
            // long enough to need memory of its own.
            const std::string label(56, 'x');
            for (int i = 0; i < 2'000'000; ++i) out << i << '\t' << label << "\r\n";
            break;
        }
    }
}

void BM_LoadPeakMemory(benchmark::State& state) {
    const TempDir dir;
    const fs::path file = dir.Path() / "kiv.txt";
    WritePeakCase(file, state.range(0));
    const CString path(std::string_view(file.string()));

    Peak highest;
    for (auto _ : state) {
        const Peak peak = PeakOfLoad(path);
        highest.residentKiB = std::max(highest.residentKiB, peak.residentKiB);
        highest.addressKiB = std::max(highest.addressKiB, peak.addressKiB);
    }
    state.counters["peak_rss_MiB"] = static_cast<double>(highest.residentKiB) / 1024;
    state.counters["peak_vm_MiB"] = static_cast<double>(highest.addressKiB) / 1024;
    state.SetLabel(state.range(0) == kMillionRows     ? "1,000,000 rows"
                   : state.range(0) == kRefusedSparse ? "3 GB sparse, refused"
                                                      : "largest accepted");
}
BENCHMARK(BM_LoadPeakMemory)
    ->Arg(kMillionRows)
    ->Arg(kRefusedSparse)
    ->Arg(kLargestAccepted)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
