// The two private window messages between a comparison run and its window.
#pragma once

namespace sorowa {

constexpr unsigned kAppMessageBase = 0x8000;  // the platform's WM_APP

// Worker to window, sent: pieces of report text, each ending in a NUL (first parameter), and
// their length with the NULs (second parameter), handled before the send returns.
constexpr unsigned WM_COMPARE_OUTPUT = kAppMessageBase + 101;
// Worker to window, posted once as the run's last action.
constexpr unsigned WM_COMPARE_DONE = kAppMessageBase + 100;

}  // namespace sorowa
