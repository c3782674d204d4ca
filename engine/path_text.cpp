#include "engine/path_text.h"

namespace sorowa {

void RemoveTrailingSeparators(std::string& path) {
    const size_t last = path.find_last_not_of('\\');
    path.resize(last == std::string::npos ? 0 : last + 1);
}

std::string FolderQueryPath(const std::string& folder) {
    if (folder.empty()) return "\\";
    if (folder.size() == 2 && folder[1] == ':') return folder + "\\";
    return folder;
}

int FindLastSeparator(const std::string& path) {
    const size_t last = path.rfind('\\');
    return last == std::string::npos ? -1 : static_cast<int>(last);
}

}  // namespace sorowa
