#include "app/console/run_summary.h"

#include <cstdio>

#include "app/console/console_texts.h"

namespace sorowa {

std::string SummaryLine(const RunCounts& counts, bool secondOnly, double seconds) {
    namespace text = console_text;
    std::string line = text::kSummaryPairs + std::to_string(counts.pairs);
    line += text::kSummaryEqual + std::to_string(counts.equal);
    line += text::kSummaryDiffering + std::to_string(counts.differing);
    line += text::kSummaryMissing + std::to_string(counts.missing);
    if (secondOnly) line += text::kSummaryOnlySecond + std::to_string(counts.onlySecond);
    line += text::kSummaryCannotCompare + std::to_string(counts.cannotCompare + counts.cannotList);
    line += text::kSummaryBytes + std::to_string(counts.bytes);
    char time[32];
    std::snprintf(time, sizeof time, "%.2f", seconds);
    line += text::kSummarySeconds;
    line += time;
    line += text::kSummaryEnd;
    return line + "\r\n";
}

}  // namespace sorowa
