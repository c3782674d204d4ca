// The exit status that a report earns, told from what the run says its lines say.
#pragma once

#include "engine/compare_receiver.h"

namespace sorowa {

// The console program's exit statuses.
enum ExitStatus : int {
    kNothingReported = 0,
    kDifferencesOnly = 1,  // difference lines, sizes that differ, missing counterparts, what
                           // only the second folder holds
    kTrouble = 2,          // a file or folder that could not be opened or read, wrong
                           // arguments, failed output, a stop
};

class ReportStatus {
public:
    void Take(ReportKind kind);
    // kNothingReported, kDifferencesOnly, or kTrouble once a line has said that a file or
    // folder could not be opened or read.
    ExitStatus Status() const;

private:
    bool m_reported = false;
    bool m_trouble = false;
};

}  // namespace sorowa
