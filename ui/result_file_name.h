// Where the result file of an overflowing run goes, and under which free name.
#pragma once

#include <functional>
#include <string>

namespace sorowa {

// The folder that contains the first path, as text to put a file name behind: the text up
// to and including its last `\` once trailing ones are removed ("C:\data\old\" gives
// "C:\data\"). A drive root keeps its whole text ("C:\"); a bare name lies in the current
// folder, which is the empty text.
std::string ResultFolderOf(const std::string& path1);

// The first of folder + "Result.txt", "Result1.txt", "Result2.txt", ... for which `exists`
// is false.
std::string FreeResultName(const std::string& folder,
                           const std::function<bool(const std::string&)>& exists);

}  // namespace sorowa
