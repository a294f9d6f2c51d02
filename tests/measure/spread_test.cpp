#include "measure/Spread.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(SpreadTest, MedianTakesTheMiddleOrTheMeanOfTheTwoMiddleValues) {
    EXPECT_DOUBLE_EQ(Median({5.0, 1.0, 3.0}), 3.0);
    EXPECT_DOUBLE_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
    EXPECT_DOUBLE_EQ(Median({7.0}), 7.0);
    EXPECT_THROW(Median({}), std::invalid_argument);
}

TEST(SpreadTest, RobustCvIsNotThrownOffByOneWildValue) {
    // Deviations from the median 3: 2, 1, 0, 1, 97; their median is 1.
    const Spread spread = SpreadOf({3.0, 1.0, 100.0, 2.0, 4.0});
    EXPECT_DOUBLE_EQ(spread.min, 1.0);
    EXPECT_DOUBLE_EQ(spread.max, 100.0);
    EXPECT_DOUBLE_EQ(spread.median, 3.0);
    EXPECT_DOUBLE_EQ(spread.robustCv, 1.4826 / 3.0);

    EXPECT_DOUBLE_EQ(SpreadOf({2.0, 2.0, 2.0}).robustCv, 0.0);
    EXPECT_THROW(SpreadOf({}), std::invalid_argument);
}

}  // namespace
