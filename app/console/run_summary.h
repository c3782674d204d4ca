// The summary line of -v: what a run compared and found, and how long it took.
#pragma once

#include <string>

#include "engine/run_progress.h"

namespace sorowa {

// The line, with its CR LF, in code page 932. The count of what only the second folder holds
// is part of it when that was asked for (`secondOnly`); "could not be compared" counts the
// pairs that could not be opened or read and the folders that could not be listed.
std::string SummaryLine(const RunCounts& counts, bool secondOnly, double seconds);

}  // namespace sorowa
