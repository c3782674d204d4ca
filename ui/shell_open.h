// The shell's "open" on a file or an address. Everything the program opens goes through
// here, so that tests can see what would be opened without opening it.
#pragma once

#include <windows.h>

#include <string>

namespace sorowa {

using ShellOpenFunction = void (*)(HWND owner, const std::wstring& target);

// ShellExecuteW with the verb "open", no parameters, no working folder, SW_SHOWNORMAL: the
// wide call, so that a result file whose path the code page cannot hold opens too. The
// shell's answer is not looked at.
void ShellOpen(HWND owner, const std::wstring& target);

// Puts `replacement` in the shell's place; returns what was there. For tests.
ShellOpenFunction ReplaceShellOpen(ShellOpenFunction replacement);

}  // namespace sorowa
