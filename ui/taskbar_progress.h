// A run's progress on the window's taskbar button (ITaskbarList3, Windows 7 and later): in
// file mode the bytes of the pair compared of its length, in folder mode the busy state,
// nothing once the run has ended or the window goes. Nothing inside the window changes.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstdint>
#include <memory>

namespace sorowa {

// The two calls of the taskbar list that the window makes, so that tests can record them:
// the system draws no taskbar everywhere.
class TaskbarButton {
public:
    virtual ~TaskbarButton() = default;
    virtual void SetProgressState(HWND window, TBPFLAG state) = 0;
    virtual void SetProgressValue(HWND window, ULONGLONG done, ULONGLONG total) = 0;
};

// The system's taskbar list, made on the calling thread (a window's); where there is none,
// the calls do nothing.
std::unique_ptr<TaskbarButton> SystemTaskbarButton();

// What a run shows on the button, each change made once.
class RunTaskbar {
public:
    explicit RunTaskbar(std::unique_ptr<TaskbarButton> button) : m_button(std::move(button)) {}

    // The run stands at `done` of the pair's `total` bytes (file mode; 0 of 0 until the pair
    // is open), or is busy (folder mode).
    void Show(HWND window, bool folderMode, uint64_t done, uint64_t total);
    // The button shows no progress again.
    void Clear(HWND window);

private:
    void SetState(HWND window, TBPFLAG state);

    std::unique_ptr<TaskbarButton> m_button;
    TBPFLAG m_state = TBPF_NOPROGRESS;
    uint64_t m_done = 0;
    uint64_t m_total = 0;
};

}  // namespace sorowa
