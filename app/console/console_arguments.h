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
    std::string path1;
    std::string path2;
};

// Reads the arguments after the program's name. -s, -h, --help and /? are the options, in
// any place; anything else that starts with `-` or `/` is wrong, and so is any number of
// paths but two, or an empty one. Help wins over everything but a wrong argument.
ConsoleArguments ParseConsoleArguments(const std::vector<std::string>& arguments);

}  // namespace sorowa
