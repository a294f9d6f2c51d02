#include "platform/runtime/DecimalDigits.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace kiv {
namespace {

constexpr int kSignificant = 17;

// An unsigned integer in base 10^9, least significant limb first: a double's exact value has at
// most 767 significant digits, so a few hundred multiplications by small factors build it.
class BigDecimal {
public:
    explicit BigDecimal(std::uint64_t value) {
        do {
            m_limbs.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    void MultiplyByPowerOfTwo(int exponent) {
        for (; exponent >= 29; exponent -= 29) Multiply(1u << 29);
        Multiply(1u << exponent);
    }

    void MultiplyByPowerOfFive(int exponent) {
        constexpr std::uint32_t kFiveToThe13 = 1220703125;
        for (; exponent >= 13; exponent -= 13) Multiply(kFiveToThe13);
        std::uint32_t factor = 1;
        for (; exponent > 0; --exponent) factor *= 5;
        Multiply(factor);
    }

    std::string ToString() const {
        std::string text = std::to_string(m_limbs.back());
        for (size_t i = m_limbs.size() - 1; i-- > 0;) {
            const std::string limb = std::to_string(m_limbs[i]);
            text.append(9 - limb.size(), '0');
            text += limb;
        }
        return text;
    }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;

    // The factor stays below 2^31, so limb * factor + carry fits in 64 bits.
    void Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        // The carry may exceed one limb when the factor exceeds the base.
        for (; carry != 0; carry /= kBase) {
            m_limbs.push_back(static_cast<std::uint32_t>(carry % kBase));
        }
    }

    std::vector<std::uint32_t> m_limbs;
};

void StripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

}  // namespace

DecimalDigits ExactDigits(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    if (mantissa == 0 && biasedExponent == 0) return {};
    // value = mantissa x 2^exponent
    int exponent = -1074;
    if (biasedExponent != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biasedExponent - 1075;
    }
    const int zeroBits = std::countr_zero(mantissa);
    mantissa >>= zeroBits;
    exponent += zeroBits;

    BigDecimal number(mantissa);
    int fractionDigits = 0;
    if (exponent >= 0) {
        number.MultiplyByPowerOfTwo(exponent);
    } else {
        // m / 2^k = m x 5^k / 10^k
        number.MultiplyByPowerOfFive(-exponent);
        fractionDigits = -exponent;
    }
    DecimalDigits result{number.ToString(), 0};
    result.point = static_cast<int>(result.digits.size()) - fractionDigits;
    StripTrailingZeros(result.digits);
    return result;
}

DecimalDigits SignificantDigits(double value) {
    DecimalDigits number = ExactDigits(value);
    RoundHalfUp(number, kSignificant);
    return number;
}

void RoundHalfUp(DecimalDigits& number, int keep) {
    std::string& digits = number.digits;
    if (keep >= static_cast<int>(digits.size())) return;
    const bool up = keep >= 0 && digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(keep > 0 ? static_cast<size_t>(keep) : 0);
    if (up) {
        while (!digits.empty() && digits.back() == '9') digits.pop_back();
        if (digits.empty()) {
            digits.push_back('1');
            ++number.point;
        } else {
            ++digits.back();
        }
    }
    StripTrailingZeros(digits);
    if (digits.empty()) number.point = 0;
}

}  // namespace kiv
