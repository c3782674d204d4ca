// The console twin's options, each run for real as a process over real files: exclusions,
// what only the second folder holds, range lines, the summary, and their wrong uses. Without
// an option the report is that of the plain run, which the console cases hold to the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/console/console_texts.h"
#include "engine/texts.h"
#include "tests/windows/console_run.h"
#include "tests/windows/report_blocks.h"
#include "tests/windows/temp_folder.h"

namespace sorowa::testing {
namespace {

const std::string kNotExist = text::kDoesNotExist;
const std::string kOnly = text::kOnlyUnderSecond;
const std::string kWrong =
    std::string(console_text::kWrongArguments) + "\r\n" + console_text::kUsageLine;

// "one" against "two": a difference, what the usual exclusions leave out, and what only
// "two" holds. Blocks come in the order the folders are listed, so they are compared as sets.
class ConsoleOptions : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tmp = new TempFolder;
        const TempFolder& t = *s_tmp;
        t.Write("one\\a.bin", "abcdef");
        t.Write("two\\a.bin", "aXYdeZ");
        t.Write("one\\.git\\config", "1");
        t.Write("two\\.git\\config", "2");
        t.Write("one\\node_modules\\m\\index.js", "1");
        t.Write("one\\x.OBJ", "1");
        t.Write("one\\sub\\skip.bin", "1");
        t.Write("two\\sub\\skip.bin", "2");
        t.Write("one\\sub\\keep.bin", "same");
        t.Write("two\\sub\\keep.bin", "same");
        t.Write("one\\deep\\sub\\skip.bin", "1");
        t.Write("two\\deep\\sub\\skip.bin", "1");
        t.Write("two\\only.txt", "only");
        t.Write("two\\newdir\\inner\\f", "f");
        t.Write("two\\sub\\new.txt", "n");
        // Equal trees but for what only the second holds.
        t.Write("same1\\a", "a");
        t.Write("same2\\a", "a");
        t.Write("same2\\extra.txt", "e");
        t.MakeFolder("same2\\extra-folder");
    }
    static void TearDownTestSuite() {
        delete s_tmp;
        s_tmp = nullptr;
    }

    static std::string P(const char* relative) { return *s_tmp / relative; }

    static TempFolder* s_tmp;
};

TempFolder* ConsoleOptions::s_tmp = nullptr;

const std::string kABlock =
    "FILENAME a.bin\r\n00000001 : 62 58\r\n00000002 : 63 59\r\n"
    "00000005 : 66 5A\r\n";
const std::string kGitBlock = "FILENAME .git\\config\r\n00000000 : 31 32\r\n";
const std::string kNodeBlock =
    "FILENAME node_modules\\m\\index.js\r\nnode_modules\\m\\index.js" + kNotExist;
const std::string kObjBlock = "FILENAME x.OBJ\r\nx.OBJ" + kNotExist;
const std::string kSkipBlock = "FILENAME sub\\skip.bin\r\n00000000 : 31 32\r\n";

std::vector<std::string> Sorted(std::vector<std::string> blocks) {
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

TEST_F(ConsoleOptions, ExclusionsLeaveOutNamesFoldersAndRelativePaths) {
    const struct {
        std::vector<std::string> options;
        std::vector<std::string> blocks;
    } cases[] = {
        {{}, {kABlock, kGitBlock, kNodeBlock, kObjBlock, kSkipBlock}},
        {{"-x", ".git", "-x", "node_modules", "-x", "*.obj", "-x", "sub\\skip.bin"}, {kABlock}},
        {{"--exclude=.GIT", "--exclude=Node_Modules", "--exclude=x.*", "--exclude=sub/skip.bin"},
         {kABlock}},
        // A name pattern at every level; a path pattern below PATH1 only.
        {{"-x", "skip.bin"}, {kABlock, kGitBlock, kNodeBlock, kObjBlock}},
        {{"-x", "\\node_modules", "-x", "*\\skip.bin"}, {kABlock, kGitBlock, kObjBlock}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.push_back(P("one"));
        arguments.push_back(P("two"));
        const ConsoleResult run = RunConsole(arguments);
        SCOPED_TRACE(c.options.empty() ? "no options" : c.options.front());
        EXPECT_EQ(run.status, 1u);
        EXPECT_EQ(SortedBlocks(run.output), Sorted(c.blocks));
        EXPECT_EQ(run.errors, "");

        arguments.insert(arguments.begin(), "-s");
        const ConsoleResult quiet = RunConsole(arguments);
        EXPECT_EQ(quiet.status, 1u);
        EXPECT_EQ(quiet.output, "");
    }
    // Everything that differs left out: nothing to report. In file mode the one name counts.
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-x", "*", P("one"), P("two")},
          {"-x", "A.BIN", P("one\\a.bin"), P("two")},
          {"-s", "-x", "a.*", P("one\\a.bin"), P("two\\a.bin")}}) {
        const ConsoleResult run = RunConsole(arguments);
        EXPECT_EQ(run.status, 0u) << arguments[1];
        EXPECT_EQ(run.output, "");
    }
}

