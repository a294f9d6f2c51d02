#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// A second, deliberately different implementation of the "%f" digits, to check the formatter
// against: the value's exact binary fraction is turned into decimal digits one at a time with a
// plain binary big integer (the formatter multiplies by powers of five in base 10^9 instead).
// Rule: exact decimal expansion, rounded half up to 17 significant digits, zeros after them,
// then rounded half up at the requested place.
namespace model {

// A non-negative integer in base 2^32, least significant word first.
class BigBinary {
public:
    explicit BigBinary(std::uint64_t value = 0) {
        m_words = {static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
        Trim();
    }

    bool IsZero() const { return m_words.empty(); }

    void ShiftLeft(int bits) {
        std::vector<std::uint32_t> shifted(static_cast<size_t>(bits / 32), 0);
        const int rest = bits % 32;
        std::uint32_t carry = 0;
        for (const std::uint32_t word : m_words) {
            shifted.push_back(rest == 0 ? word : (word << rest) | carry);
            carry = rest == 0 ? 0 : word >> (32 - rest);
        }
        shifted.push_back(carry);
        m_words = std::move(shifted);
        Trim();
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& word : m_words) {
            const std::uint64_t product = std::uint64_t{word} * factor + carry;
            word = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) m_words.push_back(static_cast<std::uint32_t>(carry));
    }

    // Divides in place and returns the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (size_t i = m_words.size(); i-- > 0;) {
            const std::uint64_t current = (remainder << 32) | m_words[i];
            m_words[i] = static_cast<std::uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        Trim();
        return static_cast<std::uint32_t>(remainder);
    }

    // Removes and returns the bits from position bits upwards (as a small number).
    std::uint32_t TakeHighBits(int bits) {
        const size_t word = static_cast<size_t>(bits / 32);
        const int rest = bits % 32;
        std::uint64_t high = 0;
        for (size_t i = m_words.size(); i-- > word;) {
            high = (high << 32) | m_words[i];
        }
        high >>= rest;
        m_words.resize(std::min(m_words.size(), word + 1));
        if (word < m_words.size()) {
            m_words[word] &= rest == 0 ? 0u : ((1u << rest) - 1u);
        }
        Trim();
        return static_cast<std::uint32_t>(high);
    }

    std::string ToDecimal() const {
        if (IsZero()) return "";
        BigBinary copy = *this;
        std::string reversed;
        while (!copy.IsZero()) reversed += static_cast<char>('0' + copy.DivideBy(10));
        return std::string(reversed.rbegin(), reversed.rend());
    }

private:
    void Trim() {
        while (!m_words.empty() && m_words.back() == 0) m_words.pop_back();
    }

    std::vector<std::uint32_t> m_words;
};

// 0.d1 d2 ... x 10^point with at most 17 digits (trailing zeros allowed); zero has no digits.
struct Significant {
    std::string digits;
    int point = 0;
};

// |value| (finite) rounded half up to 17 significant digits.
inline Significant SeventeenDigits(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    Significant result;
    if (mantissa == 0) return result;

    // Integer part and the fraction r / 2^k.
    BigBinary integer(0);
    BigBinary fraction(0);
    int fractionBits = 0;
    if (exponent >= 0) {
        integer = BigBinary(mantissa);
        integer.ShiftLeft(exponent);
    } else {
        fractionBits = -exponent;
        fraction = BigBinary(mantissa);
        integer = BigBinary(fractionBits >= 64 ? 0 : mantissa >> fractionBits);
        fraction.TakeHighBits(fractionBits);
    }
    result.digits = integer.ToDecimal();
    result.point = static_cast<int>(result.digits.size());
    // Fraction digits: multiply by ten, the bits above the point are the next digit.
    while (result.digits.size() < 18 && !fraction.IsZero()) {
        fraction.MultiplyAdd(10, 0);
        const std::uint32_t digit = fraction.TakeHighBits(fractionBits);
        if (result.digits.empty() && digit == 0) {
            --result.point;
            continue;
        }
        result.digits += static_cast<char>('0' + digit);
    }
    if (result.digits.size() > 17) {
        const bool up = result.digits[17] >= '5';
        result.digits.resize(17);
        if (up) {
            size_t i = 17;
            while (i > 0 && result.digits[i - 1] == '9') result.digits[--i] = '0';
            if (i == 0) {
                result.digits.insert(result.digits.begin(), '1');
                result.digits.pop_back();
                ++result.point;
            } else {
                ++result.digits[i - 1];
            }
        }
    }
    return result;
}

// The text of "%.<precision>f" for a finite value whose 17 digits are number.
inline std::string Fixed(bool negative, const Significant& number, int precision) {
    const std::string sign = negative ? "-" : "";
    // The integer round(|value| x 10^precision), half up, as decimal text.
    const int keep = number.point + precision;
    std::string scaled;
    for (int i = 0; i < keep; ++i) {
        scaled += i < static_cast<int>(number.digits.size()) ? number.digits[static_cast<size_t>(i)]
                                                             : '0';
    }
    const bool up = keep >= 0 && keep < static_cast<int>(number.digits.size()) &&
                    number.digits[static_cast<size_t>(keep)] >= '5';
    if (up) {
        size_t i = scaled.size();
        while (i > 0 && scaled[i - 1] == '9') scaled[--i] = '0';
        if (i == 0)
            scaled.insert(scaled.begin(), '1');
        else
            ++scaled[i - 1];
    }
    while (static_cast<int>(scaled.size()) < precision + 1) scaled.insert(scaled.begin(), '0');
    const size_t integerDigits = scaled.size() - static_cast<size_t>(precision);
    std::string text = sign + scaled.substr(0, integerDigits);
    if (precision > 0) text += "." + scaled.substr(integerDigits);
    return text;
}

// The text of "%.<precision>f" for value, without width or flags.
inline std::string Fixed(double value, int precision) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    return Fixed(std::signbit(value), SeventeenDigits(value), precision);
}

}  // namespace model
