#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzInput.h"

void FuzzFailure(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}
