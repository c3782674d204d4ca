// What a comparison run needs from the window that started it: the two path texts, a
// synchronous hand-over of report pieces, the end notice, and the run state.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace sorowa {

class CompareReceiver {
public:
    virtual ~CompareReceiver() = default;

    // The current text of the first and of the second path field.
    virtual std::string GetPathText1() = 0;
    virtual std::string GetPathText2() = 0;
    // Hands one NUL-terminated piece of report text over and returns once it has been
    // shown or written. The piece belongs to the caller and is valid only during the call.
    // True once the receiver no longer shows pieces one by one (it writes them to a file):
    // from then on the run may gather pieces and hand them over as larger blocks.
    virtual bool SendPiece(const char* piece) = 0;
    // Tells the window that the run has ended. The last thing a run does.
    virtual void NotifyDone() = 0;

    // Run state. The window writes it before it starts the worker; during a run the stop
    // flag is the one field that the window's thread writes while the worker reads it.
    std::atomic<int32_t> m_bStop{1};  // 1: idle or stop requested; 0: running
    int32_t m_bFirstBlock = 1;        // 1: no report text produced yet in this run
    int32_t m_nBaseLen = 0;           // length of the base part of the first path
    // Set once when the window goes away during a run: the worker then ends as soon as
    // it can and hands nothing more over.
    std::atomic<int32_t> m_bClosing{0};
};

}  // namespace sorowa
