#include "app/console/report_status.h"

namespace sorowa {

void ReportStatus::Take(ReportKind kind) {
    m_reported = true;
    switch (kind) {
        case ReportKind::kCannotOpen:
        case ReportKind::kCannotRead:
        case ReportKind::kCannotList:
            m_trouble = true;
            break;
        case ReportKind::kDifference:
        case ReportKind::kSizesDiffer:
        case ReportKind::kMissingCounterpart:
        case ReportKind::kOnlyUnderSecond:
            break;
    }
}

ExitStatus ReportStatus::Status() const {
    if (m_trouble) return kTrouble;
    return m_reported ? kDifferencesOnly : kNothingReported;
}

}  // namespace sorowa
