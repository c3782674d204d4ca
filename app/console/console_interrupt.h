// Ctrl+C and Ctrl+Break as Stop: the run in progress ends at its next look at the stop
// flag, instead of the process being ended in the middle of a line.
#pragma once

#include <windows.h>

#include <atomic>

#include "engine/run_state.h"

namespace sorowa {

class ConsoleInterrupt {
public:
    // From now on, Ctrl+C and Ctrl+Break request a stop of `run`. One at a time.
    explicit ConsoleInterrupt(RunState& run);
    // Later presses are ignored: the process is about to end, with whole lines written.
    ~ConsoleInterrupt();
    ConsoleInterrupt(const ConsoleInterrupt&) = delete;
    ConsoleInterrupt& operator=(const ConsoleInterrupt&) = delete;

private:
    static BOOL WINAPI OnControl(DWORD event);

    RunState& m_run;
    // The handler is a plain function: it finds the one instance here.
    static std::atomic<ConsoleInterrupt*> s_current;
};

}  // namespace sorowa
