// What a run has done so far: the counts of its summary, and where it stands, for progress
// shown while it runs.
#pragma once

#include <cstdint>

namespace sorowa {

struct RunCounts {
    // Pairs with an outcome: equal, differing, missing or cannotCompare. A pair that Stop
    // ended before anything was found in it has none.
    uint64_t pairs = 0;
    uint64_t equal = 0;
    uint64_t differing = 0;      // in their bytes or their lengths
    uint64_t missing = 0;        // no counterpart under the second path
    uint64_t cannotCompare = 0;  // a file of the pair could not be opened or read
    uint64_t cannotList = 0;     // folders that could not be listed
    uint64_t onlySecond = 0;     // files and folders only under the second folder
    // Bytes compared, those of each pair once: a pair of two 1 MiB files counts 1 MiB.
    uint64_t bytes = 0;
};

struct RunProgress {
    RunCounts counts;
    // The pair in hand: its length once both files are open, and how much of it has been
    // compared; both 0 between pairs.
    uint64_t pairLength = 0;
    uint64_t pairDone = 0;
};

}  // namespace sorowa
