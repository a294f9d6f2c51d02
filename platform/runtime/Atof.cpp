#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/runtime/Runtime.h"

namespace kiv {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Any double, and any midpoint between two doubles, has at most 767 significant digits. Cut
// longer inputs here and stand in one nonzero digit for a nonzero rest: the value then still
// lies strictly on the same side of every rounding boundary.
constexpr size_t kMaxDigits = 770;

// Decimal exponents past these give infinity or zero whatever the digits.
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kUnderflowExponent = -326;

}  // namespace

double atof(const char* text) {
    const char* p = text;
    while (IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');

    // The significant digits (no leading zeros) and the power of ten of the last one kept.
    std::string digits;
    std::int64_t exponent = 0;
    bool sawDigit = false;
    bool droppedNonzero = false;
    auto takeDigit = [&](char c, bool fraction) {
        sawDigit = true;
        if (digits.empty() && c == '0') {
            if (fraction) --exponent;
            return;
        }
        if (digits.size() < kMaxDigits) {
            digits += c;
            if (fraction) --exponent;
        } else {
            droppedNonzero = droppedNonzero || c != '0';
            if (!fraction) ++exponent;
        }
    };
    for (; IsDigit(*p); ++p) takeDigit(*p, false);
    if (*p == '.') {
        ++p;
        for (; IsDigit(*p); ++p) takeDigit(*p, true);
    }
    if (!sawDigit) return 0.0;

    // An exponent letter counts only when digits follow it.
    if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (*q == '+' || *q == '-') negativeExponent = (*q++ == '-');
        if (IsDigit(*q)) {
            std::int64_t value = 0;
            for (; IsDigit(*q); ++q) {
                // Saturate: anything this large overflows or underflows anyway.
                if (value < 1'000'000'000) value = value * 10 + (*q - '0');
            }
            exponent += negativeExponent ? -value : value;
        }
    }

    const double sign = negative ? -1.0 : 1.0;
    if (digits.empty()) return sign * 0.0;
    if (droppedNonzero) {
        digits += '1';
        --exponent;
    }
    const std::int64_t magnitude = exponent + static_cast<std::int64_t>(digits.size()) - 1;
    if (magnitude > kOverflowExponent) return sign * std::numeric_limits<double>::infinity();
    if (magnitude < kUnderflowExponent) return sign * 0.0;

    // Only digits and an exponent are left, which both hosts' strtod round correctly (glibc's, and
    // mingw-w64's own, which C++ programs get instead of msvcrt's). from_chars rounds the same
    // but brings 33 KB of parsing code into each Windows program.
    digits += 'e';
    digits += std::to_string(exponent);
    return sign * std::strtod(digits.c_str(), nullptr);
}

}  // namespace kiv
