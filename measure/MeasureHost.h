#pragma once

#include <cstdint>
#include <optional>

#include "platform/os/ThreadClock.h"
#include "platform/runtime/CString.h"

// What a measurement needs from its surroundings: the button it disables, the message box it
// shows, and the clocks, pause, calendar time and workload it times. The defaults are the real
// ones; tests replace them.
class MeasureHost {
public:
    virtual ~MeasureHost() = default;

    virtual void SetButton(const CString& caption, bool enabled) = 0;
    // A modal message box with one OK button and no icon; returns when it is dismissed.
    virtual void ShowResult(const CString& text, const CString& caption) = 0;

    virtual long Clock();
    // The thread clock learns the rate it may need across the pause.
    virtual void Sleep(unsigned milliseconds);
    // Whole milliseconds of processor time this thread has run, or nothing where the system
    // has no such clock with fine steps.
    virtual std::optional<long> ThreadTime();
    virtual std::int64_t Time();
    virtual void RunWorkload(std::int32_t count);

private:
    kiv::ThreadClock m_threadClock;
};
