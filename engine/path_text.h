// Folder separators in narrow paths of code page 932. A lead byte and the byte after it
// are one character, so the second byte 0x5C of a double-byte character (表 is 95 5C)
// is never taken for a `\`.
#pragma once

#include <string>

namespace sorowa {

// True for a byte that starts a double-byte character of code page 932.
constexpr bool IsLeadByte932(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

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
