#include "engine/report_lines.h"

namespace sorowa {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The two hexadecimal digits of every byte value.
struct HexPairs {
    char digits[256][2];
    constexpr HexPairs() : digits() {
        for (int i = 0; i < 256; ++i) {
            digits[i][0] = kHexDigits[i >> 4];
            digits[i][1] = kHexDigits[i & 0xF];
        }
    }
};
constexpr HexPairs kHexPairs;

// The offset in at least 8 upper-case hexadecimal digits; returns how many were written.
size_t FormatOffset(char* out, uint64_t offset) {
    size_t digits = 8;
    while (digits < 16 && (offset >> (4 * digits)) != 0) ++digits;
    size_t n = 0;
    for (size_t d = digits; d-- > 0;) out[n++] = kHexDigits[(offset >> (4 * d)) & 0xF];
    return n;
}

}  // namespace

size_t FormatDifferenceLine(char* line, uint64_t offset, uint8_t first, uint8_t second) {
    size_t n = FormatOffset(line, offset);
    line[n++] = ' ';
    line[n++] = ':';
    line[n++] = ' ';
    line[n++] = kHexPairs.digits[first][0];
    line[n++] = kHexPairs.digits[first][1];
    line[n++] = ' ';
    line[n++] = kHexPairs.digits[second][0];
    line[n++] = kHexPairs.digits[second][1];
    line[n++] = '\r';
    line[n++] = '\n';
    line[n] = '\0';
    return n;
}

size_t FormatRangeLine(char* line, uint64_t first, uint64_t last) {
    size_t n = FormatOffset(line, first);
    line[n++] = '-';
    n += FormatOffset(line + n, last);
    line[n++] = ' ';
    line[n++] = ':';
    line[n++] = ' ';
    char digits[20];
    size_t count = 0;
    for (uint64_t length = last - first + 1; count == 0 || length != 0; length /= 10) {
        digits[count++] = static_cast<char>('0' + length % 10);
    }
    while (count > 0) line[n++] = digits[--count];
    line[n++] = '\r';
    line[n++] = '\n';
    line[n] = '\0';
    return n;
}

std::string HeaderLine(bool firstBlock, const std::string& displayName) {
    std::string header = firstBlock ? "" : "\r\n";
    header += "FILENAME ";
    header += displayName;
    header += "\r\n";
    return header;
}

}  // namespace sorowa
