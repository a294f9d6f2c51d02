// The formatter's "%.Nf" against an independent model of its rule, on a million doubles drawn
// where the rule's corners are: every bit pattern, the range where the requested place falls
// inside the 17 digits, exact halves at a decimal place and their neighbours, powers of ten.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "platform/runtime/Format.h"
#include "tests/support/FixedModel.h"

namespace {

// KIV_DIFFERENTIAL_COUNT lowers the count where the build is slow (sanitizers, Wine).
long DoubleCount() {
    const char* text = std::getenv("KIV_DIFFERENTIAL_COUNT");
    return text != nullptr ? std::atol(text) : 1'000'000;
}

double Draw(std::mt19937_64& random, long index) {
    const std::uint64_t bits = random();
    switch (index % 5) {
        case 0:  // any bit pattern: subnormals, huge values, infinities and NaNs too
            return std::bit_cast<double>(bits);
        case 1: {  // magnitudes where precisions 0 to 20 cut inside the 17 digits
            const double mantissa = 1.0 + static_cast<double>(bits >> 11) * 0x1p-53 * 9.0;
            const int exponent = static_cast<int>(random() % 42) - 22;
            return (bits & 1 ? -1 : 1) * mantissa * std::pow(10.0, exponent);
        }
        case 2: {  // odd / 2^(p+1) is exactly half a unit of the p-th decimal place
            const int place = static_cast<int>(random() % 21);
            const double odd = static_cast<double>((bits >> (11 + random() % 40)) | 1);
            const double half = std::ldexp(odd, -(place + 1));
            const int side = static_cast<int>(random() % 3);  // the half, or just below or above
            if (side == 0) return half;
            return std::nextafter(half, side == 1 ? 0.0 : std::numeric_limits<double>::infinity());
        }
        case 3: {  // powers of ten and their neighbours, where digits carry into a new place
            const double power = std::pow(10.0, static_cast<int>(random() % 60) - 30);
            const int steps = static_cast<int>(random() % 5) - 2;
            double value = power;
            for (int i = 0; i < std::abs(steps); ++i) {
                value = std::nextafter(value, steps < 0 ? 0.0 : 1e300);
            }
            return value;
        }
        default:  // small whole numbers and halves, as in data files
            return static_cast<double>(bits % 2'000'001) / 2.0 - 500'000.0;
    }
}

TEST(FormatDifferentialTest, FixedMatchesTheModelAtEveryPrecision) {
    std::mt19937_64 random(20240601);
    const long count = DoubleCount();
    long failures = 0;
    for (long i = 0; i < count && failures < 20; ++i) {
        const double value = Draw(random, i);
        const bool finite = std::isfinite(value);
        const model::Significant digits =
            finite ? model::SeventeenDigits(value) : model::Significant{};
        for (int precision = 0; precision <= 20; ++precision) {
            const std::string expected = finite
                                             ? model::Fixed(std::signbit(value), digits, precision)
                                             : model::Fixed(value, precision);
            const std::string actual = kiv::Format("%.*f", precision, value);
            if (actual != expected) {
                ADD_FAILURE() << "value " << std::hexfloat << value << " precision " << precision
                              << ": got " << actual << ", model says " << expected;
                ++failures;
            }
        }
    }
}

TEST(FormatDifferentialTest, ModelAgreesWithKnownDigits) {
    // The model itself, on values whose digits are known by hand.
    EXPECT_EQ(model::Fixed(0.125, 2), "0.13");
    EXPECT_EQ(model::Fixed(2.5, 0), "3");
    EXPECT_EQ(model::Fixed(-0.0, 1), "-0.0");
    EXPECT_EQ(model::Fixed(0.1, 20), "0.10000000000000001000");
    EXPECT_EQ(model::Fixed(1e23, 0), "99999999999999992000000");
    EXPECT_EQ(model::Fixed(0x1p-1074, 20), "0.00000000000000000000");
    EXPECT_EQ(model::Fixed(9.5, 0), "10");
    EXPECT_EQ(model::Fixed(0.99999999999999994, 15), "1.000000000000000");
    EXPECT_EQ(model::Fixed(0.99999999999999994, 16), "0.9999999999999999");
}

}  // namespace
