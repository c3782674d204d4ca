// Drive roots and bare separators as first and second paths, on real drives: x: and y: are
// mapped to folders by drive_roots.sh, and the current folder is X:\cur\deep. The engine is
// driven as the window drives it (DecideRunStart, then the worker entry).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_file_services.h"
#include "platform/win32_report_names.h"
#include "tests/engine/recording_receiver.h"
#include "tests/windows/report_blocks.h"

namespace sorowa::testing {
namespace {

std::vector<std::string> Blocks(const char* from, const char* to) {
    const std::string lines = std::string("\r\n00000000 : ") + from + " " + to + "\r\n";
    return {"FILENAME cur\\deep\\here.txt" + lines, "FILENAME sub\\in.txt" + lines,
            "FILENAME top.txt" + lines};
}

class DriveRoots : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesA("X:\\cur\\deep"), INVALID_FILE_ATTRIBUTES)
            << "run through drive_roots.sh";
        GetCurrentDirectoryA(MAX_PATH, m_saved);
        ASSERT_TRUE(SetCurrentDirectoryA("X:\\cur\\deep"));
    }
    void TearDown() override { SetCurrentDirectoryA(m_saved); }

    static std::string Run(const std::string& first, const std::string& second,
                           bool folderMode = true) {
        Win32FileServices files;
        Win32ReportNames names;
        RecordingReceiver receiver(first, second);
        receiver.Run(files, names);
        EXPECT_EQ(receiver.m_state->Start().folderMode, folderMode) << first;
        EXPECT_EQ(receiver.m_end, RunEnd::kComplete);
        return receiver.Report();
    }

private:
    char m_saved[MAX_PATH] = {};
};

TEST_F(DriveRoots, EveryFormOfARootWalksAllOfItAndEntersNoLinkBackToIt) {
    // "\" is the root of the current drive, X:.
    for (const char* first : {"X:\\", "X:", "\\", "X:\\\\"}) {
        for (const char* second : {"Y:\\", "Y:"}) {
            EXPECT_EQ(SortedBlocks(Run(first, second)), Blocks("31", "32"))
                << first << " " << second;
        }
    }
    for (const char* second : {"X:\\", "X:", "\\"}) {
        EXPECT_EQ(SortedBlocks(Run("Y:\\", second)), Blocks("32", "31")) << second;
    }
}

TEST_F(DriveRoots, FileModeJoinsTheNameToTheRoot) {
    for (const char* second : {"X:\\", "X:", "\\"}) {
        EXPECT_EQ(Run("Y:\\top.txt", second, false), "FILENAME top.txt\r\n00000000 : 32 31\r\n")
            << second;
    }
}

}  // namespace
}  // namespace sorowa::testing
