#include "app/console/console_arguments.h"

namespace sorowa {

ConsoleArguments ParseConsoleArguments(const std::vector<std::string>& arguments) {
    static const std::string kExcludeIs = "--exclude=";
    ConsoleArguments parsed;
    bool help = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-s") {
            parsed.quiet = true;
        } else if (argument == "-a" || argument == "--all") {
            parsed.all = true;
        } else if (argument == "-g" || argument == "--ranges") {
            parsed.ranges = true;
        } else if (argument == "-v" || argument == "--summary") {
            parsed.summary = true;
        } else if (argument == "-x" || argument.compare(0, kExcludeIs.size(), kExcludeIs) == 0) {
            std::string pattern;
            if (argument == "-x") {
                if (++i == arguments.size()) return {};
                pattern = arguments[i];
            } else {
                pattern = argument.substr(kExcludeIs.size());
            }
            if (pattern.empty()) return {};
            parsed.exclusions.push_back(pattern);
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
