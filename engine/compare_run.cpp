#include "engine/compare_run.h"

#include "engine/path_text.h"

namespace sorowa {

RunStart DeriveRunStart(const std::string& path1, uint32_t attributes) {
    RunStart start;
    if (IsFolder(attributes)) {
        std::string base = path1;
        RemoveTrailingSeparators(base);
        start.folderMode = true;
        start.baseLen = static_cast<int32_t>(base.size());
    } else {
        start.baseLen = FindLastSeparator(path1);
    }
    return start;
}

uint32_t CompareFolderThread(CompareReceiver& receiver, FileServices& files) {
    std::string pattern = receiver.GetPathText1();
    std::string second = receiver.GetPathText2();
    RemoveTrailingSeparators(pattern);
    pattern += "\\*.*";
    RemoveTrailingSeparators(second);
    WalkFolder(pattern, second, receiver, files);
    receiver.NotifyDone();
    return 0;
}

uint32_t CompareFileThread(CompareReceiver& receiver, FileServices& files) {
    const std::string first = receiver.GetPathText1();
    const std::string second = receiver.GetPathText2();
    ComparePair(receiver, files, first, second);
    receiver.NotifyDone();
    return 0;
}

}  // namespace sorowa
