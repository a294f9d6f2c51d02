#pragma once

#include <cstdarg>
#include <string>

namespace kiv {

// printf-style formatting with fixed, host-independent digits. Supports the flags "-+ 0#",
// width and precision (also "*"), and the conversions d i u o x X c s p f F e E g G %.
// Floating-point digits: the exact decimal value is cut to 17 significant digits, the 18th
// rounding the 17th half up; digits past the 17th are zeros; the requested place is then
// rounded half up on those digits. So "%.0f" gives "13" for 12.5 and "3" for 2.5.
// Fixed texts: infinity is "inf" / "-inf" and NaN is "nan" ("INF", "NAN" for F, E and G),
// padded with spaces even under the '0' flag; a negative zero keeps its sign ("-0.0").
// Integer lengths hh h l ll z j t and L for long double are understood; an unknown conversion
// is copied as written.
// The checks are the C99 ones (gnu_printf) on every build: mingw's plain printf checks would
// follow the host runtime's older rules, which this formatter does not share. Clang knows only
// "printf", which on the host (the only place clang builds it) means the same C99 rules.
#if defined(__clang__)
#define KIV_PRINTF_CHECKS(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define KIV_PRINTF_CHECKS(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#endif

std::string FormatV(const char* format, va_list args);
std::string Format(const char* format, ...) KIV_PRINTF_CHECKS(1, 2);

}  // namespace kiv
