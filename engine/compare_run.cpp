#include "engine/compare_run.h"

#include "engine/path_text.h"

namespace sorowa {

CompareRun::CompareRun(CompareReceiver& receiver, FileServices& files, const RunState& state,
                       std::string firstPath)
    : m_receiver(receiver),
      m_files(files),
      m_state(state),
      m_blockA(kBlockSize),
      m_blockB(kBlockSize),
      m_firstPath(std::move(firstPath)) {
    m_gathered.reserve(kGatherSize);
}

bool CompareRun::StopRequestedNow() {
    if (m_state.StopRequested()) m_stopped = true;
    return m_stopped;
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

uint32_t CompareFolderThread(CompareReceiver& receiver, FileServices& files, RunState& state) {
    const std::string first = receiver.GetPathText1();
    std::string second = receiver.GetPathText2();
    std::string firstFolder = first;
    RemoveTrailingSeparators(firstFolder);
    RemoveTrailingSeparators(second);
    bool stopped = false;
    {
        CompareRun run(receiver, files, state, first);
        run.WalkFolder(firstFolder, second);
        stopped = run.Stopped();
    }
    receiver.NotifyDone(stopped ? RunEnd::kStopped : RunEnd::kComplete);
    return 0;
}

uint32_t CompareFileThread(CompareReceiver& receiver, FileServices& files, RunState& state) {
    const std::string first = receiver.GetPathText1();
    const std::string second = receiver.GetPathText2();
    bool stopped = false;
    {
        CompareRun run(receiver, files, state);
        run.ComparePair(first, second);
        stopped = run.Stopped();
    }
    receiver.NotifyDone(stopped ? RunEnd::kStopped : RunEnd::kComplete);
    return 0;
}

}  // namespace sorowa
