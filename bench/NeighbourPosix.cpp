#include <pthread.h>
#include <sched.h>

#include <stdexcept>
#include <thread>

#include "bench/Neighbour.h"

namespace {

bool Pin(pthread_t thread, int processor) {
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(processor, &set);
    return pthread_setaffinity_np(thread, sizeof set, &set) == 0;
}

}  // namespace

struct Neighbour::Thread {
    std::thread thread;
};

bool PinToProcessor(int processor) {
    return Pin(pthread_self(), processor);
}

Neighbour::Neighbour(int processor) : m_thread(std::make_unique<Thread>()) {
    m_thread->thread = std::thread([this] {
        while (!m_stop.load(std::memory_order_relaxed)) {
        }
    });
    if (!Pin(m_thread->thread.native_handle(), processor)) {
        Stop();
        throw std::runtime_error("the neighbour cannot be kept on its processor");
    }
}

Neighbour::~Neighbour() {
    Stop();
}

void Neighbour::Stop() {
    m_stop = true;
    m_thread->thread.join();
}
