// The counting of a run, told to the receiver as it goes.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/compare_receiver.h"
#include "engine/run_progress.h"

namespace sorowa {

class RunTally {
public:
    explicit RunTally(CompareReceiver& receiver) : m_receiver(receiver) {}
    RunTally(const RunTally&) = delete;
    RunTally& operator=(const RunTally&) = delete;

    const RunProgress& Progress() const { return m_progress; }

    // Both files of a pair are open and `length` bytes long.
    void PairOpened(uint64_t length) { m_progress.pairLength = length; }
    // A block of the pair in hand has been compared.
    void Compared(uint32_t bytes);
    // The pair in hand is done: `last` is what its block said last (none: nothing), and
    // `whole` false when Stop ended it before its end.
    void PairDone(std::optional<ReportKind> last, bool whole);
    // A block of a folder, or of an entry only under the second folder.
    void Counted(ReportKind kind);
    // The counts as they stand, once more at the end of the run.
    void Tell() { m_receiver.NoteProgress(m_progress); }

private:
    CompareReceiver& m_receiver;
    RunProgress m_progress;
};

}  // namespace sorowa
