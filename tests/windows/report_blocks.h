// The blocks of a report, without the empty line that separates them, sorted: the platform
// lists a folder in its own order, so tests on real folders compare blocks as a set.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace sorowa::testing {

inline std::vector<std::string> SortedBlocks(const std::string& report) {
    std::vector<std::string> blocks;
    size_t start = 0;
    for (;;) {
        const size_t next = report.find("\r\n\r\nFILENAME ", start);
        blocks.push_back(report.substr(start, next == std::string::npos ? next : next + 2 - start));
        if (next == std::string::npos) break;
        start = next + 4;
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

}  // namespace sorowa::testing
