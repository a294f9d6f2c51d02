#include "bench/ExecutableMemory.h"

#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

ExecutableMemory::ExecutableMemory(std::size_t size) : m_size(size) {
#ifdef _WIN32
    m_data = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (m_data == nullptr) throw std::runtime_error("VirtualAlloc failed");
#else
    void* p =
        mmap(nullptr, size, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::runtime_error("mmap of executable memory failed");
    m_data = static_cast<unsigned char*>(p);
#endif
}

ExecutableMemory::~ExecutableMemory() {
#ifdef _WIN32
    VirtualFree(m_data, 0, MEM_RELEASE);
#else
    munmap(m_data, m_size);
#endif
}

unsigned char* ExecutableMemory::Place(std::size_t offset, const unsigned char* code,
                                       std::size_t length) {
    if (offset > m_size || length > m_size - offset) {
        throw std::out_of_range("code does not fit the executable memory");
    }
    unsigned char* at = m_data + offset;
    std::memcpy(at, code, length);
#ifdef _WIN32
    FlushInstructionCache(GetCurrentProcess(), at, length);
#else
    __builtin___clear_cache(reinterpret_cast<char*>(at), reinterpret_cast<char*>(at + length));
#endif
    return at;
}
