// The lines of a file pair's report block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sorowa {

// Room for the longest difference line: 16 hexadecimal offset digits, " : XX XX", CR LF
// and the NUL.
constexpr size_t kDifferenceLineSize = 16 + 8 + 2 + 1;

// Writes "%.8X : %.2X %.2X\r\n" and a NUL for one differing byte into `line`, which has
// room for kDifferenceLineSize characters, and returns the line's length.
// Offsets below 2^32 take exactly 8 digits; larger ones take as many as they need.
size_t FormatDifferenceLine(char* line, uint64_t offset, uint8_t first, uint8_t second);

// Room for the longest range line: two offsets of 16 digits, "-", " : ", a length of 20
// decimal digits, CR LF and the NUL.
constexpr size_t kRangeLineSize = 16 + 1 + 16 + 3 + 20 + 2 + 1;

// Writes "%.8X-%.8X : %llu\r\n" and a NUL for the run of differing bytes from offset
// `first` to offset `last`, both included, into `line`, which has room for kRangeLineSize
// characters, and returns the line's length. The offsets take digits as in a difference
// line; the length, last - first + 1, is decimal.
size_t FormatRangeLine(char* line, uint64_t first, uint64_t last);

// "%sFILENAME %s\r\n": the header line, after an empty line unless it opens the report.
std::string HeaderLine(bool firstBlock, const std::string& displayName);

}  // namespace sorowa
