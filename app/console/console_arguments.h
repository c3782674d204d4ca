// What the console program's command line asks for.
#pragma once

#include <string>
#include <vector>

namespace sorowa {

struct ConsoleArguments {
    enum class Action { kCompare, kHelp, kWrong };
    Action action = Action::kWrong;
    // -s: no output, the exit status only, and the run ends at the first difference.
    bool quiet = false;
    // -a, --all: also what only the second folder holds.
    bool all = false;
    // -g, --ranges: a line per run of differing bytes.
    bool ranges = false;
    // -v, --summary: a summary line on standard error at the end.
    bool summary = false;
    // -x PATTERN, --exclude=PATTERN, as often as given: names and paths left out.
    std::vector<std::string> exclusions;
    std::string path1;
    std::string path2;
};

// Reads the arguments after the program's name. -s, -a, -g, -v (and their long forms --all,
// --ranges, --summary), -x PATTERN, --exclude=PATTERN, -h, --help and /? are the options, in
// any place; the word after -x is its pattern, whatever it is. Anything else that starts
// with `-` or `/` is wrong, and so is a -x without a pattern, an empty pattern, any number of
// paths but two, or an empty path. Help wins over everything but a wrong argument.
ConsoleArguments ParseConsoleArguments(const std::vector<std::string>& arguments);

}  // namespace sorowa
