#include "engine/run_tally.h"

namespace sorowa {

void RunTally::Compared(uint32_t bytes) {
    m_progress.counts.bytes += bytes;
    m_progress.pairDone += bytes;
    Tell();
}

void RunTally::PairDone(std::optional<ReportKind> last, bool whole) {
    RunCounts& counts = m_progress.counts;
    m_progress.pairLength = 0;
    m_progress.pairDone = 0;
    if (!last) {
        // Equal as far as it went: only a pair compared to its end is equal.
        if (whole) {
            ++counts.pairs;
            ++counts.equal;
        }
        Tell();
        return;
    }
    switch (*last) {
        case ReportKind::kDifference:
        case ReportKind::kSizesDiffer:
            ++counts.differing;
            break;
        case ReportKind::kMissingCounterpart:
            ++counts.missing;
            break;
        case ReportKind::kCannotOpen:
        case ReportKind::kCannotRead:
            ++counts.cannotCompare;
            break;
        case ReportKind::kCannotList:
        case ReportKind::kOnlyUnderSecond:
            // Never a pair's.
            return;
    }
    ++counts.pairs;
    Tell();
}

void RunTally::Counted(ReportKind kind) {
    if (kind == ReportKind::kCannotList) ++m_progress.counts.cannotList;
    if (kind == ReportKind::kOnlyUnderSecond) ++m_progress.counts.onlySecond;
    Tell();
}

}  // namespace sorowa
