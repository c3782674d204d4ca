// Where the result file of an overflowing run goes, and the names it may take there.
#pragma once

#include <string>

namespace sorowa {

// The folder that contains the first path, as text to put a file name behind: the text up
// to and including its last `\` once trailing ones are removed ("C:\data\old\" gives
// "C:\data\"). A drive root keeps its whole text ("C:\"), and "C:" is that root too; a
// drive-relative name ("C:x.bin") lies in the drive's current folder ("C:"); a bare name lies in
// the current folder, which is the empty text.
std::string ResultFolderOf(const std::string& path1);

// The result file's name number `k` in `folder`: "Result.txt" for 0, then "Result1.txt",
// "Result2.txt", ...
std::string ResultFileName(const std::string& folder, unsigned k);

}  // namespace sorowa
