#include "tests/windows/dialog_driver.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "framework/window_text.h"
#include "platform/narrow_text.h"
#include "res/resource.h"

namespace sorowa::testing {
namespace {

BOOL CALLBACK TakeShownWindow(HWND hwnd, LPARAM out) {
    if (!IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

// The visible top-level window of `thread`, once there is one.
HWND FindShownWindow(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, TakeShownWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK CancelShownWindow(HWND hwnd, LPARAM) {
    if (IsWindowVisible(hwnd)) PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// How long a dialog may take to go after its driver returned, when the driver asked for it.
constexpr unsigned kCloseTimeMs = 30000;

// Ends whatever a driver left open on the dialog's `thread`: a failed ASSERT returns from the
// driver at once, and a dialog left open would hold the case until its time-out. A driver
// that ended in such a failure gets no time for a close it never asked for; one that
// returned normally gets the time a close may take, and a dialog still open then is a failure
// of its own. Every shown window of the thread is cancelled, a box opened over the dialog
// with it, until the dialog has ended.
void EndWhatTheDriverLeftOpen(DWORD thread, const std::atomic<bool>& dialogEnded) {
    const auto ended = [&] { return dialogEnded.load(); };
    if (!::testing::Test::HasFatalFailure()) {
        if (WaitFor(ended, kCloseTimeMs)) return;
        ADD_FAILURE() << "the dialog was still open " << kCloseTimeMs
                      << " ms after its driver returned; the driver closes it";
    }
    while (!ended()) {
        EnumThreadWindows(thread, CancelShownWindow, 0);
        WaitFor(ended, 1000);
    }
}

// What the shell was asked to open while a recorder lives.
std::vector<std::pair<HWND, std::wstring>> g_opened;
void RecordShellOpen(HWND owner, const std::wstring& target) {
    g_opened.emplace_back(owner, target);
}

}  // namespace

ShellOpenRecorder::ShellOpenRecorder() : m_previous(ReplaceShellOpen(RecordShellOpen)) {
    g_opened.clear();
}

ShellOpenRecorder::~ShellOpenRecorder() { ReplaceShellOpen(m_previous); }

std::vector<std::string> ShellOpenRecorder::Targets() const {
    std::vector<std::string> targets;
    for (const auto& opened : g_opened) targets.push_back(NarrowText(opened.second));
    return targets;
}

std::vector<std::wstring> ShellOpenRecorder::WideTargets() const {
    std::vector<std::wstring> targets;
    for (const auto& opened : g_opened) targets.push_back(opened.second);
    return targets;
}

std::vector<HWND> ShellOpenRecorder::Owners() const {
    std::vector<HWND> owners;
    for (const auto& opened : g_opened) owners.push_back(opened.first);
    return owners;
}

void ShellOpenRecorder::Clear() { g_opened.clear(); }

void RunMainWindowOnce(CDialog& dialog, const std::string& path1, const std::string& path2,
                       const std::function<void(HWND)>& check) {
    RunDialog(dialog, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_PATH1, path1);
        SetItemText(hwnd, IDC_PATH2, path2);
        Click(hwnd, IDOK);
        EXPECT_TRUE(WaitForEndOfRun(hwnd));
        check(hwnd);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

unsigned RunDialog(CDialog& dialog, const std::function<void(HWND)>& drive) {
    const DWORD thread = GetCurrentThreadId();
    std::atomic<DWORD> driverDone{0};
    std::atomic<bool> dialogEnded{false};
    std::thread driver([&] {
        HWND hwnd = nullptr;
        WaitFor([&] { return (hwnd = FindShownWindow(thread)) != nullptr || dialogEnded; });
        if (hwnd == nullptr) return;
        drive(hwnd);
        driverDone = GetTickCount();
        EndWhatTheDriverLeftOpen(thread, dialogEnded);
    });
    const INT_PTR result = dialog.DoModal();
    const DWORD ended = GetTickCount();
    dialogEnded = true;
    driver.join();
    EXPECT_NE(result, -1) << "the dialog could not be created (is there a display?)";
    return driverDone != 0 && ended > driverDone ? ended - driverDone : 0;
}

std::string ItemText(HWND dialog, int id) { return NarrowText(WindowText(GetDlgItem(dialog, id))); }

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, WideText(text).c_str());
}

bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Sync(HWND dialog) { SendMessageA(dialog, WM_NULL, 0, 0); }

bool WaitFor(const std::function<bool()>& done, unsigned timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(2);
    }
    return true;
}

bool WaitForEndOfRun(HWND dialog, unsigned timeoutMs) {
    // Start comes back first of all in the end of run; the sync lets the rest of it happen.
    const bool ended = WaitFor([&] { return ItemEnabled(dialog, IDOK); }, timeoutMs);
    Sync(dialog);
    return ended;
}

}  // namespace sorowa::testing
