#include "app/console/console_interrupt.h"

namespace sorowa {

std::atomic<ConsoleInterrupt*> ConsoleInterrupt::s_current{nullptr};

ConsoleInterrupt::ConsoleInterrupt(RunState& run) : m_run(run) {
    s_current = this;
    SetConsoleCtrlHandler(OnControl, TRUE);
}

ConsoleInterrupt::~ConsoleInterrupt() { s_current = nullptr; }

// Runs on a thread of its own that the system starts for each press.
BOOL WINAPI ConsoleInterrupt::OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (ConsoleInterrupt* current = s_current) current->m_run.RequestStop();
    return TRUE;
}

}  // namespace sorowa
