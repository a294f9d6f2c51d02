#pragma once

// GoogleTest's one-shot event, given to it for the Windows build: the win32 thread model's C++
// runtime has no std::mutex or std::condition_variable, which GoogleTest's own needs. Only
// GoogleTest's threading helpers use it, and our tests start no thread, so a wait may poll.
#include <atomic>

namespace testing::internal {

class Notification {
public:
    void Notify() { notified_ = true; }
    void WaitForNotification() const {
        while (!notified_) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
