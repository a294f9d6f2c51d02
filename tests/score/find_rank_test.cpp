#include "score/FindRank.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace {

ArrScore Table(std::initializer_list<double> powers) {
    ArrScore scores = ArrScore::Unloaded("");
    for (const double power : powers) scores.Add(CScore("row", power));
    return scores;
}

TEST(FindRankTest, ReturnsTheFirstRowAboveTheValue) {
    const ArrScore scores = Table({20, 125, 130});
    EXPECT_EQ(FindRank(scores, 125), 2);  // equal reaches the row
    EXPECT_EQ(FindRank(scores, 124.999), 1);
    EXPECT_EQ(FindRank(scores, 19.5), 0);
    EXPECT_EQ(FindRank(scores, 130), 3);
    EXPECT_EQ(FindRank(scores, 1e300), 3);
    EXPECT_EQ(FindRank(scores, INFINITY), 3);
    EXPECT_EQ(FindRank(scores, NAN), 3);  // NaN never stops the scan
}

TEST(FindRankTest, ScansInTableOrderWithoutSorting) {
    EXPECT_EQ(FindRank(Table({1000, 20, 125}), 500), 0);
    EXPECT_EQ(FindRank(Table({}), 1), 0);
}

TEST(FindRankTest, LargePowersBeyond32BitsCompareAsDoubles) {
    const ArrScore scores = Table({120000000000.0, 200000000000.0});
    EXPECT_EQ(FindRank(scores, 199999999999.0), 1);
    EXPECT_EQ(FindRank(scores, 200000000000.0), 2);
}

}  // namespace
