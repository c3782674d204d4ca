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

}  // namespace sorowa
