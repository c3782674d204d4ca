#include "app/console_receiver.h"

#include <cstring>

namespace sorowa {

ConsoleReceiver::ConsoleReceiver(std::string path1, std::string path2, StandardStream* output,
                                 RunState& run)
    : m_path1(std::move(path1)), m_path2(std::move(path2)), m_output(output), m_run(run) {}

bool ConsoleReceiver::SendPiece(const char* piece) {
    const size_t length = std::strlen(piece);
    m_status.Take(piece, length);
    // With -s the status is known now; a failed output makes the rest of the run useless.
    if (m_output == nullptr || !m_output->Write(piece, length)) {
        m_stoppedItself = true;
        m_run.RequestStop();
    }
    return true;
}

}  // namespace sorowa
