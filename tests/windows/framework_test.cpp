// The pieces beneath the windows, the framework's and the platform's, that the windows' tests
// do not reach on their own.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/narrow_text.h"
#include "platform/stdio_file.h"
#include "platform/unique_handle.h"
#include "tests/windows/temp_folder.h"

namespace sorowa::testing {
namespace {

// Handles that are numbers, whose closes are recorded; 0 stands for none.
struct RecordedTraits {
    using Handle = int;
    static Handle Invalid() { return 0; }
    static void Close(Handle handle) { closed.push_back(handle); }
    static inline std::vector<int> closed;
};

TEST(UniqueHandle, EachHandleIsClosedOnceByItsLastOwner) {
    using Owner = UniqueHandle<RecordedTraits>;
    using Closed = std::vector<int>;
    RecordedTraits::closed.clear();
    {
        Owner a(1);
        Owner b(std::move(a));
        EXPECT_FALSE(a);
        ASSERT_TRUE(b);
        EXPECT_EQ(b.get(), 1);
        Owner c(2);
        c = std::move(b);  // c lets 2 go and takes 1
        EXPECT_EQ(RecordedTraits::closed, Closed{2});
        Owner& same = c;
        c = std::move(same);  // onto itself: nothing changes
        EXPECT_EQ(c.get(), 1);
        c.reset(3);
        EXPECT_EQ(RecordedTraits::closed, (Closed{2, 1}));
        EXPECT_EQ(c.release(), 3);  // given up: the owner never closes it
        EXPECT_FALSE(c);
        c.reset();
        Owner d(4);
        Owner none;
        EXPECT_EQ(RecordedTraits::closed, (Closed{2, 1}));
    }
    // Only d held a handle when the owners went.
    EXPECT_EQ(RecordedTraits::closed, (Closed{2, 1, 4}));
}

TEST(StdioFile, WritesBinaryRecordsItsAbsolutePathAndSharesNothing) {
    TempFolder tmp;
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(tmp.Path().c_str());
    CStdioFile file;
    ASSERT_TRUE(file.Open(L"Result.txt", CStdioFile::modeCreateNew));
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(file.GetFilePath(), WideText(tmp / "Result.txt"));
    file.Write("a\r\nb\n", 5);
    // No other open succeeds while it is written.
    EXPECT_EQ(CreateFileA((tmp / "Result.txt").c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(tmp / "Result.txt"), "a\r\nb\n");
}

TEST(StdioFile, CreateNewLeavesATakenNameAsItIs) {
    TempFolder tmp;
    tmp.Write("taken.txt", "earlier");
    tmp.MakeFolder("folder.txt");
    for (const char* name : {"taken.txt", "folder.txt"}) {
        CStdioFile file;
        EXPECT_FALSE(file.Open(WideText(tmp / name), CStdioFile::modeCreateNew)) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS)) << name;
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(ReadWholeFile(tmp / "taken.txt"), "earlier");
}

TEST(StdioFile, AWriteThatFailsIsReportedByClose) {
    // The Linux device that is always full, through Wine's drive Z:.
    CStdioFile file;
    ASSERT_TRUE(file.Open(L"Z:\\dev\\full", CStdioFile::modeCreate));
    const std::string block(1 << 16, 'x');
    file.Write(block.data(), block.size());
    EXPECT_FALSE(file.Close());
}

}  // namespace
}  // namespace sorowa::testing
