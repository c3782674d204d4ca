#include "engine/path_text.h"

namespace sorowa {
namespace {

// Calls `visit(index)` for the first byte of every character, stepping over the second
// byte of a double-byte character. A lead byte at the very end stands alone.
template <class Visit>
void ForEachCharacter(const std::string& text, Visit visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        visit(i);
        if (IsLeadByte932(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
    }
}

}  // namespace

void RemoveTrailingSeparators(std::string& path) {
    // The run starts after the last character that is not a separator.
    size_t keep = 0;
    ForEachCharacter(path, [&](size_t i) {
        if (path[i] != '\\')
            keep = IsLeadByte932(static_cast<unsigned char>(path[i])) ? i + 2 : i + 1;
    });
    if (keep < path.size()) path.resize(keep);
}

std::string FolderQueryPath(const std::string& folder) {
    if (folder.empty()) return "\\";
    if (folder.size() == 2 && folder[1] == ':') return folder + "\\";
    return folder;
}

int FindLastSeparator(const std::string& path) {
    int last = -1;
    ForEachCharacter(path, [&](size_t i) {
        if (path[i] == '\\') last = static_cast<int>(i);
    });
    return last;
}

}  // namespace sorowa
