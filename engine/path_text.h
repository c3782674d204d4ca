// Folder separators in the engine's UTF-8 paths. No byte of a multi-byte UTF-8 character is
// below 0x80, so every `\` byte is a separator.
#pragma once

#include <string>

namespace sorowa {

// Removes the whole trailing run of `\` characters.
void RemoveTrailingSeparators(std::string& path);

// The byte index of the last `\` character, or -1 when there is none.
int FindLastSeparator(const std::string& path);

// The folder that `folder` (a path without trailing `\` characters) stands for when a `\` and
// a name are joined to it, as a path to ask the file services about. What is left of a root
// keeps its `\`: "" (from "\") is the root of the current drive, and "X:" the root of drive
// X, not its current folder. Any other path is the same text.
std::string FolderQueryPath(const std::string& folder);

}  // namespace sorowa
