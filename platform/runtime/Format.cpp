#include "platform/runtime/Format.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/runtime/DecimalDigits.h"

namespace kiv {
namespace {

// One conversion's flags, width and precision.
struct Conversion {
    bool left = false;       // '-'
    bool plus = false;       // '+'
    bool space = false;      // ' '
    bool zero = false;       // '0'
    bool alternate = false;  // '#'
    int width = 0;
    int precision = -1;  // -1: none given
    char conversion = 0;
    bool upper = false;
};

enum class Length { None, Char, Short, Long, LongLong, Size, Max, PtrDiff, LongDouble };

// Pads body (after its sign or prefix) to the field width.
void Emit(std::string& out, const Conversion& conv, std::string_view prefix, std::string_view body,
          bool zeroPadding) {
    const size_t length = prefix.size() + body.size();
    const size_t fill = conv.width > 0 && static_cast<size_t>(conv.width) > length
                            ? static_cast<size_t>(conv.width) - length
                            : 0;
    if (conv.left) {
        out += prefix;
        out += body;
        out.append(fill, ' ');
    } else if (zeroPadding) {
        out += prefix;
        out.append(fill, '0');
        out += body;
    } else {
        out.append(fill, ' ');
        out += prefix;
        out += body;
    }
}

std::string_view SignOf(bool negative, const Conversion& conv) {
    if (negative) return "-";
    if (conv.plus) return "+";
    if (conv.space) return " ";
    return "";
}

std::string Digits(std::uintmax_t value, unsigned base, bool upper) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), symbols[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

void FormatInteger(std::string& out, const Conversion& conv, std::uintmax_t magnitude,
                   bool negative) {
    const unsigned base = conv.conversion == 'o' ? 8 : (conv.conversion == 'x' ? 16 : 10);
    std::string body;
    // An explicit precision of 0 prints no digit for 0.
    if (magnitude != 0 || conv.precision != 0) body = Digits(magnitude, base, conv.upper);
    if (conv.precision > 0 && body.size() < static_cast<size_t>(conv.precision)) {
        body.insert(0, static_cast<size_t>(conv.precision) - body.size(), '0');
    }
    std::string prefix;
    if (conv.conversion == 'd') {
        prefix = SignOf(negative, conv);
    } else if (conv.alternate && base == 16 && magnitude != 0) {
        prefix = conv.upper ? "0X" : "0x";
    } else if (conv.alternate && base == 8 && (body.empty() || body.front() != '0')) {
        body.insert(body.begin(), '0');
    }
    Emit(out, conv, prefix, body, conv.zero && !conv.left && conv.precision < 0);
}

char DigitAt(const DecimalDigits& number, int index) {
    return index >= 0 && index < static_cast<int>(number.digits.size())
               ? number.digits[static_cast<size_t>(index)]
               : '0';
}

// Fixed notation with precision digits after the point; number is rounded here.
std::string FixedBody(DecimalDigits number, int precision, bool alternate) {
    RoundHalfUp(number, number.point + precision);
    std::string body;
    if (number.point <= 0) body = "0";
    for (int i = 0; i < number.point; ++i) body += DigitAt(number, i);
    if (precision > 0 || alternate) body += '.';
    for (int i = 0; i < precision; ++i) body += DigitAt(number, number.point + i);
    return body;
}

// Scientific notation d.ddde+XX with precision digits after the point.
std::string ScientificBody(DecimalDigits number, int precision, bool alternate, bool upper) {
    RoundHalfUp(number, precision + 1);
    const int exponent = number.digits.empty() ? 0 : number.point - 1;
    std::string body(1, DigitAt(number, 0));
    if (precision > 0 || alternate) body += '.';
    for (int i = 1; i <= precision; ++i) body += DigitAt(number, i);
    body += upper ? 'E' : 'e';
    body += exponent < 0 ? '-' : '+';
    const std::string digits = Digits(static_cast<std::uintmax_t>(std::abs(exponent)), 10, false);
    if (digits.size() < 2) body += '0';
    body += digits;
    return body;
}

// Drops trailing zeros of the fraction, and the point when nothing follows it.
void TrimFraction(std::string& body) {
    const size_t point = body.find('.');
    if (point == std::string::npos) return;
    size_t exponent = body.find_first_of("eE");
    if (exponent == std::string::npos) exponent = body.size();
    size_t end = exponent;
    while (end > point + 1 && body[end - 1] == '0') --end;
    if (end == point + 1) end = point;
    body.erase(end, exponent - end);
}

std::string GeneralBody(const DecimalDigits& number, int precision, bool alternate, bool upper) {
    if (precision == 0) precision = 1;
    DecimalDigits rounded = number;
    RoundHalfUp(rounded, precision);
    const int exponent = rounded.digits.empty() ? 0 : rounded.point - 1;
    std::string body = exponent >= -4 && exponent < precision
                           ? FixedBody(number, precision - 1 - exponent, alternate)
                           : ScientificBody(number, precision - 1, alternate, upper);
    if (!alternate) TrimFraction(body);
    return body;
}

void FormatFloat(std::string& out, const Conversion& conv, double value) {
    const bool negative = std::signbit(value) && !std::isnan(value);
    if (!std::isfinite(value)) {
        const std::string_view text =
            std::isnan(value) ? (conv.upper ? "NAN" : "nan") : (conv.upper ? "INF" : "inf");
        Emit(out, conv, SignOf(negative, conv), text, false);
        return;
    }
    const DecimalDigits number = SignificantDigits(value);
    const int precision = conv.precision < 0 ? 6 : conv.precision;
    std::string body;
    switch (conv.conversion) {
        case 'e':
            body = ScientificBody(number, precision, conv.alternate, conv.upper);
            break;
        case 'g':
            body = GeneralBody(number, precision, conv.alternate, conv.upper);
            break;
        default:
            body = FixedBody(number, precision, conv.alternate);
            break;
    }
    Emit(out, conv, SignOf(negative, conv), body, conv.zero && !conv.left);
}

std::intmax_t SignedArgument(Length length, va_list& args) {
    switch (length) {
        case Length::Char:
            return static_cast<signed char>(va_arg(args, int));
        case Length::Short:
            return static_cast<short>(va_arg(args, int));
        case Length::Long:
            return va_arg(args, long);
        case Length::LongLong:
            return va_arg(args, long long);
        case Length::Size:
        case Length::PtrDiff:
            return va_arg(args, std::ptrdiff_t);
        case Length::Max:
            return va_arg(args, std::intmax_t);
        default:
            return va_arg(args, int);
    }
}

std::uintmax_t UnsignedArgument(Length length, va_list& args) {
    switch (length) {
        case Length::Char:
            return static_cast<unsigned char>(va_arg(args, unsigned));
        case Length::Short:
            return static_cast<unsigned short>(va_arg(args, unsigned));
        case Length::Long:
            return va_arg(args, unsigned long);
        case Length::LongLong:
            return va_arg(args, unsigned long long);
        case Length::Size:
        case Length::PtrDiff:
            return va_arg(args, std::size_t);
        case Length::Max:
            return va_arg(args, std::uintmax_t);
        default:
            return va_arg(args, unsigned);
    }
}

Length ParseLength(const char*& p) {
    switch (*p) {
        case 'h':
            if (*++p == 'h') return ++p, Length::Char;
            return Length::Short;
        case 'l':
            if (*++p == 'l') return ++p, Length::LongLong;
            return Length::Long;
        case 'z':
            return ++p, Length::Size;
        case 'j':
            return ++p, Length::Max;
        case 't':
            return ++p, Length::PtrDiff;
        case 'L':
            return ++p, Length::LongDouble;
        default:
            return Length::None;
    }
}

int ParseNumber(const char*& p) {
    int value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < 100'000'000) value = value * 10 + (*p - '0');
    }
    return value;
}

