#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Takes typed values off the front of a fuzzer's input; past its end every value is zero.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    template <class T>
    T Take() {
        T value{};
        const size_t count = std::min(sizeof(T), m_size);
        std::memcpy(&value, m_data, count);
        m_data += count;
        m_size -= count;
        return value;
    }

    // Everything that is left, as bytes.
    std::string Rest() {
        std::string bytes(reinterpret_cast<const char*>(m_data), m_size);
        m_size = 0;
        return bytes;
    }

private:
    const std::uint8_t* m_data;
    size_t m_size;
};

// Stops the run with a message: libFuzzer then saves the input that did it.
[[noreturn]] void FuzzFailure(const std::string& what);