TEST_F(ConsoleOptions, AllReportsWhatOnlyTheSecondFolderHoldsAfterTheRest) {
    const std::vector<std::string> only = {"FILENAME newdir\\\r\n" + kOnly,
                                           "FILENAME only.txt\r\n" + kOnly,
                                           "FILENAME sub\\new.txt\r\n" + kOnly};
    for (const char* all : {"-a", "--all"}) {
        const ConsoleResult run = RunConsole({all, "-x", ".git", P("one"), P("two")});
        EXPECT_EQ(run.status, 1u);
        EXPECT_EQ(run.errors, "");
        std::vector<std::string> blocks = SortedBlocks(run.output);
        std::vector<std::string> expected = {kABlock, kNodeBlock, kObjBlock, kSkipBlock};
        expected.insert(expected.end(), only.begin(), only.end());
        EXPECT_EQ(blocks, Sorted(expected));
        // Every block of the first folder comes before the first of the second's.
        const size_t firstOnly = run.output.find(kOnly);
        for (const char* name : {"FILENAME a.bin", "FILENAME x.OBJ", "FILENAME sub\\skip"}) {
            EXPECT_LT(run.output.find(name), firstOnly) << name;
        }
    }
    // Trees equal but for what the second holds: differences only with -a.
    const struct {
        std::vector<std::string> arguments;
        DWORD status;
        std::vector<std::string> blocks;
    } cases[] = {
        {{P("same1"), P("same2")}, 0, {""}},
        {{"-a", P("same1"), P("same2")},
         1,
         {"FILENAME extra-folder\\\r\n" + kOnly, "FILENAME extra.txt\r\n" + kOnly}},
        {{"-a", "-x", "extra*", P("same1"), P("same2")}, 0, {""}},
        {{"-s", "-a", P("same1"), P("same2")}, 1, {""}},
        // File mode: -a has nothing to list.
        {{"-a", P("same1\\a"), P("same2")}, 0, {""}},
    };
    for (const auto& c : cases) {
        const ConsoleResult run = RunConsole(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.front();
        EXPECT_EQ(SortedBlocks(run.output), Sorted(c.blocks)) << c.arguments.front();
    }
}

TEST_F(ConsoleOptions, RangesPutEachRunOfDifferingBytesOnOneLine) {
    TempFolder tmp;
    // Runs across the 1 MiB read block, a byte alone, and the last byte.
    std::string a(3u << 20, '\0');
    std::string b = a;
    for (size_t i = (1u << 20) - 2; i < (1u << 20) + 3; ++i) b[i] = 'x';
    b[7] = 'y';
    b.back() = 'z';
    tmp.Write("a.bin", a);
    tmp.Write("b.bin", b);
    const std::string expected =
        "FILENAME a.bin\r\n00000007-00000007 : 1\r\n000FFFFE-00100002 : 5\r\n"
        "002FFFFF-002FFFFF : 1\r\n";
    for (const char* ranges : {"-g", "--ranges"}) {
        const ConsoleResult run = RunConsole({ranges, tmp / "a.bin", tmp / "b.bin"});
        EXPECT_EQ(run.status, 1u);
        EXPECT_EQ(run.output, expected);
        EXPECT_EQ(run.errors, "");
    }
    const ConsoleResult quiet = RunConsole({"-g", "-s", tmp / "a.bin", tmp / "b.bin"});
    EXPECT_EQ(quiet.status, 1u);
    EXPECT_EQ(quiet.output, "");

    // A pair that differs everywhere is one line.
    tmp.Write("c.bin", std::string(16u << 20, '\x01'));
    tmp.Write("d.bin", std::string(16u << 20, '\x02'));
    const ConsoleResult whole = RunConsole({"-g", tmp / "c.bin", tmp / "d.bin"});
    EXPECT_EQ(whole.status, 1u);
    EXPECT_EQ(whole.output, "FILENAME c.bin\r\n00000000-00FFFFFF : 16777216\r\n");
}

// The summary line up to its seconds, which vary.
std::string SummaryBefore(const std::string& counts) {
    return std::string(console_text::kSummaryPairs) + counts;
}

TEST_F(ConsoleOptions, SummaryIsOneLineOnStandardErrorOnly) {
    const std::string plain = RunConsole({P("one"), P("two")}).output;
    namespace t = console_text;
    // Seven pairs: two equal, three differing, two missing under PATH2; 13 bytes compared.
    const std::string pairs = std::string("7") + t::kSummaryEqual + "2" + t::kSummaryDiffering +
                              "3" + t::kSummaryMissing + "2";
    const std::string rest =
        std::string(t::kSummaryCannotCompare) + "0" + t::kSummaryBytes + "13" + t::kSummarySeconds;
    const struct {
        std::vector<std::string> options;
        std::string counts;  // from the number of pairs to the seconds; -s: only the form
        bool quiet;
    } cases[] = {
        {{"-v"}, pairs + rest, false},
        {{"--summary", "-a"}, pairs + t::kSummaryOnlySecond + "3" + rest, false},
        // -s ends the run at the first thing found.
        {{"-v", "-s"}, "", true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.push_back(P("one"));
        arguments.push_back(P("two"));
        const ConsoleResult run = RunConsole(arguments);
        SCOPED_TRACE(c.options.back());
        EXPECT_EQ(run.status, 1u);
        if (c.options.size() == 1 && !c.quiet) {
            EXPECT_EQ(run.output, plain);
        }
        EXPECT_EQ(c.quiet, run.output.empty());
        // One line, ending in the seconds: digits, a point and two more.
        ASSERT_GE(run.errors.size(), 2u);
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1);
        EXPECT_EQ(run.errors.compare(0, SummaryBefore("").size(), SummaryBefore("")), 0);
        const std::string end = std::string(t::kSummaryEnd) + "\r\n";
        ASSERT_GT(run.errors.size(), end.size());
        EXPECT_EQ(run.errors.substr(run.errors.size() - end.size()), end);
        if (!c.counts.empty()) {
            EXPECT_EQ(run.errors.rfind(SummaryBefore(c.counts), 0), 0u) << run.errors;
            unsigned whole = 0;
            unsigned hundredths = 0;
            const std::string seconds = run.errors.substr(SummaryBefore(c.counts).size());
            EXPECT_EQ(std::sscanf(seconds.c_str(), "%u.%2u", &whole, &hundredths), 2) << seconds;
        }
    }
    // Nothing compared: zeros, and the status of what was found.
    const ConsoleResult none = RunConsole({"-v", "-x", "*", P("one"), P("two")});
    EXPECT_EQ(none.status, 0u);
    EXPECT_EQ(none.errors.rfind(SummaryBefore(std::string("0") + t::kSummaryEqual + "0"), 0), 0u);
}

TEST_F(ConsoleOptions, WrongUsesSayHowToCallIt) {
    const std::string a = P("one");
    const std::string b = P("two");
    const std::vector<std::string> wrong[] = {
        {a, b, "-x"},
        {"-x", "", a, b},
        {"--exclude=", a, b},
        {"--exclude", a, b},
        {"--exclude", "x", a, b},
        {"-x", a, b},  // the pattern takes a
        {"--bogus", a, b},
        {"-ag", a, b},
        {"--all=yes", a, b},
        {"-v", "-x", "", a, b},
    };
    for (const std::vector<std::string>& arguments : wrong) {
        const ConsoleResult run = RunConsole(arguments);
        EXPECT_EQ(run.status, 2u) << arguments.front() << " " << arguments[1];
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors, kWrong);
    }
    // The help names every option.
    const ConsoleResult help = RunConsole({"-h"});
    EXPECT_EQ(help.status, 0u);
    for (const char* option :
         {"-s", "-a, --all", "-g, --ranges", "-v, --summary", "-x ", "--exclude=", "-h"}) {
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    }
}

TEST_F(ConsoleOptions, ALongRunWritesNoProgressWhenStandardErrorIsRedirected) {
    TempFolder tmp;
    // Sparse files of 4 GiB, equal: seconds of reading.
    for (const char* name : {"big.a", "big.b"}) {
        const HANDLE file = CreateFileA((tmp / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size;
        size.QuadPart = 4LL << 30;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    const DWORD start = GetTickCount();
    const ConsoleResult run = RunConsole({tmp / "big.a", tmp / "big.b"});
    const DWORD took = GetTickCount() - start;
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, "") << "after " << took << " ms";
    // Long enough that a progress line would have been due.
    EXPECT_GT(took, 1100u);
}

}  // namespace
}  // namespace sorowa::testing
