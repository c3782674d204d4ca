#include "engine/run_state.h"

#include "engine/path_text.h"

namespace sorowa {

RunStart DecideRunStart(const std::string& path1, FileServices& files) {
    RunStart start;
    // The first path as the walk sees it: without trailing `\`, a drive's root as the root.
    std::string base = path1;
    RemoveTrailingSeparators(base);
    if (files.KindOf(FolderQueryPath(base)) == EntryKind::kFolder) {
        start.folderMode = true;
        start.baseLen = static_cast<int32_t>(base.size());
    } else {
        start.baseLen = FindLastSeparator(path1);
    }
    return start;
}

}  // namespace sorowa
