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

CompareRun::CompareRun(CompareReceiver& receiver, FileServices& files, std::string firstPath)
    : m_receiver(receiver),
      m_files(files),
      m_blockA(kBlockSize),
      m_blockB(kBlockSize),
      m_firstPath(std::move(firstPath)) {
    m_gathered.reserve(kGatherSize);
}

void CompareRun::Send(const char* piece, size_t length) {
    if (!m_gathering) {
        m_gathering = m_receiver.SendPiece(piece);
        return;
    }
    if (m_gathered.size() + length > kGatherSize) FlushGathered();
    if (length >= kGatherSize) {
        m_receiver.SendPiece(piece);
    } else {
        m_gathered.append(piece, length);
    }
}

void CompareRun::FlushGathered() {
    if (m_gathered.empty()) return;
    m_receiver.SendPiece(m_gathered.c_str());
    m_gathered.clear();
}

uint32_t CompareFolderThread(CompareReceiver& receiver, FileServices& files) {
    const std::string first = receiver.GetPathText1();
    std::string second = receiver.GetPathText2();
    std::string pattern = first;
    RemoveTrailingSeparators(pattern);
    pattern += "\\*.*";
    RemoveTrailingSeparators(second);
    CompareRun run(receiver, files, first);
    run.WalkFolder(pattern, second);
    receiver.NotifyDone();
    return 0;
}

uint32_t CompareFileThread(CompareReceiver& receiver, FileServices& files) {
    const std::string first = receiver.GetPathText1();
    const std::string second = receiver.GetPathText2();
    CompareRun run(receiver, files);
    run.ComparePair(first, second);
    receiver.NotifyDone();
    return 0;
}

}  // namespace sorowa
