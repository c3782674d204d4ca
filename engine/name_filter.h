// The names and paths a run skips (the console's -x patterns). A pattern of wildcards, `*`
// for any run of characters and `?` for any one, matched without regard to case. A pattern
// without `\` is matched against an entry's name, at every level; one that holds `\` against
// the entry's path below the folder the walk began in, part by part (a wildcard never
// matches a `\`). A `/` counts as `\`, and `\` at either end of a pattern is dropped:
// "\build" and "build\" are the folder build right under the first folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sorowa {

class NameFilter {
public:
    NameFilter() = default;
    explicit NameFilter(const std::vector<std::string>& patterns);

    bool Empty() const { return m_patterns.empty(); }
    // Whether the entry whose path below the walk's folder is `path` from byte `from` on is
    // skipped; its name follows the path's last `\`.
    bool Skips(const std::string& path, size_t from = 0) const;

private:
    struct Pattern {
        // The parts between `\`, their characters folded.
        std::vector<std::u32string> parts;
        bool wholePath = false;
    };
    std::vector<Pattern> m_patterns;
};

// A character as names are compared without regard to case: letters of the scripts that have
// cases in their simple upper-case form, as Windows folds them (ASCII, Latin-1, Latin
// Extended-A and Additional, Greek, Cyrillic, Armenian, full-width Latin); every other
// character as it is. The ranges are those whose pairs the system folds as well.
char32_t FoldCase(char32_t c);

// Whether `text` matches `pattern` as a whole, `*` and `?` being wildcards.
bool WildcardMatch(const std::u32string& pattern, const std::u32string& text);

}  // namespace sorowa
