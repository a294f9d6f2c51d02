// atof on arbitrary bytes, against the grammar model (bit for bit, so zeros keep their sign).
#include <bit>
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/runtime/Runtime.h"
#include "tests/support/AtofModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = bytes.substr(0, bytes.find('\0'));  // atof sees a C string
    const double actual = kiv::atof(text.c_str());
    const double expected = model::ExpectedAtof(text);
    if (std::bit_cast<std::uint64_t>(actual) != std::bit_cast<std::uint64_t>(expected)) {
        FuzzFailure("atof(\"" + text + "\")");
    }
    return 0;
}
