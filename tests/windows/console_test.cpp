// The console twin, sorowa.com, run as a process of its own over real files: for every case
// of one table the window runs the same comparison, its report must be the one written out
// in the table, and standard output must be exactly the report the window gives (its result
// file for a long report, its box for a short one).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/console/console_texts.h"
#include "engine/texts.h"
#include "platform/narrow_text.h"
#include "res/resource.h"
#include "tests/windows/console_run.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/report_blocks.h"
#include "tests/windows/temp_folder.h"
#include "ui/compare_dlg.h"
#include "ui/texts.h"

namespace sorowa::testing {
namespace {

// The report the window gives for the same paths: its result file when the report was too
// long for the box, else the box, which shows its closing line when nothing was reported.
std::string WindowReport(const std::string& path1, const std::string& path2) {
    const ShellOpenRecorder opened;
    std::string box;
    CCompareDlg dlg;
    RunMainWindowOnce(dlg, path1, path2, [&](HWND hwnd) { box = ItemText(hwnd, IDC_RESULT); });
    const std::vector<std::string> files = opened.Targets();
    if (!files.empty()) {
        const std::string report = ReadWholeFile(files.back());
        // Out of the way of the cases that walk the folder it was put in.
        DeleteFileA(files.back().c_str());
        EXPECT_FALSE(report.empty());
        return report;
    }
    return box == text::kAllEqual ? std::string() : box;
}

// The status of a report's first block, which is where -s ends the run: 2 when one of its
// lines says that a file or folder could not be opened or read.
int FirstBlockStatus(const std::string& report) {
    if (report.empty()) return 0;
    const std::string block = report.substr(0, report.find("\r\n\r\nFILENAME ") + 2);
    for (const char* trouble : {text::kCannotOpen, text::kCannotRead, text::kCannotList}) {
        const std::string line = trouble;
        for (size_t at = block.find(line); at != std::string::npos; at = block.find(line, at + 1)) {
            if (at > 0 && block[at - 1] == '\n') return 2;
        }
    }
    return 1;
}

// The reason lines as the report holds them, written out in code page 932.
// "は存在しません。" : "does not exist." (after the name of the missing file)
const std::string kMissing = "\x82\xcd\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n";
// "ファイルが開けませんでした。" : "The file could not be opened."
const std::string kCannotOpen =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5"
    "\x82\xb5\x82\xbd\x81\x42\r\n";
// "ファイルサイズが一致しません。" : "The file sizes differ."
const std::string kSizes =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x54\x83\x43\x83\x59\x82\xaa\x88\xea\x92\x76\x82\xb5"
    "\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n";
// A file named as the cannot-open line reads, without its line end.
const std::string kNamedLikeCannotOpen = kCannotOpen.substr(0, kCannotOpen.size() - 2);

// The fixtures, made once: single files under f and g, folder trees beside them. The
// current folder is the fixture's, so that relative paths mean the same to the window, which
// runs in this process, and to the console program, which inherits it.
class Console : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tmp = new TempFolder;
        const TempFolder& t = *s_tmp;
        t.Write("f\\same.a", "the same bytes");
        t.Write("f\\same.b", "the same bytes");
        t.Write("f\\empty.a", "");
        t.Write("f\\empty.b", "");
        t.Write("f\\bytes.a", "abcd\x01");
        t.Write("f\\bytes.b", "abXY\x10");
        t.Write("f\\size.a", "abc");
        t.Write("f\\size.b", "abcd");
        // Past the engine's 1 MiB read block, every 97th byte differs: about 10,800 lines,
        // far more than the box shows.
        std::string longA(1048579, 'a');
        std::string longB = longA;
        for (size_t i = 0; i < longB.size(); i += 97) longB[i] = 'b';
        longB.back() = 'z';
        t.Write("f\\long.a", longA);
        t.Write("f\\long.b", longB);
        t.Write("f\\locked.a", "held");
        t.Write("f\\locked.b", "held");
        t.Write("f\\\x95\x5c.bin", "1");  // 表: its second byte is a `\`
        t.Write("g\\\x95\x5c.bin", "2");
        t.Write("g\\bytes.a", "abcd\x02");

        t.Write("same1\\a.txt", "a");
        t.Write("same1\\sub\\b.txt", "b");
        t.Write("same2\\a.txt", "a");
        t.Write("same2\\sub\\b.txt", "b");
        t.MakeFolder("empty1\\sub");

        // Differences of every kind, and a missing file named like the cannot-open line.
        t.Write("diff1\\x.bin", "12345");
        t.Write("diff2\\x.bin", "12045");
        t.Write("diff1\\equal.bin", "=");
        t.Write("diff2\\equal.bin", "=");
        t.Write("diff1\\sub\\y.bin", "short");
        t.Write("diff2\\sub\\y.bin", "longer");
        t.Write("diff1\\sub\\gone\\z.bin", "z");
        t.Write("diff1\\" + kNamedLikeCannotOpen, "n");

