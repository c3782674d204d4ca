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
    // Drive-relative: "C:" is walked as the root of C:, and "C:x.bin" lies in the current
    // folder of C:, which "C:" names for a file put behind it. Never the process's current
    // folder, which may be on another drive.
    if (trimmed.size() >= 2 && trimmed[1] == ':') {
        return trimmed.size() == 2 ? trimmed + "\\" : trimmed.substr(0, 2);
    }
    return std::string();
}

std::string ResultFileName(const std::string& folder, unsigned k) {
    if (k == 0) return folder + "Result.txt";
    return folder + "Result" + std::to_string(k) + ".txt";
}

}  // namespace sorowa
