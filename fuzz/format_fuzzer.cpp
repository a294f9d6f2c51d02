// "%f" with arbitrary doubles, flags, widths and precisions, against the independent model of
// the digits; the padding rules are simple enough to state here.
#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/runtime/Format.h"
#include "tests/support/FixedModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const auto value = input.Take<double>();
    const auto flags = input.Take<std::uint8_t>();
    const int width = input.Take<std::uint16_t>() % 400;
    const int precision = input.Take<std::uint16_t>() % 1200;

    const bool left = flags & 1, plus = flags & 2, space = flags & 4, zero = flags & 8;
    std::string format = "%";
    if (left) format += '-';
    if (plus) format += '+';
    if (space) format += ' ';
    if (zero) format += '0';
    format += "*.*f";
    const std::string actual = kiv::Format(format.c_str(), width, precision, value);

    std::string body = model::Fixed(value, precision);
    std::string sign;
    if (!body.empty() && body[0] == '-') {
        sign = "-";
        body.erase(0, 1);
    } else if (plus || space) {
        sign = plus ? "+" : " ";
    }
    const size_t length = sign.size() + body.size();
    const size_t fill =
        static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
    std::string expected;
    if (left)
        expected = sign + body + std::string(fill, ' ');
    else if (zero && std::isfinite(value))
        expected = sign + std::string(fill, '0') + body;
    else
        expected = std::string(fill, ' ') + sign + body;
    if (actual != expected) FuzzFailure("\"" + actual + "\" instead of \"" + expected + "\"");
    return 0;
}
