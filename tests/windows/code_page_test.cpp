// One table of cases, run under each kind of system code page that Windows systems have: 932
// (Japanese), 65001 (a Japanese system that uses UTF-8 for the programs' code page) and 1252
// (Western). The report is code page 932 bytes under each, from the console twin and in the
// result file; the window's texts read back as UTF-16 with the wide calls; a path outside
// code page 932 is itself in its field. The fixture tree is odd_tree.sh's "cp" (the first
// argument); the code page a registration is for is the second (--code-page=N), and every
// case first checks that the system gives it, so that a wrong locale cannot pass unseen.
//
// Expected texts are written out here, as code page 932 bytes or as UTF-16, so that they do
// not go through the conversions under test.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/window_text.h"
#include "platform/narrow_text.h"
#include "res/resource.h"
#include "tests/windows/console_run.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/report_blocks.h"
#include "ui/about_dlg.h"
#include "ui/compare_dlg.h"

namespace sorowa::testing {
namespace {

std::wstring g_tree;
UINT g_codePage = 0;

// The report's blocks, in code page 932: 表 is 95 5C, ü has no form ("?"), 資料 is 8E 91 97 BF.
const std::string kTableBlock = "FILENAME \x95\x5c.bin\r\n00000000 : 6C 72\r\n";
const std::string kUberBlock = "FILENAME ?ber.bin\r\n00000000 : 6C 72\r\n";
// "資料\表.txtは存在しません。"
const std::string kMissingBlock =
    "FILENAME \x8e\x91\x97\xbf\\\x95\x5c.txt\r\n\x8e\x91\x97\xbf\\\x95\x5c.txt"
    "\x82\xcd\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n";

// The same blocks as the box shows them.
const std::wstring kWideTableBlock = L"FILENAME \u8868.bin\r\n00000000 : 6C 72\r\n";
const std::wstring kWideUberBlock = L"FILENAME ?ber.bin\r\n00000000 : 6C 72\r\n";
const std::wstring kWideMissingBlock =
    L"FILENAME \u8CC7\u6599\\\u8868.txt\r\n"
    L"\u8CC7\u6599\\\u8868.txt\u306F\u5B58\u5728\u3057\u307E\u305B\u3093\u3002\r\n";

// The report of the overflowing pair (cp\表\l against cp\表\r): 2,000 bytes 00 against 01.
std::string OverflowReport() {
    std::string report = "FILENAME \x95\x5c.bin\r\n";
    char line[32];
    for (unsigned i = 0; i < 2000; ++i) {
        std::snprintf(line, sizeof line, "%.8X : 00 01\r\n", i);
        report += line;
    }
    return report;
}

// A wide report's blocks, sorted, as SortedBlocks does with a narrow one.
std::vector<std::wstring> SortedWideBlocks(const std::wstring& report) {
    std::vector<std::wstring> blocks;
    size_t start = 0;
    for (;;) {
        const size_t next = report.find(L"\r\n\r\nFILENAME ", start);
        blocks.push_back(
            report.substr(start, next == std::wstring::npos ? next : next + 2 - start));
        if (next == std::wstring::npos) break;
        start = next + 4;
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

std::vector<std::string> Sorted(std::vector<std::string> blocks) {
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}
std::vector<std::wstring> Sorted(std::vector<std::wstring> blocks) {
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

std::wstring ItemWideText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::string ReadWideNamedFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    CloseHandle(file);
    return content;
}

// A drop of `name` as the shell hands it over: a DROPFILES block with the wide name after it.
HDROP MakeWideDrop(const std::wstring& name) {
    const std::wstring list = name + L'\0' + L'\0';
    const size_t bytes = list.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Types `text` into a control as the keyboard does, one character message at a time, through
// the dialog's message loop.
void Type(HWND control, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
}

class CodePage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(g_tree.empty()) << "give the tree made by odd_tree.sh as the argument";
        ASSERT_NE(g_codePage, 0u) << "give the code page as --code-page=N";
        ASSERT_EQ(GetACP(), g_codePage) << "the locale does not give the code page of the case";
    }

    static std::wstring Cp(const std::wstring& relative) { return g_tree + L"\\cp\\" + relative; }

    // Runs the main window once on both paths, given on its command line; then `check` looks
    // at the finished window.
    static void RunWindow(const std::wstring& path1, const std::wstring& path2,
                          const std::function<void(HWND)>& check) {
        CCompareDlg dlg({L"sorowa.exe", path1, path2});
        RunDialog(dlg, [&](HWND hwnd) {
            Click(hwnd, IDOK);
            EXPECT_TRUE(WaitForEndOfRun(hwnd));
            check(hwnd);
            PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }

    ShellOpenRecorder m_opened;
};

TEST_F(CodePage, TheConsoleTwinWritesCodePage932Bytes) {
    const ConsoleResult tree = RunConsole(std::vector<std::wstring>{Cp(L"l"), Cp(L"r")});
    EXPECT_EQ(tree.status, 1u);
    EXPECT_EQ(SortedBlocks(tree.output), Sorted({kTableBlock, kUberBlock, kMissingBlock}));
    EXPECT_EQ(tree.errors, "");

    const ConsoleResult overflow =
        RunConsole(std::vector<std::wstring>{Cp(L"\u8868\\l"), Cp(L"\u8868\\r")});
    EXPECT_EQ(overflow.status, 1u);
    EXPECT_TRUE(overflow.output == OverflowReport()) << overflow.output.size() << " bytes";

    // Its messages too: "引数が正しくありません。" and the usage line.
    const ConsoleResult wrong = RunConsole(std::vector<std::wstring>{Cp(L"l")});
    EXPECT_EQ(wrong.status, 2u);
    EXPECT_EQ(wrong.output, "");
    EXPECT_EQ(
        wrong.errors,
        "\x88\xf8\x90\x94\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
        "\x82\xf1\x81\x42\r\n"
        "\x8e\x67\x82\xa2\x95\xfb: sorowa [-s] \x83\x70\x83\x58\x31 \x83\x70\x83\x58\x32\r\n");
}

TEST_F(CodePage, TheResultFileIsCodePage932BytesAndTheNoticeNamesIt) {
    const std::wstring result = Cp(L"\u8868\\Result.txt");
    DeleteFileW(result.c_str());
    RunWindow(Cp(L"\u8868\\l"), Cp(L"\u8868\\r"), [&](HWND hwnd) {
        // "出力が30000バイトを超えて表示できない為、", the file's name, "に", "結果を保存します。".
        EXPECT_EQ(ItemWideText(hwnd, IDC_RESULT),
                  L"\u51FA\u529B\u304C30000\u30D0\u30A4\u30C8\u3092\u8D85\u3048\u3066\u8868\u793A"
                  L"\u3067\u304D\u306A\u3044\u70BA\u3001\r\n" +
                      result +
                      L"\u306B\r\n"
                      L"\u7D50\u679C\u3092\u4FDD\u5B58\u3057\u307E\u3059\u3002");
    });
    EXPECT_EQ(m_opened.WideTargets(), std::vector<std::wstring>{result});
    const std::string written = ReadWideNamedFile(result);
    EXPECT_TRUE(written == OverflowReport()) << written.size() << " bytes";
    DeleteFileW(result.c_str());
}

TEST_F(CodePage, TheBoxShowsTheReportAndTheWindowsOwnLines) {
    RunWindow(Cp(L"l"), Cp(L"r"), [&](HWND hwnd) {
        EXPECT_EQ(SortedWideBlocks(ItemWideText(hwnd, IDC_RESULT)),
                  Sorted({kWideTableBlock, kWideUberBlock, kWideMissingBlock}));
    });
    // "全て一致しました。"
    RunWindow(Cp(L"same\\l.bin"), Cp(L"same\\r.bin"), [&](HWND hwnd) {
        EXPECT_EQ(ItemWideText(hwnd, IDC_RESULT),
                  L"\u5168\u3066\u4E00\u81F4\u3057\u307E\u3057\u305F\u3002");
    });
    // "ファイルが開けませんでした。", for a file that another open holds with no sharing.
    const std::wstring held = Cp(L"l\\\u8868.bin");
    const HANDLE file = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    RunWindow(held, Cp(L"r"), [&](HWND hwnd) {
        EXPECT_EQ(ItemWideText(hwnd, IDC_RESULT),
                  L"FILENAME \u8868.bin\r\n\u30D5\u30A1\u30A4\u30EB\u304C\u958B\u3051\u307E\u305B"
                  L"\u3093\u3067\u3057\u305F\u3002\r\n");
    });
    CloseHandle(file);
}

TEST_F(CodePage, APathOutsideTheCodePageIsItselfInItsFieldAndCompared) {
    // 한글\über.bin on both sides.
    const std::wstring path1 = Cp(L"\uD55C\uAE00\\l\\\u00FCber.bin");
    const std::wstring path2 = Cp(L"\uD55C\uAE00\\r\\\u00FCber.bin");
    for (const std::string way : {"command line", "typed", "dropped"}) {
        SCOPED_TRACE(way);
        std::vector<std::wstring> commandLine = {L"sorowa.exe"};
        if (way == "command line") commandLine.insert(commandLine.end(), {path1, path2});
        CCompareDlg dlg(commandLine);
        RunDialog(dlg, [&](HWND hwnd) {
            for (const auto& [id, path] :
                 {std::pair{IDC_PATH1, path1}, std::pair{IDC_PATH2, path2}}) {
                const HWND field = GetDlgItem(hwnd, id);
                if (way == "typed") Type(field, path);
                if (way == "dropped") {
                    SendMessageW(field, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeWideDrop(path)),
                                 0);
                }
                EXPECT_TRUE(WaitFor([&] { return WindowText(field) == path; }, 10000))
                    << NarrowText(WindowText(field));
            }
            Click(hwnd, IDOK);
            EXPECT_TRUE(WaitForEndOfRun(hwnd));
            EXPECT_EQ(ItemWideText(hwnd, IDC_RESULT), kWideUberBlock);
            PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

TEST_F(CodePage, TheResultBoxIsInItsFixedPitchFace) {
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        const HWND box = GetDlgItem(hwnd, IDC_RESULT);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
        LOGFONTW face = {};
        ASSERT_EQ(GetObjectW(font, sizeof face, &face), static_cast<int>(sizeof face));
        // "ＭＳ ゴシック"
        EXPECT_STREQ(face.lfFaceName, L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");
        // Found as that face, not stood in for by a proportional one.
        const HDC dc = GetDC(box);
        const HGDIOBJ previous = SelectObject(dc, font);
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(box, dc);
        EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a proportional face";
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(CodePage, TheAboutBoxLinesAndLinksReadAsWrittenAndOpen) {
    CAboutDlg about;
    RunDialog(about, [&](HWND box) {
        EXPECT_EQ(ItemWideText(box, IDC_VERSION), L"Sorowa version 1.02");
        EXPECT_EQ(ItemWideText(box, IDC_COPYRIGHT), L"Copyright (C) 2026 Sorowa Project");
        // Enter on each link, as the keyboard delivers it.
        for (int id : {IDC_URL, IDC_MAIL}) {
            PostMessageW(GetDlgItem(box, id), WM_KEYDOWN, VK_RETURN, 1);
            Sync(box);
        }
        EXPECT_TRUE(WaitFor([&] { return m_opened.WideTargets().size() == 2; }, 10000));
        EXPECT_EQ(ItemWideText(box, IDC_URL), L"http://www.example.com/");
        EXPECT_EQ(ItemWideText(box, IDC_MAIL), L"sorowa@example.com");
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(m_opened.WideTargets(), (std::vector<std::wstring>{L"http://www.example.com/",
                                                                 L"mailto:sorowa@example.com"}));
}

}  // namespace
}  // namespace sorowa::testing

int main() {
    ::testing::InitGoogleTest(&__argc, __argv);
    // What GoogleTest left: the tree, then --code-page=N. The tree's own path is plain ASCII.
    for (int i = 1; i < __argc; ++i) {
        const std::string argument = __argv[i];
        if (argument.rfind("--code-page=", 0) == 0) {
            sorowa::testing::g_codePage = static_cast<UINT>(std::stoul(argument.substr(12)));
        } else {
            sorowa::testing::g_tree = sorowa::WideText(argument);
        }
    }
    return RUN_ALL_TESTS();
}
