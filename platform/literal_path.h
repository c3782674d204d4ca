// Paths in the system's literal form, "\\?\C:\..." or "\\?\UNC\server\share\...", in
// which every name means exactly itself: a listed name such as "nul.txt", "aux.c", "trail."
// or "trail " names that file, not a device or "trail".
#pragma once

#include <string>

namespace sorowa {

// The literal form of a UTF-8 path (engine/path_encoding.h). Relative paths, drive-relative
// paths ("D:data") and rooted paths ("\data") are taken from the current folder; separators
// may be `\` or `/` and may repeat; "." and ".." segments are resolved (no listed name is
// either). Every other segment is kept exactly as it is.
std::wstring LiteralPath(const std::string& path);

// A literal path in the ordinary form, as the user and the shell read it ("C:\...",
// "\\server\share\..."); any other path as it is.
std::wstring OrdinaryPath(const std::wstring& path);

}  // namespace sorowa
