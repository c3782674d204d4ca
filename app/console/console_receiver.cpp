#include "app/console/console_receiver.h"

namespace sorowa {

ConsoleReceiver::ConsoleReceiver(std::string path1, std::string path2, StandardStream* output,
                                 RunState& run, ConsoleProgress& progress)
    : m_path1(std::move(path1)),
      m_path2(std::move(path2)),
      m_output(output),
      m_run(run),
      m_progress(progress) {}

bool ConsoleReceiver::SendPieces(const char* pieces, size_t length) {
    // A report shown on the console goes where the progress line was.
    if (m_output != nullptr && m_output->IsConsole()) m_progress.Clear();
    ForEachPiece(pieces, length, [&](const char* piece, size_t n) {
        // A failed output makes the rest of the run useless.
        if (m_output != nullptr && !m_stoppedItself && !m_output->Write(piece, n)) StopItself();
    });
    return true;
}

void ConsoleReceiver::NoteReport(ReportKind kind) {
    // With -s the first thing found is the answer.
    if (m_output == nullptr && m_stoppedItself) return;
    m_status.Take(kind);
    if (m_output == nullptr) StopItself();
}

void ConsoleReceiver::NoteProgress(const RunProgress& progress) {
    m_counts = progress.counts;
    m_progress.Update(progress);
}

void ConsoleReceiver::StopItself() {
    m_stoppedItself = true;
    m_run.RequestStop();
}

}  // namespace sorowa
