#include "score/DefaultScores.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/runtime/CString.h"

namespace {

TEST(DefaultScoresTest, PowersRiseStrictlyAndLabelsFitTheirField) {
    const auto rows = DefaultScores();
    for (size_t i = 0; i < rows.size(); ++i) {
        const size_t length = std::strlen(rows[i].label);
        EXPECT_GE(length, 1u) << "row " << i;
        EXPECT_LE(length, 31u) << "row " << i;
        // Whole double-byte characters only: no lead byte is cut off at the end.
        for (size_t k = 0; k < length; ++k) {
            if (IsLeadByte(static_cast<unsigned char>(rows[i].label[k]))) ++k;
            EXPECT_LT(k, length) << "row " << i;
        }
        if (i > 0) {
            EXPECT_GT(rows[i].power, rows[i - 1].power) << "row " << i;
        }
    }
    EXPECT_EQ(rows.front().power, 20.0);
    EXPECT_EQ(rows.back().power, 200000000000.0);
}

}  // namespace
