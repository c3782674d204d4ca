#include "ui/result_file_name.h"

#include "engine/path_text.h"

namespace sorowa {

std::string ResultFolderOf(const std::string& path1) {
    std::string trimmed = path1;
    RemoveTrailingSeparators(trimmed);
    const int last = FindLastSeparator(trimmed);
    if (last >= 0) return trimmed.substr(0, static_cast<size_t>(last) + 1);
    // Nothing but trailing separators held a `\`: a root such as C:\ is its own folder.
    if (trimmed.size() != path1.size()) return path1;
    return std::string();
}

std::string ResultFileName(const std::string& folder, unsigned k) {
    if (k == 0) return folder + "Result.txt";
    return folder + "Result" + std::to_string(k) + ".txt";
}

}  // namespace sorowa
