// Names that code page 932 cannot hold, made on the Linux side (odd_tree.sh, the tree
// given as the first argument): compared by the engine on the real file services, by the
// console twin started with a wide command line, and by the real main window.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <string>
#include <vector>

#include "engine/texts.h"
#include "platform/narrow_text.h"
#include "platform/win32_file_services.h"
#include "platform/win32_report_names.h"
#include "res/resource.h"
#include "tests/windows/console_run.h"
#include "tests/engine/recording_receiver.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/report_blocks.h"
#include "ui/compare_dlg.h"
#include "ui/shell_open.h"
#include "ui/texts.h"

namespace sorowa::testing {
namespace {

std::wstring g_tree;

std::wstring Wide(const std::string& utf8) { return WideFromUtf8(utf8); }

// The blocks of the déjà trees, as the report shows them: é, à, ü and 한글 as `?`, and café
// and cafè as two pairs that look the same.
std::vector<std::string> DejaBlocks() {
    const std::string lines = "\r\n00000000 : 6C 72\r\n";
    return {"FILENAME d?j?\\??.bin" + lines, "FILENAME d?j?\\?ber.txt" + lines,
            "FILENAME d?j?\\caf?" + lines, "FILENAME d?j?\\caf?" + lines};
}

TEST(WideNames, TheWalkComparesEveryNameAndShowsWhatTheCodePageLacksAsQuestionMarks) {
    ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
    Win32FileServices files;
    Win32ReportNames names;
    RecordingReceiver receiver(Utf8FromWide(g_tree + L"\\wide\\l"),
                               Utf8FromWide(g_tree + L"\\wide\\r"));
    receiver.Run(files, names);
    EXPECT_EQ(SortedBlocks(receiver.Report()), DejaBlocks());
    EXPECT_EQ(receiver.m_doneCount, 1);
}

TEST(WideNames, TheConsoleTwinTakesPathsTheCodePageCannotHold) {
    ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
    const std::wstring wide = g_tree + L"\\wide\\";
    // As folders, under 한글.
    const ConsoleResult folders = RunConsole(std::vector<std::wstring>{
        wide + Wide("\xED\x95\x9C\xEA\xB8\x80\\l"), wide + Wide("\xED\x95\x9C\xEA\xB8\x80\\r")});
    EXPECT_EQ(folders.status, 1u);
    EXPECT_EQ(folders.output, "FILENAME x.bin\r\n00000000 : 6C 72\r\n");
    // As files, under Jürgen.
    const ConsoleResult files = RunConsole(std::vector<std::wstring>{
        wide + Wide("J\xC3\xBCrgen\\l.bin"), wide + Wide("J\xC3\xBCrgen\\r.bin")});
    EXPECT_EQ(files.status, 1u);
    EXPECT_EQ(files.output, "FILENAME l.bin\r\n00000000 : 6C 72\r\n");
    // A tree of such names.
    const ConsoleResult tree = RunConsole(std::vector<std::wstring>{wide + L"l", wide + L"r"});
    EXPECT_EQ(tree.status, 1u);
    EXPECT_EQ(SortedBlocks(tree.output), DejaBlocks());
}

class WideNamesWindow : public ::testing::Test {
protected:
    ShellOpenRecorder m_opened;
};

TEST_F(WideNamesWindow, TheResultFileOfSuchAFirstPathIsMadeBesideItAndOpened) {
    ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
    const std::wstring folder = g_tree + Wide("\\wide\\J\xC3\xBCrgen\\");
    const std::wstring result = folder + L"Result.txt";
    DeleteFileW(result.c_str());
    CCompareDlg dlg({L"sorowa.exe", folder + L"big1.bin", folder + L"big2.bin"});
    RunDialog(dlg, [&](HWND hwnd) {
        Click(hwnd, IDOK);
        EXPECT_TRUE(WaitForEndOfRun(hwnd));
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), std::string(text::kOverflowNotice1) +
                                                  NarrowText(result) + text::kOverflowNotice2);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(m_opened.WideTargets(), std::vector<std::wstring>{result});
    const HANDLE file = CreateFileW(result.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    // "FILENAME big1.bin" and 2,000 lines "00000000 : 00 01", each with CR LF.
    EXPECT_EQ(GetFileSize(file, nullptr), 19u + 2000u * 18u);
    CloseHandle(file);
    DeleteFileW(result.c_str());
}

}  // namespace
}  // namespace sorowa::testing

int main() {
    // GoogleTest takes its flags out; what is left is the tree, whose own path is plain ASCII.
    ::testing::InitGoogleTest(&__argc, __argv);
    if (__argc > 1) sorowa::testing::g_tree = sorowa::WideText(__argv[1]);
    return RUN_ALL_TESTS();
}
