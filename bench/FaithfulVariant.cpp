#include "bench/FaithfulVariant.h"

namespace {

// Tests every d-digit n from n up to Hi - 1 (Hi = 10^d). The square is carried whole in 64 bits,
// so no carry loop runs; s and t come from dividing it by the constant Hi, which compiles to a
// multiplication. |s - t| = 1 is tested as s - t + 1 being 0 or 2, which holds on 33 of the
// 332 million steps, so s >= lo is tested only then. Returns true when count hits are reached,
// with n at the last n tested; otherwise n ends at Hi.
template <std::uint64_t Hi>
[[gnu::always_inline]] inline bool SearchDigits(std::uint32_t& n, std::int32_t& hits,
                                                std::int32_t count) {
    constexpr std::uint32_t lo = Hi / 10;
    std::uint64_t square = std::uint64_t{n} * n;
    for (std::uint32_t k = n; k < Hi; ++k) {
        const auto s = static_cast<std::uint32_t>(square / Hi);
        const auto t = static_cast<std::uint32_t>(square % Hi);
        if (((s - t + 1) & ~2u) == 0 && s >= lo) [[unlikely]] {
            if (++hits >= count) {
                n = k;
                return true;
            }
        }
        square += 2 * std::uint64_t{k} + 1;
    }
    n = Hi;
    return false;
}

}  // namespace

WorkloadEnd FaithfulWorkload(std::int32_t count) {
    std::uint32_t n = 4;
    std::int32_t hits = 0;
    // Counts up to 40 end below 10^9, as the shipped loop does.
    SearchDigits<10>(n, hits, count) || SearchDigits<100>(n, hits, count) ||
        SearchDigits<1000>(n, hits, count) || SearchDigits<10000>(n, hits, count) ||
        SearchDigits<100000>(n, hits, count) || SearchDigits<1000000>(n, hits, count) ||
        SearchDigits<10000000>(n, hits, count) || SearchDigits<100000000>(n, hits, count) ||
        SearchDigits<1000000000>(n, hits, count);
    return {n, hits};
}
