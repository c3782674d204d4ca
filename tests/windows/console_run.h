// Runs the console twin, sorowa.com, as a process of its own, the way a console or a batch
// file starts it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sorowa::testing {

struct ConsoleResult {
    DWORD status = 0xFFFFFFFF;
    std::string output;
    std::string errors;
};

// Runs sorowa.com (beside the window program in this build tree) with `arguments`, each
// quoted, in the current folder, on a wide command line: any path arrives whole. Standard
// output goes to `outputPath` when given, else to a file that is read back.
ConsoleResult RunConsole(const std::vector<std::wstring>& arguments,
                         const std::wstring& outputPath = {});
// The same with arguments in the windows' code page.
ConsoleResult RunConsole(const std::vector<std::string>& arguments,
                         const std::string& outputPath = {});

}  // namespace sorowa::testing
