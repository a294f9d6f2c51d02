#pragma once

#include <cstddef>

namespace kiv {

// Hands data to writeSome, which writes part of it and returns how many bytes it took (or
// throws), until all of data is written. A call that takes nothing ends the loop instead of
// repeating it forever: the result is false when not all of data was written.
template <class WriteSome>
bool WriteAll(const char* data, std::size_t size, WriteSome writeSome) {
    while (size > 0) {
        const std::size_t count = writeSome(data, size);
        if (count == 0 || count > size) return false;
        data += count;
        size -= count;
    }
    return true;
}

}  // namespace kiv