// Formats one conversion; p points just past the '%' and is left past the conversion.
void FormatConversion(std::string& out, const char*& p, va_list& args) {
    const char* const start = p - 1;
    Conversion conv;
    for (;; ++p) {
        if (*p == '-')
            conv.left = true;
        else if (*p == '+')
            conv.plus = true;
        else if (*p == ' ')
            conv.space = true;
        else if (*p == '0')
            conv.zero = true;
        else if (*p == '#')
            conv.alternate = true;
        else
            break;
    }
    if (*p == '*') {
        ++p;
        conv.width = va_arg(args, int);
        // A negative width is a '-' flag with that width.
        if (conv.width < 0) {
            conv.left = true;
            conv.width = conv.width == INT32_MIN ? 0 : -conv.width;
        }
    } else {
        conv.width = ParseNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++p;
            conv.precision = va_arg(args, int);
            if (conv.precision < 0) conv.precision = -1;
        } else {
            conv.precision = ParseNumber(p);
        }
    }
    const Length length = ParseLength(p);
    const char conversion = *p;
    if (conversion == '\0') {
        out.append(start, p);  // an unfinished conversion stays as it was written
        return;
    }
    ++p;
    conv.upper = conversion >= 'A' && conversion <= 'Z';
    switch (conversion) {
        case 'd':
        case 'i': {
            conv.conversion = 'd';
            const std::intmax_t value = SignedArgument(length, args);
            const std::uintmax_t magnitude =
                value < 0 ? std::uintmax_t{0} - static_cast<std::uintmax_t>(value)
                          : static_cast<std::uintmax_t>(value);
            FormatInteger(out, conv, magnitude, value < 0);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            conv.conversion = conversion == 'X' ? 'x' : conversion;
            FormatInteger(out, conv, UnsignedArgument(length, args), false);
            break;
        case 'p':
            conv.conversion = 'x';
            conv.alternate = true;
            FormatInteger(out, conv, reinterpret_cast<std::uintptr_t>(va_arg(args, void*)), false);
            break;
        case 'c': {
            const char c = static_cast<char>(va_arg(args, int));
            Emit(out, conv, "", std::string_view(&c, 1), false);
            break;
        }
        case 's': {
            const char* text = va_arg(args, const char*);
            std::string_view view = text ? text : "(null)";
            if (conv.precision >= 0 && view.size() > static_cast<size_t>(conv.precision)) {
                view = view.substr(0, static_cast<size_t>(conv.precision));
            }
            Emit(out, conv, "", view, false);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            conv.conversion = static_cast<char>(conversion | 0x20);
            const double value = length == Length::LongDouble
                                     ? static_cast<double>(va_arg(args, long double))
                                     : va_arg(args, double);
            FormatFloat(out, conv, value);
            break;
        }
        case '%':
            out += '%';
            break;
        default:
            out.append(start, p);  // an unknown conversion is copied, and takes no argument
            break;
    }
}

}  // namespace

std::string FormatV(const char* format, va_list args) {
    va_list list;
    va_copy(list, args);
    std::string out;
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        ++p;
        FormatConversion(out, p, list);
    }
    va_end(list);
    return out;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    return text;
}

}  // namespace kiv
