// The engine on the real Windows file services, on real temporary folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>
#include <stdlib.h>

#include <algorithm>
#include <string>

#include "engine/texts.h"
#include "platform/narrow_text.h"
#include "platform/win32_file_services.h"
#include "platform/win32_report_names.h"
#include "tests/engine/recording_receiver.h"
#include "tests/windows/report_blocks.h"
#include "tests/windows/temp_folder.h"

namespace sorowa::testing {
namespace {

const std::string kNotExist = text::kDoesNotExist;
const std::string kCannotOpen = text::kCannotOpen;
const std::string kSizes = text::kSizesDiffer;
const std::string kHyo = "\x95\x5c";  // 表, whose second byte is 0x5C

// `path1` and `path2` are narrow texts of the code page, as typed into the window.
std::string RunReport(const std::string& path1, const std::string& path2) {
    Win32FileServices files;
    Win32ReportNames names;
    RecordingReceiver receiver(Utf8FromWide(WideText(path1)), Utf8FromWide(WideText(path2)));
    receiver.Run(files, names);
    EXPECT_EQ(receiver.m_doneCount, 1);
    const std::string report = receiver.Report();
    EXPECT_NE(report.rfind("\r\n", 0), 0u) << "the report opens with an empty line";
    return report;
}

TEST(RealFiles, BothPathsNamingTheSameFileOrFolderCannotBeOpened) {
    TempFolder tmp;
    tmp.Write("a.bin", "abc");
    tmp.Write("sub\\b.bin", "b");
    EXPECT_EQ(RunReport(tmp / "a.bin", tmp / "a.bin"), "FILENAME a.bin\r\n" + kCannotOpen);
    EXPECT_EQ(SortedBlocks(RunReport(tmp.Path(), tmp.Path())),
              (std::vector<std::string>{"FILENAME a.bin\r\n" + kCannotOpen,
                                        "FILENAME sub\\b.bin\r\n" + kCannotOpen}));
}

TEST(RealFiles, FileHeldOpenWithoutSharingCannotBeOpened) {
    TempFolder tmp;
    tmp.Write("one\\a.bin", "abc");
    tmp.Write("two\\a.bin", "abc");
    const HANDLE held = CreateFileA((tmp / "two\\a.bin").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunReport(tmp / "one\\a.bin", tmp / "two"), "FILENAME a.bin\r\n" + kCannotOpen);
    CloseHandle(held);
    EXPECT_EQ(RunReport(tmp / "one\\a.bin", tmp / "two"), "");
}

TEST(RealFiles, FolderTreesWithJapaneseNamesAndMissingParts) {
    TempFolder tmp;
    tmp.Write("one\\a\\b\\c\\data.bin", std::string("\x00\x10\x20", 3));
    tmp.Write("two\\a\\b\\c\\data.bin", std::string("\x00\x11\x20", 3));
    tmp.Write("one\\a\\same.txt", "same");
    tmp.Write("two\\a\\same.txt", "same");
    tmp.Write("one\\" + kHyo + "\\" + kHyo + ".txt", "12");
    tmp.Write("two\\" + kHyo + "\\" + kHyo + ".txt", "13");
    tmp.Write("one\\gone\\x.txt", "1");  // two\gone is missing
    tmp.Write("one\\.cache\\size.txt", "1");
    tmp.Write("two\\.cache\\size.txt", "12");
    tmp.MakeFolder("one\\empty");
    tmp.Write("two\\only-here.txt", "never mentioned");

    for (const std::string& first : {tmp / "one", tmp / "one\\\\"}) {
        EXPECT_EQ(SortedBlocks(RunReport(first, tmp / "two\\")),
                  (std::vector<std::string>{
                      "FILENAME .cache\\size.txt\r\n" + kSizes,
                      "FILENAME a\\b\\c\\data.bin\r\n00000001 : 10 11\r\n",
                      "FILENAME gone\\x.txt\r\ngone\\x.txt" + kNotExist,
                      "FILENAME " + kHyo + "\\" + kHyo + ".txt\r\n00000001 : 32 33\r\n",
                  }));
    }
}

TEST(RealFiles, SecondPathNamingAFileInFolderMode) {
    TempFolder tmp;
    tmp.Write("one\\a.txt", "12");
    tmp.Write("one\\sub\\b.txt", "123");
    tmp.Write("other.txt", "13");
    EXPECT_EQ(SortedBlocks(RunReport(tmp / "one", tmp / "other.txt")),
              (std::vector<std::string>{"FILENAME a.txt\r\n00000001 : 32 33\r\n",
                                        "FILENAME sub\\b.txt\r\n" + kSizes}));
}

TEST(RealFiles, FileModeAgainstAFolderAndAcrossBlocks) {
    TempFolder tmp;
    std::string a(8193, 'a');
    std::string b = a;
    b[4095] = 'b';
    b[4096] = 'c';
    b[8192] = 'd';
    tmp.Write(kHyo + ".bin", a);
    tmp.Write("two\\" + kHyo + ".bin", b);
    EXPECT_EQ(RunReport(tmp / (kHyo + ".bin"), tmp / "two"),
              "FILENAME " + kHyo +
                  ".bin\r\n00000FFF : 61 62\r\n00001000 : 61 63\r\n"
                  "00002000 : 61 64\r\n");
    EXPECT_EQ(RunReport(tmp / "missing.bin", tmp / "two"),
              "FILENAME missing.bin\r\nmissing.bin" + kNotExist);
}

// The port in the engine's terms: a file of any attributes is a file, a folder is listed by
// its path alone, and the root's listing takes the root's own `\`.
TEST(RealFiles, KindsAndListingsAreTheEnginesOwn) {
    TempFolder tmp;
    tmp.Write("odd.bin", "x");
    tmp.MakeFolder("sub");
    SetFileAttributesA((tmp / "odd.bin").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    Win32FileServices files;
    const std::string folder = Utf8FromWide(WideText(tmp.Path()));
    EXPECT_EQ(files.KindOf(folder + "\\odd.bin"), EntryKind::kFile);
    EXPECT_EQ(files.KindOf(folder + "\\sub"), EntryKind::kFolder);
    EXPECT_EQ(files.KindOf(folder + "\\missing"), EntryKind::kNothing);
    EXPECT_EQ(files.KindOf("C:\\"), EntryKind::kFolder);

    for (const std::string& listed : {folder, folder + "\\"}) {
        FolderEntry entry;
        ListError error = ListError::kFailed;
        std::unique_ptr<FolderListing> listing = files.ListFolder(listed, entry, error);
        ASSERT_NE(listing, nullptr) << listed;
        EXPECT_EQ(error, ListError::kNone);
        std::vector<std::pair<std::string, EntryKind>> entries;
        do {
            entries.emplace_back(entry.name, entry.kind);
        } while (listing->Next(entry) == ListStep::kEntry);
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries,
                  (std::vector<std::pair<std::string, EntryKind>>{{".", EntryKind::kFolder},
                                                                  {"..", EntryKind::kFolder},
                                                                  {"odd.bin", EntryKind::kFile},
                                                                  {"sub", EntryKind::kFolder}}));
    }
    FolderEntry entry;
    ListError error = ListError::kNone;
    EXPECT_NE(files.ListFolder("C:\\", entry, error), nullptr);
    EXPECT_EQ(files.ListFolder(folder + "\\missing", entry, error), nullptr);
    EXPECT_EQ(error, ListError::kFailed);

    // Such a file is compared as any other.
    tmp.Write("two\\odd.bin", "y");
    Win32ReportNames names;
    RecordingReceiver receiver(folder + "\\odd.bin", folder + "\\two");
    receiver.Run(files, names);
    EXPECT_EQ(receiver.Report(), "FILENAME odd.bin\r\n00000000 : 78 79\r\n");
    SetFileAttributesA((tmp / "odd.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Slow: runs only with SOROWA_SLOW=1 (scripts/test --slow).
TEST(RealFiles, AHundredThousandFilesRunInFlatMemory) {
    if (getenv("SOROWA_SLOW") == nullptr) GTEST_SKIP() << "slow; run with scripts/test --slow";
    TempFolder tmp;
    tmp.Write("empty", "");
    // Every file of the tree is compared with the one empty file: nothing to report, so the
    // receiver holds nothing and the run's own memory is what is measured.
    const auto walk = [&](int folders) {
        Win32FileServices files;
        Win32ReportNames names;
        RecordingReceiver receiver(tmp / "tree", tmp / "empty");
        receiver.Run(files, names);
        EXPECT_EQ(receiver.Report(), "") << folders;
        PROCESS_MEMORY_COUNTERS memory = {};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        return memory.PeakWorkingSetSize;
    };
    const auto fill = [&](int from, int to) {
        for (int folder = from; folder < to; ++folder) {
            for (int file = 0; file < 1000; ++file) {
                tmp.Write("tree\\d" + std::to_string(folder) + "\\f" + std::to_string(file), "");
            }
        }
    };
    fill(0, 10);
    const size_t after10k = walk(10);
    fill(10, 100);
    const size_t after100k = walk(100);
    EXPECT_LT(after100k, after10k + (8u << 20)) << after10k << " then " << after100k;
}

}  // namespace
}  // namespace sorowa::testing
