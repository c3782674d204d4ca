#include "engine/name_filter.h"

#include "engine/path_encoding.h"

namespace sorowa {
namespace {

// In a range of pairs, the upper-case letter of each pair is the one at the even (or, with
// `oddUpper`, the odd) code point.
char32_t UpperOfPair(char32_t c, bool oddUpper) {
    const bool odd = (c & 1) != 0;
    return odd == oddUpper ? c : c - 1;
}

struct PairRange {
    char32_t first;
    char32_t last;
    bool oddUpper;
};
// Ranges in which upper and lower case alternate.
constexpr PairRange kPairRanges[] = {
    {0x0100, 0x012F, false}, {0x0132, 0x0137, false}, {0x0139, 0x0148, true},
    {0x014A, 0x0177, false}, {0x0179, 0x017E, true},  {0x03D8, 0x03EF, false},
    {0x0460, 0x0481, false}, {0x048A, 0x04BF, false}, {0x04C1, 0x04CE, true},
    {0x04D0, 0x052F, false}, {0x1E00, 0x1E95, false}, {0x1EA0, 0x1EFF, false},
};

// The characters of bytes `from` to `to` of a UTF-8 text, folded.
std::u32string Folded(const std::string& text, size_t from, size_t to) {
    const std::u16string units = Utf16FromUtf8(text.substr(from, to - from));
    std::u32string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        out += FoldCase(c);
    }
    return out;
}

// `text` split at every `\`, each part folded.
std::vector<std::u32string> FoldedParts(const std::string& text, size_t from) {
    std::vector<std::u32string> parts;
    for (size_t start = from;;) {
        const size_t end = text.find('\\', start);
        parts.push_back(Folded(text, start, end == std::string::npos ? text.size() : end));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 0x20;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c == 0x4CF) return 0x4C0;
    if (c >= 0x561 && c <= 0x586) return c - 0x30;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    for (const PairRange& range : kPairRanges) {
        if (c >= range.first && c <= range.last) return UpperOfPair(c, range.oddUpper);
    }
    return c;
}

bool WildcardMatch(const std::u32string& pattern, const std::u32string& text) {
    // On a mismatch the last `*` met takes one character more and the rest is tried again.
    // An earlier `*` never needs to take more: whatever it would take, the later one can.
    size_t p = 0;
    size_t t = 0;
    size_t star = std::u32string::npos;
    size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            starText = t;
        } else if (star != std::u32string::npos) {
            p = star + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

NameFilter::NameFilter(const std::vector<std::string>& patterns) {
    for (std::string text : patterns) {
        for (char& c : text) {
            if (c == '/') c = '\\';
        }
        Pattern pattern;
        pattern.wholePath = text.find('\\') != std::string::npos;
        // Separators at the ends are dropped, repeated ones count once.
        std::string joined;
        for (const char c : text) {
            if (c == '\\' && (joined.empty() || joined.back() == '\\')) continue;
            joined += c;
        }
        if (!joined.empty() && joined.back() == '\\') joined.pop_back();
        // A pattern of separators alone names nothing below the folder.
        if (joined.empty()) continue;
        pattern.parts = FoldedParts(joined, 0);
        m_patterns.push_back(std::move(pattern));
    }
}

bool NameFilter::Skips(const std::string& path, size_t from) const {
    if (m_patterns.empty()) return false;
    const size_t last = path.rfind('\\');
    const size_t nameFrom = last == std::string::npos || last < from ? from : last + 1;
    const std::u32string name = Folded(path, nameFrom, path.size());
    std::vector<std::u32string> parts;
    for (const Pattern& pattern : m_patterns) {
        if (!pattern.wholePath) {
            if (WildcardMatch(pattern.parts.front(), name)) return true;
            continue;
        }
        if (parts.empty()) parts = FoldedParts(path, from);
        if (parts.size() != pattern.parts.size()) continue;
        bool all = true;
        for (size_t i = 0; all && i < parts.size(); ++i)
            all = WildcardMatch(pattern.parts[i], parts[i]);
        if (all) return true;
    }
    return false;
}

}  // namespace sorowa
