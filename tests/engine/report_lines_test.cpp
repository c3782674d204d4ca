#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "engine/report_lines.h"

namespace sorowa {
namespace {

TEST(ReportLines, DifferenceLineMatchesTheClassicFormat) {
    const uint64_t offsets[] = {0, 10, 0x1A2F, 0xFFF, 0x1000, 0x7FFFFFFF, 0xFFFFFFFF};
    const uint8_t bytes[][2] = {{0x3C, 0x3E}, {0x0A, 0x00}, {0xFF, 0x80}, {0x00, 0x0F}};
    for (uint64_t offset : offsets) {
        for (const auto& b : bytes) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.8X : %.2X %.2X\r\n",
                          static_cast<unsigned>(offset), b[0], b[1]);
            char line[kDifferenceLineSize];
            const size_t n = FormatDifferenceLine(line, offset, b[0], b[1]);
            EXPECT_STREQ(line, expected);
            EXPECT_EQ(n, std::string(expected).size());
        }
    }
}

TEST(ReportLines, OffsetsPastFourGibibytesTakeTheDigitsTheyNeed) {
    char line[kDifferenceLineSize];
    FormatDifferenceLine(line, 0x100000000ull, 0x01, 0x02);
    EXPECT_STREQ(line, "100000000 : 01 02\r\n");
    const size_t n = FormatDifferenceLine(line, UINT64_MAX, 0xAB, 0xCD);
    EXPECT_STREQ(line, "FFFFFFFFFFFFFFFF : AB CD\r\n");
    EXPECT_EQ(n + 1, kDifferenceLineSize);
}

TEST(ReportLines, HeaderOpensTheReportOrFollowsAnEmptyLine) {
    EXPECT_EQ(HeaderLine(true, "sub\\data.bin"), "FILENAME sub\\data.bin\r\n");
    EXPECT_EQ(HeaderLine(false, "data.bin"), "\r\nFILENAME data.bin\r\n");
}

}  // namespace
}  // namespace sorowa
