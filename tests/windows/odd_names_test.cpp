// The engine on the real Windows file services, over a tree of names that the platform's
// path parsing gets wrong unless every listed name is taken literally. The tree is made on
// the Linux side (odd_tree.sh) and given as the first argument.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <algorithm>
#include <future>

#include "engine/texts.h"
#include "platform/win32_file_services.h"
#include "platform/win32_report_names.h"
#include "tests/engine/recording_receiver.h"
#include "tests/windows/report_blocks.h"

namespace sorowa::testing {
namespace {

std::string g_tree;

TEST(OddNames, EveryListedNameIsComparedAsItselfAndNothingHangs) {
    ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
    Win32FileServices files;
    Win32ReportNames names;
    RecordingReceiver receiver(g_tree + "\\one", g_tree + "\\two");
    // A name that opened a device could block for ever: give the run a bound.
    auto run = std::async(std::launch::async, [&] { receiver.Run(files, names); });
    if (run.wait_for(std::chrono::minutes(3)) != std::future_status::ready) {
        ADD_FAILURE() << "the run did not end";
        fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 1);
    }
    const std::string kDiffers = "\r\n00000000 : 41 42\r\n";
    // Names the code page lacks are compared as any other, and shown with `?`, never with a
    // look-alike (ü as u, ¥ as \).
    const std::string kDiffers12 = "\r\n00000000 : 31 32\r\n";
    const std::vector<std::string> expected = {
        "FILENAME CON" + kDiffers,
        "FILENAME a?b.txt" + kDiffers12,
        "FILENAME aux.c" + kDiffers,
        "FILENAME big\r\n100000000 : 00 01\r\n",
        "FILENAME com1" + kDiffers,
        "FILENAME huge\r\n" + std::string(text::kSizesDiffer),
        "FILENAME nul.txt" + kDiffers,
        "FILENAME sub\\x.txt\r\nsub\\x.txt" + std::string(text::kDoesNotExist),
        "FILENAME trail " + kDiffers,
        "FILENAME trail." + kDiffers,
        "FILENAME ?.txt" + kDiffers12,
    };
    std::vector<std::string> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(SortedBlocks(receiver.Report()), sortedExpected);
    EXPECT_EQ(receiver.m_doneCount, 1);
}

TEST(OddNames, PathsAsUsersTypeThemStillWork) {
    ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
    // Relative, with forward slashes, "." and ".." and repeated separators.
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA((g_tree + "\\one").c_str());
    Win32FileServices files;
    Win32ReportNames names;
    for (const auto& [first, second] :
         {std::pair<std::string, std::string>{"trail", g_tree + "\\two\\\\trail"},
          {".\\sub\\..\\trail", g_tree + "/two/./trail"},
          {g_tree.substr(0, 2) + "trail", g_tree + "\\two\\trail"}}) {
        RecordingReceiver receiver(first, second);
        receiver.Run(files, names);
        EXPECT_EQ(receiver.Report(), "") << first << " " << second;
    }
    SetCurrentDirectoryA(saved);
}

TEST(OddNames, FirstFoldersTheNarrowCallsCannotReachAreWalkedAsFolders) {
    ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
    const std::string lng(60, 'L');
    const std::string longPath = lng + "\\" + lng + "\\" + lng + "\\" + lng + "\\" + lng;
    EXPECT_GT((g_tree + "\\firsts\\" + longPath).size(), 260u);
    // The same with names the code page cannot hold: Jürgen. and a long path through 한글.
    const std::string wideLongPath =
        lng + "\\\xED\x95\x9C\xEA\xB8\x80\\" + lng + "\\" + lng + "\\" + lng;
    for (const std::string& name : {std::string("v1."), std::string("v1 "), longPath,
                                    std::string("J\xC3\xBCrgen."), wideLongPath}) {
        const std::string first = g_tree + "\\firsts\\" + name;
        for (const std::string& typed : {first, first + "\\"}) {
            Win32FileServices files;
            Win32ReportNames names;
            RecordingReceiver receiver(typed, g_tree + "\\second");
            receiver.Run(files, names);
            EXPECT_TRUE(receiver.m_state->Start().folderMode) << typed.size() << " " << typed;
            EXPECT_EQ(receiver.Report(),
                      "FILENAME a.txt\r\n00000000 : 31 32\r\n"
                      "\r\nFILENAME in\\b.txt\r\n00000000 : 31 32\r\n")
                << typed;
        }
    }
}

}  // namespace
}  // namespace sorowa::testing

int main() {
    ::testing::InitGoogleTest(&__argc, __argv);
    if (__argc > 1) sorowa::testing::g_tree = __argv[1];
    return RUN_ALL_TESTS();
}
