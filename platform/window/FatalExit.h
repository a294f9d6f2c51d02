#pragma once

// The end for what nobody expected: an exception that escaped every handler, or the C++ runtime
// giving up (std::terminate). Shows one message box, captioned with the program's name, saying
// that the program must stop, then ends the process with exit code 3, as abort() would.
// Nothing of the program runs after it: no destructor, no handler, no exit hook.
[[noreturn]] void FatalExit() noexcept;
