#include "engine/run_state.h"

#include "engine/path_text.h"

namespace sorowa {

RunStart DecideRunStart(const std::string& path1, FileServices& files) {
    RunStart start;
    if (IsFolder(files.Attributes(path1))) {
        std::string base = path1;
        RemoveTrailingSeparators(base);
        start.folderMode = true;
        start.baseLen = static_cast<int32_t>(base.size());
    } else {
        start.baseLen = FindLastSeparator(path1);
    }
    return start;
}

}  // namespace sorowa
