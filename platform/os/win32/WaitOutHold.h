#pragma once

#include <windows.h>

#include "platform/os/win32/SystemCalls.h"

namespace kiv {

// Other programs open a user's files too: an indexer or a virus scanner for a moment, often
// right after the file was written, a sync client a little longer, a spreadsheet for as long as
// the user keeps the file open in it. A file operation that meets such a hold is tried again
// after pauses that grow by 25 ms, 25 ms up to 250 ms: eleven tries over 1.375 s. A hold that
// outlasts them fails like any other error.
inline constexpr DWORD kHoldPauseStepMs = 25;
inline constexpr DWORD kHoldPauses = 10;

// Which failures are another program's hold rather than a lasting error.
enum class Hold {
    // Opening: the file is open elsewhere with a sharing that excludes ours, or locked.
    OnOpen,
    // Renaming over a file: the system also answers ERROR_ACCESS_DENIED while another program
    // has the target open, whatever that program shares.
    OnRename,
};

inline bool IsHold(Hold kind, DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           (kind == Hold::OnRename && error == ERROR_ACCESS_DENIED);
}

// Calls attempt, which returns ERROR_SUCCESS or the system's error code, until it no longer
// fails with a hold or the pauses run out; returns what the last call returned.
template <class Attempt>
DWORD WaitOutHold(Hold kind, Attempt attempt) {
    DWORD error = attempt();
    for (DWORD pause = 1; pause <= kHoldPauses && IsHold(kind, error); ++pause) {
        g_systemCalls.Sleep(pause * kHoldPauseStepMs);
        error = attempt();
    }
    return error;
}

}  // namespace kiv
