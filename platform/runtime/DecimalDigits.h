#pragma once

#include <string>

// The decimal digits behind the formatter's floating-point conversions.
namespace kiv {

// A non-negative decimal 0.d1d2...dn x 10^point: digits has no leading or trailing zeros, and
// zero has no digits. So 12.5 is {"125", 2} and 0.05 is {"5", -1}.
struct DecimalDigits {
    std::string digits;
    int point = 0;
};

// The exact decimal value of |value|, which must be finite.
DecimalDigits ExactDigits(double value);

// |value| cut to 17 significant digits, the 18th rounding the 17th half up; every later digit
// counts as zero. This is what the formatter's conversions start from.
DecimalDigits SignificantDigits(double value);

// Keeps the first keep digits (none when keep <= 0), rounding half up on the digit after them.
void RoundHalfUp(DecimalDigits& number, int keep);

}  // namespace kiv
