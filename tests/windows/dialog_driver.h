// Runs a dialog modally on the test's thread while a driver, on a thread of its own, works
// it through window messages as the platform and the user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/dialog.h"
#include "ui/shell_open.h"

namespace sorowa::testing {

// Runs `dialog` until it ends; `drive` gets its window once it is shown, and closes it. A
// dialog that `drive` left open, as a failed ASSERT leaves it, is closed for it (a failure
// unless `drive` stopped on a fatal one). Returns the time, in milliseconds, from the
// driver's return to the end of DoModal.
unsigned RunDialog(CDialog& dialog, const std::function<void(HWND)>& drive);

// Runs a main window once: fills both path fields, presses Start and waits for the end of the
// run; `check` then looks at the finished window, which is closed after it.
void RunMainWindowOnce(CDialog& dialog, const std::string& path1, const std::string& path2,
                       const std::function<void(HWND)>& check);

// While it lives, records what the program asks the shell to open instead of opening it. One
// at a time.
class ShellOpenRecorder {
public:
    ShellOpenRecorder();
    ~ShellOpenRecorder();
    ShellOpenRecorder(const ShellOpenRecorder&) = delete;
    ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

    // The targets asked for so far, in order, as the windows' code page shows them and as
    // they were asked for, and the owner window of each.
    std::vector<std::string> Targets() const;
    std::vector<std::wstring> WideTargets() const;
    std::vector<HWND> Owners() const;
    void Clear();

private:
    ShellOpenFunction m_previous;
};

// Driver helpers, for the driver's thread. An item's text as code page 932 bytes, each
// character the code page lacks as `?`, whatever the system's code page; and set from them.
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
bool ItemEnabled(HWND dialog, int id);
// A click on a button, as the button reports it to the dialog.
void Click(HWND dialog, int id);
// Returns once every message the dialog's thread had at the call has been handled.
void Sync(HWND dialog);
// Waits until `done` holds or `timeoutMs` has passed; false on time-out.
bool WaitFor(const std::function<bool()>& done, unsigned timeoutMs = 60000);
// Waits for the end of the run in progress (Start enabled again) and syncs.
bool WaitForEndOfRun(HWND dialog, unsigned timeoutMs = 60000);

}  // namespace sorowa::testing
