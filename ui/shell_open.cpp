#include "ui/shell_open.h"

#include <shellapi.h>

namespace sorowa {
namespace {

void OpenWithShell(HWND owner, const char* target) {
    ShellExecuteA(owner, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

ShellOpenFunction g_shellOpen = OpenWithShell;

}  // namespace

void ShellOpen(HWND owner, const char* target) { g_shellOpen(owner, target); }

ShellOpenFunction ReplaceShellOpen(ShellOpenFunction replacement) {
    const ShellOpenFunction previous = g_shellOpen;
    g_shellOpen = replacement;
    return previous;
}

}  // namespace sorowa
