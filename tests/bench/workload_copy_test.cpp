#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "bench/ExecutableMemory.h"
#include "bench/FaithfulVariant.h"
#include "measure/WorkloadKernel.h"

namespace {

TEST(WorkloadCopyTest, TheKernelRunsWhereverItsBytesAreCopied) {
    // The placement sweep relies on this: the kernel's code refers to nothing outside itself.
    const auto* begin = reinterpret_cast<const unsigned char*>(&WorkloadKernel);
    const auto* end = reinterpret_cast<const unsigned char*>(&WorkloadKernelEnd);
    ASSERT_LT(begin, end);
    ASSERT_LE(end - begin, 1024);

    ExecutableMemory memory(8192);
    for (const std::size_t offset : {std::size_t{0}, std::size_t{37}, std::size_t{4096 + 63}}) {
        const auto copy = reinterpret_cast<WorkloadKernelFn>(
            memory.Place(offset, begin, static_cast<std::size_t>(end - begin)));
        for (const std::int32_t count : {0, 1, 5, 9}) {
            const WorkloadEnd expected = WorkloadKernel(count);
            const WorkloadEnd got = copy(count);
            EXPECT_EQ(got.n, expected.n) << "offset " << offset << ", count " << count;
            EXPECT_EQ(got.hits, expected.hits);
        }
    }
    EXPECT_THROW(memory.Place(8000, begin, 200), std::out_of_range);
}

TEST(WorkloadCopyTest, TheFaithfulVariantStopsWhereTheShippedLoopStops) {
    // Up to 4545454 (count 15) both are quick; kivbench checks count 21 on every run.
    for (std::int32_t count = -1; count <= 15; ++count) {
        const WorkloadEnd expected = WorkloadKernel(count);
        const WorkloadEnd got = FaithfulWorkload(count);
        EXPECT_EQ(got.n, expected.n) << "count " << count;
        EXPECT_EQ(got.hits, expected.hits) << "count " << count;
    }
}

}  // namespace
