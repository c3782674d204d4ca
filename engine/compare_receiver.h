// What a comparison run needs from whoever started it: the two path texts, a synchronous
// hand-over of report pieces and the end notice. The run's own state is a RunState.
#pragma once

#include <string>

#include "engine/run_state.h"

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
    // Tells how the run ended. The last thing a run does: it touches neither the receiver
    // nor its RunState afterwards.
    virtual void NotifyDone(RunEnd end) = 0;
};

}  // namespace sorowa
