#pragma once

#include <cstddef>

// A block of fresh pages that may be written and run as machine code; freed on destruction.
// Throws std::runtime_error when the system refuses it.
class ExecutableMemory {
public:
    explicit ExecutableMemory(std::size_t size);
    ~ExecutableMemory();
    ExecutableMemory(const ExecutableMemory&) = delete;
    ExecutableMemory& operator=(const ExecutableMemory&) = delete;

    unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

    // Copies code to data() + offset and makes it ready to run; returns where it went.
    unsigned char* Place(std::size_t offset, const unsigned char* code, std::size_t length);

private:
    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
};
