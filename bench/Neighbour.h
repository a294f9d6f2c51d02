#pragma once

#include <atomic>
#include <memory>

// Another program keeping one processor busy, played by a thread of this one that spins there
// from construction to destruction.
class Neighbour {
public:
    // Throws std::runtime_error where the system will not start the thread or keep it there.
    explicit Neighbour(int processor);
    ~Neighbour();
    Neighbour(const Neighbour&) = delete;
    Neighbour& operator=(const Neighbour&) = delete;

private:
    struct Thread;  // the system's thread, defined by each system's half
    void Stop();    // ends the thread and waits for it

    std::atomic<bool> m_stop{false};
    std::unique_ptr<Thread> m_thread;
};

// Keeps the calling thread on one processor from now on; false where the system refuses.
bool PinToProcessor(int processor);
