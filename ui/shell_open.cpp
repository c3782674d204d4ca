#include "ui/shell_open.h"

#include <shellapi.h>

namespace sorowa {
namespace {

void OpenWithShell(HWND owner, const std::wstring& target) {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ShellOpenFunction g_shellOpen = OpenWithShell;

}  // namespace

void ShellOpen(HWND owner, const std::wstring& target) { g_shellOpen(owner, target); }

ShellOpenFunction ReplaceShellOpen(ShellOpenFunction replacement) {
    const ShellOpenFunction previous = g_shellOpen;
    g_shellOpen = replacement;
    return previous;
}

}  // namespace sorowa
