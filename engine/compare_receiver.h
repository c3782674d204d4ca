// What a comparison run needs from whoever started it: the two paths, a synchronous
// hand-over of report pieces, word of what the report says, and the end notice. The run's
// own state is a RunState.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include "engine/run_progress.h"
#include "engine/run_state.h"

namespace sorowa {

// What a line of the report says about a pair or a folder.
enum class ReportKind {
    kDifference,          // bytes that differ (one notice per pair, however many lines)
    kSizesDiffer,         // the two files' lengths differ
    kMissingCounterpart,  // the second side has no such file
    kCannotOpen,          // a file of the pair could not be opened
    kCannotRead,          // a file of the pair could not be read
    kCannotList,          // a folder could not be listed
    kOnlyUnderSecond,     // a file or folder exists only under the second folder
};

class CompareReceiver {
public:
    virtual ~CompareReceiver() = default;

    // The first and the second path, as UTF-8 text (see engine/path_encoding.h).
    virtual std::string GetPathText1() = 0;
    virtual std::string GetPathText2() = 0;
    // Hands report text over and returns once it has been shown or written: one or more
    // pieces, each ending in a NUL, one after another, `length` bytes with their NULs. They
    // belong to the caller and are valid only during the call. True once the receiver no
    // longer shows pieces one by one (it writes them to a file): from then on the run may
    // join pieces and hand them over as larger ones.
    virtual bool SendPieces(const char* pieces, size_t length) = 0;
    // Says what a line that the run has just made says, before the hand-over that carries
    // it. A difference is told once per pair, at its first line.
    virtual void NoteReport(ReportKind) {}
    // Tells what the run has done so far: after each block of a pair, at the end of each
    // pair and of each folder's block, and once more before the end notice. Often, so it
    // must be cheap; progress shown from it is driven by the receiver's clock.
    virtual void NoteProgress(const RunProgress&) {}
    // Tells how the run ended. The last thing a run does: it touches neither the receiver
    // nor its RunState afterwards.
    virtual void NotifyDone(RunEnd end) = 0;
};

// Calls `take(piece, length)` for each piece of a hand-over, in order.
template <class Take>
void ForEachPiece(const char* pieces, size_t length, Take take) {
    for (const char* const end = pieces + length; pieces < end;) {
        const size_t n = std::strlen(pieces);
        take(pieces, n);
        pieces += n + 1;
    }
}

}  // namespace sorowa
