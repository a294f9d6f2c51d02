#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/runtime/Runtime.h"

TEST(AtofTest, ReadsTheLongestPrefixThatFits) {
    EXPECT_EQ(kiv::atof(" \t\n\v\f\r12abc"), 12.0);
    EXPECT_EQ(kiv::atof("-1.5e3"), -1500.0);
    EXPECT_EQ(kiv::atof("+.5"), 0.5);
    EXPECT_EQ(kiv::atof("5."), 5.0);
    EXPECT_EQ(kiv::atof("12.7\tX"), 12.7);
    EXPECT_EQ(kiv::atof("1.5d2"), 150.0);
    EXPECT_EQ(kiv::atof("1.5D-2"), 0.015);
    EXPECT_EQ(kiv::atof("2E+1"), 20.0);
    EXPECT_EQ(kiv::atof("1,5"), 1.0);
    EXPECT_EQ(kiv::atof("1.2.3"), 1.2);
    EXPECT_EQ(kiv::atof("007"), 7.0);
}

TEST(AtofTest, AnExponentLetterWithoutDigitsIsNotTaken) {
    EXPECT_EQ(kiv::atof("1e"), 1.0);
    EXPECT_EQ(kiv::atof("1e+"), 1.0);
    EXPECT_EQ(kiv::atof("3d-x"), 3.0);
    EXPECT_EQ(kiv::atof("2e 5"), 2.0);
}

TEST(AtofTest, NoNumberGivesZero) {
    for (const char* text : {"", ".", "-", "+", "abc", " - 1", ".e5", "0x1A", "inf", "-INF", "nan",
                             "infinity", "\xE3\x81\x82"}) {
        EXPECT_EQ(kiv::atof(text), 0.0) << text;
    }
}

TEST(AtofTest, OverflowAndUnderflow) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(kiv::atof("1e400"), inf);
    EXPECT_EQ(kiv::atof("-1e400"), -inf);
    EXPECT_EQ(kiv::atof("1e99999999999999999999"), inf);
    EXPECT_EQ(kiv::atof("1.7976931348623158e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(kiv::atof("1.7976931348623159e308"), inf);
    EXPECT_EQ(kiv::atof("1e-400"), 0.0);
    EXPECT_EQ(kiv::atof("1e-99999999999999999999"), 0.0);
    EXPECT_TRUE(std::signbit(kiv::atof("-1e-400")));
    // Half the smallest subnormal is 2.4703282292062327208...e-324.
    EXPECT_EQ(kiv::atof("2.4703282292062327e-324"), 0.0);
    EXPECT_EQ(kiv::atof("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(kiv::atof("2.2250738585072011e-308"), 2.2250738585072011e-308);
}

TEST(AtofTest, LongDigitStringsRoundCorrectly) {
    // 1 + 2^-53 lies exactly between 1 and the next double: a tie goes to the even 1.
    const std::string tie = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(kiv::atof(tie.c_str()), 1.0);
    EXPECT_EQ(kiv::atof((tie + std::string(1000, '0')).c_str()), 1.0);
    // Anything past the tie, however far out, rounds up.
    const double next = 1.0 + std::numeric_limits<double>::epsilon();
    EXPECT_EQ(kiv::atof((tie + std::string(1000, '0') + "1").c_str()), next);
    EXPECT_EQ(kiv::atof(("0" + std::string(1000, '0') + "1.5").c_str()), 1.5);
    EXPECT_EQ(kiv::atof(("0." + std::string(400, '0') + "1e400").c_str()), 0.1);
    EXPECT_EQ(kiv::atof(("1" + std::string(400, '0') + "e-400").c_str()), 1.0);
    EXPECT_EQ(kiv::atof((std::string(2000, '9') + "e-2000").c_str()), 1.0);
}
