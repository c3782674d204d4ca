#include "app/console_receiver.h"

#include <cstring>

namespace sorowa {

ConsoleReceiver::ConsoleReceiver(std::string path1, std::string path2, StandardStream* output,
                                 RunState& run)
    : m_path1(std::move(path1)), m_path2(std::move(path2)), m_output(output), m_run(run) {}

bool ConsoleReceiver::SendPieces(const char* pieces, size_t length) {
    ForEachPiece(pieces, length, [&](const char* piece, size_t n) {
        if (m_stoppedItself) return;
        m_status.Take(piece, n);
        // With -s the status is known now; a failed output makes the rest of the run useless.
        if (m_output == nullptr || !m_output->Write(piece, n)) {
            m_stoppedItself = true;
            m_run.RequestStop();
        }
    });
    return true;
}

}  // namespace sorowa
