#include <windows.h>

#include <stdexcept>

#include "bench/Neighbour.h"

namespace {

DWORD WINAPI Spin(void* stop) {
    const auto& flag = *static_cast<const std::atomic<bool>*>(stop);
    while (!flag.load(std::memory_order_relaxed)) {
    }
    return 0;
}

}  // namespace

// The win32 thread model's C++ runtime has no std::thread: the system's own thread.
struct Neighbour::Thread {
    HANDLE handle = nullptr;
};

bool PinToProcessor(int processor) {
    return ::SetThreadAffinityMask(::GetCurrentThread(), DWORD_PTR{1} << processor) != 0;
}

Neighbour::Neighbour(int processor) : m_thread(std::make_unique<Thread>()) {
    // Started suspended, so that it never spins anywhere but on its processor.
    m_thread->handle = ::CreateThread(nullptr, 0, Spin, &m_stop, CREATE_SUSPENDED, nullptr);
    if (!m_thread->handle) throw std::runtime_error("the neighbour cannot start");
    const bool pinned = ::SetThreadAffinityMask(m_thread->handle, DWORD_PTR{1} << processor) != 0;
    ::ResumeThread(m_thread->handle);
    if (!pinned) {
        Stop();
        throw std::runtime_error("the neighbour cannot be kept on its processor");
    }
}

Neighbour::~Neighbour() {
    Stop();
}

void Neighbour::Stop() {
    m_stop = true;
    ::WaitForSingleObject(m_thread->handle, INFINITE);
    ::CloseHandle(m_thread->handle);
}
