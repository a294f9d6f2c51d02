// atof against a model of its grammar on random strings: text made mostly of the characters the
// grammar knows, so that most strings hold a number and its edges (signs, points, exponent
// letters without digits, white space, long digit runs, huge exponents) come up often.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/runtime/Runtime.h"
#include "tests/support/AtofModel.h"

namespace {

long StringCount() {
    const char* text = std::getenv("KIV_DIFFERENTIAL_COUNT");
    return text != nullptr ? std::atol(text) : 1'000'000;
}

std::string Draw(std::mt19937_64& random) {
    static const std::string kAlphabet = "0123456789012345678901234567890123456789..++--eEdD \tx";
    std::string text;
    const size_t length = random() % 40;
    for (size_t i = 0; i < length; ++i) text += kAlphabet[random() % kAlphabet.size()];
    switch (random() % 8) {
        case 0:  // a long run of digits, past what any double needs
            text.insert(random() % (text.size() + 1), std::string(random() % 900, '9'));
            break;
        case 1:  // a tiny or huge exponent
            text += (random() % 2 ? "e-" : "E") + std::to_string(random() % 400'000);
            break;
        case 2:  // a value written to 17 digits, as the data file may hold
            text = std::to_string(static_cast<double>(random() % 100'000'000) * 1e-3) + text;
            break;
        case 3: {  // a decimal close to a double: read back what a double prints as
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.*e", static_cast<int>(random() % 20),
                          std::bit_cast<double>(random()));
            text = buffer + text;
            break;
        }
        default:
            break;
    }
    return text;
}

TEST(AtofDifferentialTest, ReadsWhatTheGrammarDescribes) {
    std::mt19937_64 random(19890401);
    const long count = StringCount();
    long failures = 0;
    for (long i = 0; i < count && failures < 20; ++i) {
        const std::string text = Draw(random);
        const double expected = model::ExpectedAtof(text);
        const double actual = kiv::atof(text.c_str());
        // Bit for bit, so that the sign of a zero counts too; NaN never comes out.
        if (std::bit_cast<std::uint64_t>(actual) != std::bit_cast<std::uint64_t>(expected)) {
            ADD_FAILURE() << "\"" << text << "\": got " << actual << ", model says " << expected;
            ++failures;
        }
    }
}

}  // namespace
