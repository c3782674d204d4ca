#include <gtest/gtest.h>

#include "engine/path_encoding.h"
#include "engine/path_text.h"
#include "engine/run_state.h"
#include "tests/engine/fake_file_services.h"

namespace sorowa {
namespace {

// 表 in UTF-8; in code page 932 it is the bytes 95 5C, whose second byte is a `\`.
const std::string kHyo = "\xE8\xA1\xA8";

struct SeparatorCase {
    std::string path;
    std::string trimmed;
    int lastSeparator;
};

TEST(PathText, TrailingSeparatorsAndTheLastOne) {
    const SeparatorCase cases[] = {
        {"C:\\work\\\\\\", "C:\\work", 9},
        {"D:\\", "D:", 2},
        {"C:\\work\\data.bin", "C:\\work\\data.bin", 7},
        {"C:\\" + kHyo, "C:\\" + kHyo, 2},
        {"C:\\" + kHyo + "\\", "C:\\" + kHyo, 6},
        {"C:\\" + kHyo + kHyo + "\\\\", "C:\\" + kHyo + kHyo, 10},
        {"data.bin", "data.bin", -1},
        {"\\\\\\", "", 2},
        {"", "", -1},
    };
    for (const SeparatorCase& c : cases) {
        std::string trimmed = c.path;
        RemoveTrailingSeparators(trimmed);
        EXPECT_EQ(trimmed, c.trimmed) << c.path;
        EXPECT_EQ(FindLastSeparator(c.path), c.lastSeparator) << c.path;
    }
}

TEST(PathEncoding, EveryUtf16NameMakesTheRoundTrip) {
    struct Case {
        std::u16string wide;
        std::string utf8;
    };
    const Case cases[] = {
        {u"a\\b", "a\\b"},
        {u"d\u00e9j\u00e0", "d\xC3\xA9j\xC3\xA0"},
        {u"\u8868", kHyo},
        {u"\uD55C\uAE00", "\xED\x95\x9C\xEA\xB8\x80"},
        // A pair of surrogates is one character of four bytes.
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        // A surrogate without its partner keeps its own three-byte form.
        {std::u16string(1, char16_t(0xD800)) + u"x", "\xED\xA0\x80x"},
        {u"x" + std::u16string(1, char16_t(0xDC01)), "x\xED\xB0\x81"},
        {std::u16string(1, char16_t(0xDC00)) + std::u16string(1, char16_t(0xD800)),
         "\xED\xB0\x80\xED\xA0\x80"},
        {u"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8FromUtf16(c.wide), c.utf8);
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.wide) << c.utf8;
    }
}

TEST(PathEncoding, BytesThatEncodeNothingBecomeReplacementCharacters) {
    const std::u16string replacement(1, char16_t(0xFFFD));
    const std::string bad[] = {"\x80", "\xC0\xAF", "\xE8\xA1", "\xF5\x80\x80\x80", "\xFF"};
    for (const std::string& bytes : bad) {
        const std::u16string wide = Utf16FromUtf8("a" + bytes + "b");
        ASSERT_GE(wide.size(), 3u) << bytes;
        EXPECT_EQ(wide.front(), u'a');
        EXPECT_EQ(wide.back(), u'b');
        EXPECT_EQ(wide.substr(1, wide.size() - 2).find_first_not_of(replacement),
                  std::u16string::npos);
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
        {"C:\\" + kHyo, true, 6},    {"C:\\" + kHyo, false, 2}, {"data.bin", false, -1},
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
