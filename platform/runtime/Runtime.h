#pragma once

#include <cstdint>

// The runtime services whose behaviour the program fixes itself instead of taking it from the
// host C library, whose digits, grammar and range differ between glibc, mingw and Wine.
namespace kiv {

// Decimal text to double: leading white space, optional sign, digits, optional '.', optional
// exponent introduced by e, E, d or D. Stops at the first character that does not fit; no hex,
// no "inf"/"nan" words. No number gives 0.0; overflow gives infinity, underflow zero or the
// nearest subnormal. The result is correctly rounded however many digits the text has.
double atof(const char* text);

// The classic linear congruential generator: results 0 ... 32767, the same on every build. Its
// state is one global without a lock: the program calls it from its one thread only.
void srand(std::uint32_t seed);
int rand();

}  // namespace kiv
