#include "app/console/console_arguments.h"

namespace sorowa {

ConsoleArguments ParseConsoleArguments(const std::vector<std::string>& arguments) {
    ConsoleArguments parsed;
    bool help = false;
    std::vector<std::string> paths;
    for (const std::string& argument : arguments) {
        if (argument == "-s") {
            parsed.quiet = true;
        } else if (argument == "-h" || argument == "--help" || argument == "/?") {
            help = true;
        } else if (argument.empty() || argument[0] == '-' || argument[0] == '/') {
            return {};
        } else {
            paths.push_back(argument);
        }
    }
    if (help) {
        parsed.action = ConsoleArguments::Action::kHelp;
    } else if (paths.size() == 2) {
        parsed.action = ConsoleArguments::Action::kCompare;
        parsed.path1 = paths[0];
        parsed.path2 = paths[1];
    }
    return parsed;
}

}  // namespace sorowa
