#include "engine/compare_run.h"

#include <cstring>

#include "engine/path_text.h"
#include "engine/report_lines.h"

namespace sorowa {

CompareRun::CompareRun(CompareReceiver& receiver, FileServices& files, const RunState& state,
                       std::string firstPath)
    : m_receiver(receiver),
      m_files(files),
      m_state(state),
      m_blockA(kBlockSize),
      m_blockB(kBlockSize),
      // Left uninitialised: a page is touched only when report text fills it.
      m_handOver(new char[kHandOverSize]),
      m_firstPath(std::move(firstPath)) {}

bool CompareRun::StopRequestedNow() {
    if (m_state.StopRequested()) m_stopped = true;
    return m_stopped;
}

void CompareRun::Send(const char* piece, size_t length) {
    if (kHandOverSize - m_waiting <= length) HandOver();
    if (length >= kHandOverSize) {
        // Longer than any hand-over: it goes alone, as it stands.
        const bool join = m_receiver.SendPieces(piece, length + 1);
        m_joining = m_joining || join;
        return;
    }
    std::memcpy(m_handOver.get() + m_waiting, piece, length);
    m_waiting += length;
    if (!m_joining) m_handOver[m_waiting++] = '\0';
}

void CompareRun::SendDifference(uint64_t offset, uint8_t first, uint8_t second) {
    if (kHandOverSize - m_waiting < kDifferenceLineSize) HandOver();
    const size_t length = FormatDifferenceLine(m_handOver.get() + m_waiting, offset, first, second);
    // The line's NUL ends it as a piece, or is where the next one joins it.
    m_waiting += m_joining ? length : length + 1;
}

void CompareRun::HandOver() {
    if (m_waiting == 0) return;
    // Joined pieces leave room for their NUL.
    if (m_joining) m_handOver[m_waiting++] = '\0';
    const bool join = m_receiver.SendPieces(m_handOver.get(), m_waiting);
    m_joining = m_joining || join;
    m_waiting = 0;
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
        run.HandOver();
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
        run.HandOver();
        stopped = run.Stopped();
    }
    receiver.NotifyDone(stopped ? RunEnd::kStopped : RunEnd::kComplete);
    return 0;
}

}  // namespace sorowa
