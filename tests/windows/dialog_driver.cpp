#include "tests/windows/dialog_driver.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "framework/window_text.h"

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

}  // namespace

unsigned RunDialog(CDialog& dialog, const std::function<void(HWND)>& drive) {
    const DWORD thread = GetCurrentThreadId();
    std::atomic<DWORD> driverDone{0};
    std::atomic<bool> dialogEnded{false};
    std::thread driver([&] {
        HWND hwnd = nullptr;
        WaitFor([&] { return (hwnd = FindShownWindow(thread)) != nullptr || dialogEnded; });
        if (hwnd != nullptr) drive(hwnd);
        driverDone = GetTickCount();
    });
    const INT_PTR result = dialog.DoModal();
    const DWORD ended = GetTickCount();
    dialogEnded = true;
    driver.join();
    EXPECT_NE(result, -1) << "the dialog could not be created (is there a display?)";
    return driverDone != 0 && ended > driverDone ? ended - driverDone : 0;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
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
