#include "ui/window_run.h"

#include "engine/compare_run.h"
#include "framework/window_text.h"
#include "platform/narrow_text.h"
#include "platform/worker_thread.h"

namespace sorowa {

WindowRun::WindowRun(HWND dialog, HWND pathField1, HWND pathField2,
                     std::unique_ptr<FileServices> files, const RunStart& start)
    : m_dialog(dialog),
      m_pathField1(pathField1),
      m_pathField2(pathField2),
      m_files(std::move(files)),
      m_state(start) {}

ThreadHandle WindowRun::StartWorker(const std::shared_ptr<WindowRun>& run) {
    auto* share = new std::shared_ptr<WindowRun>(run);
    ThreadHandle worker = StartThread(WorkerEntry, share);
    if (!worker) delete share;
    return worker;
}

DWORD WINAPI WindowRun::WorkerEntry(void* share) {
    // The worker's own share keeps the run alive until the worker is done with it, whether
    // the window is still there or not.
    const std::unique_ptr<std::shared_ptr<WindowRun>> held(
        static_cast<std::shared_ptr<WindowRun>*>(share));
    WindowRun& run = **held;
    RunComparison(run, *run.m_files, run.m_names, run.m_state);
    return 0;
}

void WindowRun::Detach() {
    m_state.RequestStop();
    m_dialog = nullptr;
}

std::string WindowRun::FieldPath(HWND field) const {
    // Fetched on the window's thread, so the worker waits for it; a detached window has no
    // path to give.
    if (m_dialog.load() == nullptr) return std::string();
    return Utf8FromWide(WindowText(field));
}

std::string WindowRun::GetPathText1() { return FieldPath(m_pathField1); }
std::string WindowRun::GetPathText2() { return FieldPath(m_pathField2); }

bool WindowRun::SendPieces(const char* pieces, size_t length) {
    const HWND dialog = m_dialog.load();
    // Nothing reaches a detached window: the run may as well join what it still makes.
    if (dialog == nullptr) return true;
    return SendMessageW(dialog, WM_COMPARE_OUTPUT, reinterpret_cast<WPARAM>(pieces),
                        static_cast<LPARAM>(length)) != 0;
}

void WindowRun::NoteProgress(const RunProgress& progress) {
    // Read by the window's progress timer; each count alone is enough.
    m_pairDone.store(progress.pairDone, std::memory_order_relaxed);
    m_pairLength.store(progress.pairLength, std::memory_order_relaxed);
}

void WindowRun::NotifyDone(RunEnd end) {
    const HWND dialog = m_dialog.load();
    if (dialog != nullptr) PostMessageW(dialog, WM_COMPARE_DONE, static_cast<WPARAM>(end), 0);
}

}  // namespace sorowa
