// A run started from the main window: what its worker touches (the run state, the file
// services and the way back to the window), owned jointly by the window and the worker, so
// that either may go first. A window that goes during a run detaches from it; a worker that
// wakes later finds nothing to hand over to and ends on its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/compare_receiver.h"
#include "engine/file_services.h"
#include "engine/run_state.h"
#include "platform/win32_report_names.h"
#include "platform/worker_thread.h"

namespace sorowa {

// Worker to window, sent: pieces of report text, each ending in a NUL (first parameter), and
// their length with the NULs (second parameter), handled before the send returns.
constexpr UINT WM_COMPARE_OUTPUT = WM_APP + 101;
// Worker to window, posted once as the run's last action; the first parameter is the RunEnd.
constexpr UINT WM_COMPARE_DONE = WM_APP + 100;

class WindowRun : public CompareReceiver {
public:
    // `dialog` gets the pieces (sent) and the end notice (posted, the RunEnd as first
    // parameter); the worker reads the two path fields' texts itself.
    WindowRun(HWND dialog, HWND pathField1, HWND pathField2, std::unique_ptr<FileServices> files,
              const RunStart& start);
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;

    // Starts the worker with a share of `run` of its own. The owner of the worker's handle is
    // empty when no worker could start.
    static ThreadHandle StartWorker(const std::shared_ptr<WindowRun>& run);

    RunState& State() { return m_state; }

    // The window is going: the run is asked to stop and nothing more reaches the window, not
    // even the end notice.
    void Detach();

    // From the worker's thread.
    std::string GetPathText1() override;
    std::string GetPathText2() override;
    bool SendPieces(const char* pieces, size_t length) override;
    void NoteProgress(const RunProgress& progress) override;
    void NotifyDone(RunEnd end) override;

    // From the window's thread: the bytes of the pair in hand compared so far, and its
    // length (0 until it is open).
    uint64_t PairDone() const { return m_pairDone.load(std::memory_order_relaxed); }
    uint64_t PairLength() const { return m_pairLength.load(std::memory_order_relaxed); }

private:
    static DWORD WINAPI WorkerEntry(void* share);
    std::string FieldPath(HWND field) const;

    // Null once the window has detached.
    std::atomic<HWND> m_dialog;
    const HWND m_pathField1;
    const HWND m_pathField2;
    const std::unique_ptr<FileServices> m_files;
    Win32ReportNames m_names;
    RunState m_state;
    std::atomic<uint64_t> m_pairDone{0};
    std::atomic<uint64_t> m_pairLength{0};
};

}  // namespace sorowa