        // Trouble beside a difference: a file held open. Beside them an empty folder whose
        // name the code page cannot hold, walked as any other: it adds nothing.
        t.Write("bad1\\x.bin", "1");
        t.Write("bad2\\x.bin", "2");
        CreateDirectoryW(Wide(t / "bad1\\").append(L"\u00fc").c_str(), nullptr);
        t.Write("bad1\\locked.bin", "held");
        t.Write("bad2\\locked.bin", "held");
        t.Write("\x95\x5c\\x.bin", "1");
        t.Write("\x95\x5c\\y.bin", "y");

        for (const char* held : {"f\\locked.a", "bad1\\locked.bin"}) {
            s_held.push_back(CreateFileA((t / held).c_str(), GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        }
        GetCurrentDirectoryA(MAX_PATH, s_savedFolder);
        SetCurrentDirectoryA(t.Path().c_str());
    }
    static void TearDownTestSuite() {
        SetCurrentDirectoryA(s_savedFolder);
        for (HANDLE handle : s_held) CloseHandle(handle);
        s_held.clear();
        delete s_tmp;
        s_tmp = nullptr;
    }

    static std::wstring Wide(const std::string& path) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        return wide;
    }

    static TempFolder* s_tmp;
    static std::vector<HANDLE> s_held;
    static char s_savedFolder[MAX_PATH];
};

TempFolder* Console::s_tmp = nullptr;
std::vector<HANDLE> Console::s_held;
char Console::s_savedFolder[MAX_PATH];

// -s ends the run at its first report text: the status is that of the first block.
constexpr int kFirstBlock = -1;

struct Case {
    const char* path1;  // relative to the fixture; a leading '@' keeps it relative
    const char* path2;
    int status;
    int quietStatus;
    // The report as written out here. The platform lists a folder in its own order, so the
    // blocks of a folder's report are compared as a set.
    std::string report;
};

// The report of f\long.a against f\long.b.
std::string LongReport() {
    std::string report = "FILENAME long.a\r\n";
    char line[32];
    for (unsigned offset = 0; offset < 1048578; offset += 97) {
        std::snprintf(line, sizeof line, "%.8X : 61 62\r\n", offset);
        report += line;
    }
    return report + "00100002 : 61 7A\r\n";
}

// A report of these blocks, each after an empty line but the first.
std::string Report(std::initializer_list<std::string> blocks) {
    std::string report;
    for (const std::string& block : blocks) report += (report.empty() ? "" : "\r\n") + block;
    return report;
}

std::string Resolve(const TempFolder& tmp, const char* path) {
    return path[0] == '@' ? std::string(path + 1) : tmp / path;
}

TEST_F(Console, StandardOutputIsTheWindowsReportAndTheStatusSaysWhatItHolds) {
    const Case cases[] = {
        {"f\\same.a", "f\\same.b", 0, 0, ""},
        {"f\\empty.a", "f\\empty.b", 0, 0, ""},
        {"f\\bytes.a", "f\\bytes.b", 1, 1,
         "FILENAME bytes.a\r\n00000002 : 63 58\r\n00000003 : 64 59\r\n00000004 : 01 10\r\n"},
        // relative, into a second folder
        {"@f\\bytes.a", "@g", 1, 1, "FILENAME bytes.a\r\n00000004 : 01 02\r\n"},
        {"f\\size.a", "f\\size.b", 1, 1, "FILENAME size.a\r\n" + kSizes},
        {"f\\same.a", "f\\missing", 1, 1, "FILENAME same.a\r\nsame.a" + kMissing},
        {"f\\long.a", "f\\long.b", 1, 1, LongReport()},
        {"f\\missing", "f\\same.b", 2, 2, "FILENAME missing\r\n" + kCannotOpen},
        {"f\\locked.a", "f\\locked.b", 2, 2, "FILENAME locked.a\r\n" + kCannotOpen},
        // one file on both sides
        {"f\\same.a", "f\\same.a", 2, 2, "FILENAME same.a\r\n" + kCannotOpen},
        {"f\\\x95\x5c.bin", "g", 1, 1, "FILENAME \x95\x5c.bin\r\n00000000 : 31 32\r\n"},
        {"same1", "same2", 0, 0, ""},
        {"empty1", "same2", 0, 0, ""},
        {"diff1", "diff2", 1, 1,
         Report({"FILENAME x.bin\r\n00000002 : 33 30\r\n", "FILENAME sub\\y.bin\r\n" + kSizes,
                 "FILENAME sub\\gone\\z.bin\r\nsub\\gone\\z.bin" + kMissing,
                 "FILENAME " + kNamedLikeCannotOpen + "\r\n" + kNamedLikeCannotOpen + kMissing})},
        // every file against the one second file
        {"diff1", "f\\bytes.b", 1, 1,
         Report({"FILENAME x.bin\r\n00000000 : 31 61\r\n00000001 : 32 62\r\n"
                 "00000002 : 33 58\r\n00000003 : 34 59\r\n00000004 : 35 10\r\n",
                 "FILENAME equal.bin\r\n" + kSizes,
                 "FILENAME sub\\y.bin\r\n00000000 : 73 61\r\n00000001 : 68 62\r\n"
                 "00000002 : 6F 58\r\n00000003 : 72 59\r\n00000004 : 74 10\r\n",
                 "FILENAME sub\\gone\\z.bin\r\n" + kSizes,
                 "FILENAME " + kNamedLikeCannotOpen + "\r\n" + kSizes})},
        {"bad1", "bad2", 2, kFirstBlock,
         Report(
             {"FILENAME x.bin\r\n00000000 : 31 32\r\n", "FILENAME locked.bin\r\n" + kCannotOpen})},
        // a first folder whose name ends in the byte 5C
        {"\x95\x5c", "same1", 1, 1,
         Report({"FILENAME x.bin\r\nx.bin" + kMissing, "FILENAME y.bin\r\ny.bin" + kMissing})},
    };
    for (const Case& c : cases) {
        const std::string path1 = Resolve(*s_tmp, c.path1);
        const std::string path2 = Resolve(*s_tmp, c.path2);
        SCOPED_TRACE(path1 + " " + path2);
        const std::string expected = WindowReport(path1, path2);
        EXPECT_TRUE(SortedBlocks(expected) == SortedBlocks(c.report)) << "the window's report";

        const ConsoleResult run = RunConsole({path1, path2});
        EXPECT_EQ(run.status, static_cast<DWORD>(c.status));
        EXPECT_EQ(run.output, expected);
        EXPECT_EQ(run.errors, "");

        const ConsoleResult quiet = RunConsole({"-s", path1, path2});
        const int quietStatus =
            c.quietStatus == kFirstBlock ? FirstBlockStatus(expected) : c.quietStatus;
        EXPECT_EQ(quiet.status, static_cast<DWORD>(quietStatus));
        EXPECT_EQ(quiet.output, "");
        EXPECT_EQ(quiet.errors, "");
    }
}

TEST_F(Console, WrongArgumentsSayHowToCallIt) {
    const std::string a = *s_tmp / "f\\same.a";
    const std::vector<std::string> wrong[] = {
        {},       {a},     {a, a, a}, {"-x", a, a}, {"/s", a, a}, {"--quiet", a, a},
        {"-", a}, {"", a},  // an empty path, as an empty field starts nothing
    };
    for (const std::vector<std::string>& arguments : wrong) {
        const ConsoleResult run = RunConsole(arguments);
        EXPECT_EQ(run.status, 2u) << arguments.size();
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors,
                  std::string(console_text::kWrongArguments) + "\r\n" + console_text::kUsageLine);
    }
    for (const char* help : {"-h", "--help", "/?"}) {
        const ConsoleResult run = RunConsole({a, help});
        EXPECT_EQ(run.status, 0u) << help;
        EXPECT_EQ(run.output, std::string(console_text::kUsageLine) + console_text::kUsageDetails);
        EXPECT_EQ(run.errors, "");
    }
}

TEST_F(Console, OutputThatCannotBeWrittenEndsInTrouble) {
    const std::string a = *s_tmp / "f\\long.a";
    const std::string b = *s_tmp / "f\\long.b";
    const std::string cannotWrite = std::string(console_text::kCannotWriteOutput) + "\r\n";
    const struct {
        std::vector<std::string> arguments;
        DWORD status;
        std::string errors;
    } cases[] = {
        {{a, b}, 2, cannotWrite},
        {{*s_tmp / "f\\bytes.a", *s_tmp / "f\\bytes.b"}, 2, cannotWrite},  // one small write
        {{"-h"}, 2, cannotWrite},
        {{"-s", a, b}, 1, ""},  // nothing to write
        {{*s_tmp / "f\\same.a", *s_tmp / "f\\same.b"}, 0, ""},
    };
    for (const auto& c : cases) {
        // Wine's view of the Linux device that is always full.
        const ConsoleResult run = RunConsole(c.arguments, "Z:\\dev\\full");
        EXPECT_EQ(run.status, c.status) << c.arguments.back();
        EXPECT_EQ(run.errors, c.errors);
    }
}

}  // namespace
}  // namespace sorowa::testing
