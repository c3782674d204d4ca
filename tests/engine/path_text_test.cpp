#include <gtest/gtest.h>

#include "engine/path_text.h"
#include "engine/run_state.h"
#include "tests/engine/fake_file_services.h"

namespace sorowa {
namespace {

// 表 is the bytes 95 5C: its second byte is never a separator.
const std::string kHyo = "\x95\x5c";

struct SeparatorCase {
    std::string path;
    std::string trimmed;
    int lastSeparator;
};

TEST(PathText, SeparatorsAreFoundByCharacterNotByByte) {
    const SeparatorCase cases[] = {
        {"C:\\work\\\\\\", "C:\\work", 9},
        {"D:\\", "D:", 2},
        {"C:\\work\\data.bin", "C:\\work\\data.bin", 7},
        {"C:\\" + kHyo, "C:\\" + kHyo, 2},
        {"C:\\" + kHyo + "\\", "C:\\" + kHyo, 5},
        {"C:\\" + kHyo + kHyo + "\\\\", "C:\\" + kHyo + kHyo, 8},
        {"data.bin", "data.bin", -1},
        {"\\\\\\", "", 2},
        {"", "", -1},
        // A lone lead byte at the end takes nothing with it.
        {"a\\\x95", "a\\\x95", 1},
        // Half-width katakana (A1..DF) are single-byte characters.
        {"\xb1\\", "\xb1", 1},
    };
    for (const SeparatorCase& c : cases) {
        std::string trimmed = c.path;
        RemoveTrailingSeparators(trimmed);
        EXPECT_EQ(trimmed, c.trimmed) << c.path;
        EXPECT_EQ(FindLastSeparator(c.path), c.lastSeparator) << c.path;
    }
}

TEST(RunStart, ModeAndBaseLengthComeFromTheFirstPath) {
    struct Case {
        std::string path;
        bool folder;
        int32_t baseLen;
    };
    const Case cases[] = {
        {"C:\\work\\\\\\", true, 7}, {"D:\\", true, 2},         {"C:\\work\\data.bin", false, 7},
        {"C:\\" + kHyo, true, 5},    {"C:\\" + kHyo, false, 2}, {"data.bin", false, -1},
    };
    for (const Case& c : cases) {
        testing::FakeFileServices files;
        if (c.folder) {
            files.AddFolder(c.path);
        } else {
            files.AddFile(c.path, "");
        }
        const RunStart start = DecideRunStart(c.path, files);
        EXPECT_EQ(start.folderMode, c.folder) << c.path;
        EXPECT_EQ(start.baseLen, c.baseLen) << c.path;
    }
    testing::FakeFileServices none;
    EXPECT_FALSE(DecideRunStart("C:\\missing", none).folderMode);
}

}  // namespace
}  // namespace sorowa
