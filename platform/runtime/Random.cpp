#include "platform/runtime/Runtime.h"

namespace kiv {
namespace {

// The state wraps modulo 2^32 by the width of the type.
std::uint32_t g_state = 1;

}  // namespace

void srand(std::uint32_t seed) {
    g_state = seed;
}

int rand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

}  // namespace kiv
