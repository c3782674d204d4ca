// The exit status that a report earns, told from its lines as they pass.
#pragma once

#include <cstddef>

namespace sorowa {

// The console program's exit statuses.
enum ExitStatus : int {
    kNothingReported = 0,
    kDifferencesOnly = 1,  // difference lines, sizes that differ, missing counterparts
    kTrouble = 2,          // a file or folder that could not be opened or read, wrong
                           // arguments, failed output, a stop
};

class ReportStatus {
public:
    // Looks at the next piece of report text. Pieces hold whole lines, as the run sends
    // them.
    void Take(const char* text, size_t length);
    // kNothingReported, kDifferencesOnly, or kTrouble once a line has said that a file or
    // folder could not be opened or read.
    ExitStatus Status() const;

private:
    bool m_reported = false;
    bool m_trouble = false;
};

}  // namespace sorowa
