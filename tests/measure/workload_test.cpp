#include "measure/Workload.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The n whose square splits into two consecutive halves, in order.
const std::vector<std::uint32_t> kQualifying = {
    91,      428,     573,      727,      846,      7810,     9079,
    9901,    36365,   63636,    326734,   673267,   733674,   999001,
    4545454, 5454547, 47058823, 52941178, 88225295, 99990001, 331983807,
};

TEST(WorkloadTest, SmallCountsStopAtTheirQualifyingNumber) {
    // Up to 4545454 the search is quick; the longer ones are covered by the count of 21.
    for (std::int32_t count = 1; count <= 15; ++count) {
        const WorkloadEnd end = RunWorkloadTraced(count);
        EXPECT_EQ(end.n, kQualifying[static_cast<size_t>(count - 1)]) << "count " << count;
        EXPECT_EQ(end.hits, count);
        EXPECT_EQ(g_nWorkloadHits, count);
    }
}

TEST(WorkloadTest, CountsOfZeroOrBelowStopAtTheFirstHit) {
    // The hit count is compared as a signed value: 1 >= 0 and 1 >= -5 stop at once.
    for (const std::int32_t count : {0, -5, INT32_MIN}) {
        const WorkloadEnd end = RunWorkloadTraced(count);
        EXPECT_EQ(end.n, 91u) << "count " << count;
        EXPECT_EQ(g_nWorkloadHits, 1);
    }
}

TEST(WorkloadTest, TheMeasuredCountStopsAtTheTwentyFirstNumber) {
    const WorkloadEnd end = RunWorkloadTraced(21);
    EXPECT_EQ(end.n, 331983807u);
    EXPECT_EQ(end.hits, 21);

    g_nWorkloadHits = 0;
    RunWorkload(21);
    EXPECT_EQ(g_nWorkloadHits, 21);
}

}  // namespace
