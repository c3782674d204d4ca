// Runs a dialog modally on the test's thread while a driver, on a thread of its own, works
// it through window messages as the platform and the user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/dialog.h"

namespace sorowa::testing {

// Runs `dialog` until it ends; `drive` gets its window once it is shown. Returns the time,
// in milliseconds, from the driver's return to the end of DoModal.
unsigned RunDialog(CDialog& dialog, const std::function<void(HWND)>& drive);

// Driver helpers, for the driver's thread.
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
