// What a run does beyond the plain comparison, as the console twin's options ask for it:
// names and paths skipped, what only the second folder holds, runs of differing bytes as
// one line each, and the counts of the summary and of progress.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "engine/compare_pair.h"
#include "engine/name_filter.h"
#include "engine/report_lines.h"
#include "engine/texts.h"
#include "tests/engine/fake_file_services.h"
#include "tests/engine/recording_receiver.h"

namespace sorowa::testing {
namespace {

const std::string kNotExist = text::kDoesNotExist;
const std::string kSizes = text::kSizesDiffer;
const std::string kCannotList = text::kCannotList;
const std::string kCannotRead = text::kCannotRead;
const std::string kOnly = text::kOnlyUnderSecond;
constexpr size_t kBlock = kBlockSize;

std::u32string Folded(const std::u32string& text) {
    std::u32string out;
    for (char32_t c : text) out += FoldCase(c);
    return out;
}

TEST(NameFilter, CaseFoldsAsTheSystemFoldsNames) {
    // Lower case and upper case of each script, and characters that stay as they are.
    const std::pair<std::u32string, std::u32string> same[] = {
        {U"readme.txt", U"README.TXT"},
        {U"\u00e9t\u00e9 \u00ff", U"\u00c9T\u00c9 \u0178"},                      // été ÿ
        {U"\u0101\u013a\u017e\u0133", U"\u0100\u0139\u017d\u0132"},              // āĺžĳ
        {U"\u03b1\u03c9\u03c2\u03ac\u03ce", U"\u0391\u03a9\u03a3\u0386\u038f"},  // αωςάώ
        {U"\u0436\u0451\u0463\u04c2\u04cf\u04e9", U"\u0416\u0401\u0462\u04c1\u04c0\u04e8"},
        {U"\u0561\u1e01\u1ef9", U"\u0531\u1e00\u1ef8"},  // ա ḁ ỹ
        {U"\uff41\uff5a", U"\uff21\uff3a"},              // full-width a z
    };
    for (const auto& [lower, upper] : same) {
        EXPECT_EQ(Folded(lower), Folded(upper));
        EXPECT_EQ(Folded(upper), upper);
    }
    for (char32_t c : {U'\u00df', U'\u00f7', U'\u00d7', U'\u8868', U'1', U'_', U'\u30a2'}) {
        EXPECT_EQ(FoldCase(c), c) << static_cast<unsigned>(c);
    }
}

TEST(NameFilter, PatternsMatchNamesAtEveryLevelOrPathsPartByPart) {
    struct Case {
        const char* pattern;
        const char* path;  // below the walk's folder
        bool skipped;
    };
    const Case cases[] = {
        {".git", ".git", true},
        {".git", "sub\\.git", true},
        {".git", ".github", false},
        {"*.obj", "a.obj", true},
        {"*.obj", "deep\\er\\A.OBJ", true},
        {"*.obj", "a.obj.txt", false},
        {"*.OBJ", "a.obj", true},
        {"?.c", "a.c", true},
        {"?.c", "ab.c", false},
        {"?.c", "\xE8\xA1\xA8.c", true},  // one character, three bytes
        {"*", "anything", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc1", false},
        {"*.*", "noext", false},
        {"\xC3\xA9t\xC3\xA9*", "\xC3\x89T\xC3\x89.txt", true},  // été*, ÉTÉ.txt
        // Patterns with `\` are paths below the walk's folder, part by part.
        {"sub\\x.bin", "sub\\x.bin", true},
        {"sub\\x.bin", "x.bin", false},
        {"sub\\x.bin", "other\\sub\\x.bin", false},
        {"sub\\*", "sub\\x.bin", true},
        {"sub\\*", "sub\\deep\\x.bin", false},  // a wildcard never takes a `\`
        {"*\\gen", "src\\GEN", true},
        {"sub/x.bin", "sub\\x.bin", true},
        {"\\build", "build", true},
        {"\\build", "src\\build", false},
        {"build\\", "build", true},
        {"a\\\\b", "a\\b", true},
        {"\\", "x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameFilter({c.pattern}).Skips(c.path), c.skipped) << c.pattern << " " << c.path;
        // The same below a folder's path.
        EXPECT_EQ(NameFilter({c.pattern}).Skips(std::string("C:\\top\\") + c.path, 7), c.skipped)
            << c.pattern << " " << c.path;
    }
    EXPECT_FALSE(NameFilter().Skips("a"));
    EXPECT_TRUE(NameFilter({"x", "*.tmp"}).Skips("d\\b.TMP"));
}

// C:\one against D:\two with a little of everything.
void OptionsTree(FakeFileServices& f) {
    f.AddFile("C:\\one\\a.txt", "abc");
    f.AddFile("D:\\two\\a.txt", "abd");
    f.AddFile("C:\\one\\.git\\config", "1");
    f.AddFile("D:\\two\\.git\\config", "2");
    f.AddFile("C:\\one\\x.obj", "1");
    f.AddFile("C:\\one\\sub\\y.OBJ", "1");
    f.AddFile("C:\\one\\sub\\skip.bin", "1");
    f.AddFile("C:\\one\\sub\\keep.bin", "1");
    f.AddFile("D:\\two\\sub\\keep.bin", "2");
    f.AddFile("C:\\one\\deep\\sub\\skip.bin", "1");
    f.AddFile("C:\\one\\Node_Modules\\m\\index.js", "1");
    f.AddFile("D:\\two\\only.txt", "only");
    f.AddFile("D:\\two\\.git\\HEAD", "ref");
    f.AddFile("D:\\two\\sub\\skip.bin", "1");
    f.AddFile("D:\\two\\sub\\new.obj", "1");
}

TEST(Exclusions, SkippedEntriesAreNeitherComparedNorWalkedNorMentioned) {
    FakeFileServices files;
    OptionsTree(files);
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_options.exclusions = {".git", "node_modules", "*.obj", "sub\\skip.bin"};
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(),
              "FILENAME a.txt\r\n00000002 : 63 64\r\n"
              "\r\nFILENAME sub\\keep.bin\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME deep\\sub\\skip.bin\r\ndeep\\sub\\skip.bin" +
                  kNotExist);
    // The skipped folders are never listed, and no skipped file is opened.
    for (const std::string& folder : files.Listed()) {
        EXPECT_EQ(folder.find(".git"), std::string::npos) << folder;
        EXPECT_EQ(folder.find("Node_Modules"), std::string::npos) << folder;
    }
    for (const std::string& opened : files.Opened()) {
        EXPECT_EQ(opened.find(".obj"), std::string::npos) << opened;
        EXPECT_EQ(opened.find(".OBJ"), std::string::npos) << opened;
        EXPECT_NE(opened, "C:\\one\\sub\\skip.bin");
    }

    // Without patterns, all of it.
    RecordingReceiver whole("C:\\one", "D:\\two");
    whole.Run(files);
    EXPECT_NE(whole.Report().find("FILENAME .git\\config"), std::string::npos);
    EXPECT_NE(whole.Report().find("FILENAME Node_Modules\\m\\index.js"), std::string::npos);
}

TEST(Exclusions, InFileModeThePatternsApplyToTheOneName) {
    FakeFileServices files;
    files.AddFile("C:\\a\\x.obj", "1");
    files.AddFile("D:\\b\\x.obj", "2");
    const struct {
        std::vector<std::string> patterns;
        bool compared;
    } cases[] = {{{"*.obj"}, false},
                 {{"X.OBJ"}, false},
                 {{"*.txt"}, true},
                 {{"a\\x.obj"}, true},
                 {{}, true}};
    for (const auto& c : cases) {
        for (const char* second : {"D:\\b\\x.obj", "D:\\b"}) {
            RecordingReceiver receiver("C:\\a\\x.obj", second);
            receiver.m_options.exclusions = c.patterns;
            receiver.Run(files);
            EXPECT_EQ(receiver.Report().empty(), !c.compared) << second;
            EXPECT_EQ(files.OpenFiles(), 0);
            EXPECT_EQ(receiver.m_end, RunEnd::kComplete);
        }
    }
}

TEST(SecondOnly, WhatOnlyTheSecondFolderHoldsFollowsInItsListingOrder) {
    FakeFileServices files;
    files.AddFile("C:\\one\\a", "1");
    files.AddFile("D:\\two\\a", "2");
    files.AddFile("D:\\two\\new.txt", "n");
    files.AddFile("D:\\two\\newdir\\inner\\x", "x");  // one block for the folder, nothing under it
    files.AddFile("C:\\one\\both\\b", "1");
    files.AddFile("D:\\two\\both\\b", "1");
    files.AddFile("D:\\two\\both\\extra", "e");
    files.AddFile("C:\\one\\fileThere", "1");  // a file on one side, a folder on the other
    files.AddFile("D:\\two\\fileThere\\y", "y");
    files.AddFile("C:\\one\\folderThere\\z", "z");
    files.AddFile("D:\\two\\folderThere", "z");
    files.AddFolder("D:\\two\\emptydir");
    files.AddFile("C:\\one\\gone", "g");
    const std::string firstBlocks =
        "FILENAME a\r\n00000000 : 31 32\r\n"
        "\r\nFILENAME fileThere\r\n" +
        std::string(text::kCannotOpen) + "\r\nFILENAME folderThere\\z\r\nfolderThere\\z" +
        kNotExist + "\r\nFILENAME gone\r\ngone" + kNotExist;

    RecordingReceiver plain("C:\\one", "D:\\two");
    plain.Run(files);
    EXPECT_EQ(plain.Report(), firstBlocks);
    // Only with -a is the second folder listed as a whole.
    for (const std::string& folder : files.Listed()) EXPECT_NE(folder, "D:\\two");

    for (const char* second : {"D:\\two", "D:\\two\\\\"}) {
        RecordingReceiver receiver("C:\\one", second);
        receiver.m_options.secondOnly = true;
        receiver.Run(files);
        std::string expected = firstBlocks;
        for (const char* name :
             {"new.txt", "newdir\\", "both\\extra", "fileThere\\", "folderThere", "emptydir\\"}) {
            expected.append("\r\nFILENAME ").append(name).append("\r\n").append(kOnly);
        }
        EXPECT_EQ(receiver.Report(), expected) << second;
        EXPECT_EQ(std::count(receiver.m_notes.begin(), receiver.m_notes.end(),
                             ReportKind::kOnlyUnderSecond),
                  6);
        EXPECT_EQ(receiver.m_progress.counts.onlySecond, 6u);
        EXPECT_EQ(receiver.m_end, RunEnd::kComplete);
        EXPECT_EQ(files.OpenListings(), 0);
    }
    for (const std::string& folder : files.Listed()) {
        EXPECT_EQ(folder.find("newdir\\inner"), std::string::npos) << "walked below " << folder;
    }
}

TEST(SecondOnly, PatternsStopsAndOddSecondPathsAreHeededToo) {
    FakeFileServices files;
    OptionsTree(files);
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_options.secondOnly = true;
    receiver.m_options.exclusions = {".git", "*.obj", "sub\\skip.bin", "node_modules"};
    receiver.Run(files);
    const std::string report = receiver.Report();
    EXPECT_EQ(report.substr(report.find("\r\nFILENAME only.txt")),
              "\r\nFILENAME only.txt\r\n" + kOnly);

    // A second path that names a file, or nothing: nothing more.
    files.AddFile("D:\\file", "1");
    for (const char* second : {"D:\\file", "D:\\missing"}) {
        RecordingReceiver odd("C:\\one", second);
        odd.m_options.secondOnly = true;
        odd.Run(files);
        EXPECT_EQ(odd.m_progress.counts.onlySecond, 0u) << second;
    }

    // A second folder that cannot be listed says so, named as it was given; so does one of
    // its subfolders.
    FakeFileServices locked;
    locked.AddFile("C:\\one\\a", "1");
    locked.AddFile("D:\\two\\a", "1");
    locked.AddFile("D:\\two\\sub\\b", "1");
    locked.AddFile("C:\\one\\sub\\b", "1");
    locked.FailListing("D:\\two\\sub");
    RecordingReceiver sub("C:\\one", "D:\\two");
    sub.m_options.secondOnly = true;
    sub.Run(locked);
    EXPECT_EQ(sub.Report(), "FILENAME sub\\\r\n" + kCannotList);
    locked.FailListing("D:\\two");
    RecordingReceiver top("C:\\one", "D:\\two\\");
    top.m_options.secondOnly = true;
    top.Run(locked);
    EXPECT_EQ(top.Report(), "FILENAME D:\\two\\\r\n" + kCannotList);

    // A stop after the first walk's last check is seen at the second walk's first; one in
    // the second walk ends it there.
    FakeFileServices stops;
    stops.AddFile("C:\\one\\a", "1");
    stops.AddFile("D:\\two\\a", "2");
    stops.AddFile("D:\\two\\p", "p");
    stops.AddFile("D:\\two\\q", "q");
    for (const auto& stopCase :
         {std::pair<std::string, std::string>{"00000000 : 31 32",
                                              "FILENAME a\r\n00000000 : 31 32\r\n"},
          {"FILENAME p", "FILENAME a\r\n00000000 : 31 32\r\n\r\nFILENAME p\r\n" + kOnly}}) {
        RecordingReceiver stopped("C:\\one", "D:\\two");
        stopped.m_options.secondOnly = true;
        stopped.m_onPiece = [&](const std::string& piece) {
            if (piece.find(stopCase.first) != std::string::npos) stopped.m_state->RequestStop();
        };
        stopped.Run(stops);
        EXPECT_EQ(stopped.Report(), stopCase.second);
        EXPECT_EQ(stopped.m_end, RunEnd::kStopped);
        EXPECT_EQ(stops.OpenListings(), 0);
    }
}

// The range lines of pairs of `length` bytes ('a') whose second file has 'b' in `runs`.
struct RangeCase {
    const char* name;
    size_t length;
    std::vector<std::pair<size_t, size_t>> runs;  // first and last offsets, both included
    std::vector<std::string> lines;
};

class Ranges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(Ranges, EachRunOfDifferingBytesIsOneLine) {
    const RangeCase& c = GetParam();
    std::string b(c.length, 'a');
    for (const auto& [first, last] : c.runs) {
        for (size_t i = first; i <= last; ++i) b[i] = 'b';
    }
    FakeFileServices files;
    files.AddFile("C:\\x", std::string(c.length, 'a'));
    files.AddFile("D:\\x", b);
    RecordingReceiver receiver("C:\\x", "D:\\x");
    receiver.m_options.ranges = true;
    receiver.Run(files);
    std::vector<std::string> expected;
    if (!c.lines.empty()) expected.push_back("FILENAME x\r\n");
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(receiver.m_pieces, expected);
    EXPECT_EQ(receiver.m_notes.size(), c.lines.empty() ? 0u : 1u);
}

const RangeCase kRangeCases[] = {
    {"OneByte", 10, {{4, 4}}, {"00000004-00000004 : 1\r\n"}},
    {"FirstAndLastBytes",
     10,
     {{0, 0}, {9, 9}},
     {"00000000-00000000 : 1\r\n", "00000009-00000009 : 1\r\n"}},
    {"EveryByte", 3 * kBlock + 5, {{0, 3 * kBlock + 4}}, {"00000000-00300004 : 3145733\r\n"}},
    {"AcrossTheBlockBoundary",
     2 * kBlock,
     {{kBlock - 2, kBlock + 1}},
     {"000FFFFE-00100001 : 4\r\n"}},
    {"EndingAtTheBlockBoundary",
     2 * kBlock,
     {{kBlock - 3, kBlock - 1}},
     {"000FFFFD-000FFFFF : 3\r\n"}},
    {"BeginningAtTheBlockBoundary",
     2 * kBlock,
     {{kBlock, kBlock + 9}},
     {"00100000-00100009 : 10\r\n"}},
    {"AcrossScanStretchesAndWords",
     20000,
     {{4090, 4105}, {8191, 8192}, {12000, 12007}},
     {"00000FFA-00001009 : 16\r\n", "00001FFF-00002000 : 2\r\n", "00002EE0-00002EE7 : 8\r\n"}},
    {"EveryOtherByte",
     6,
     {{0, 0}, {2, 2}, {4, 4}},
     {"00000000-00000000 : 1\r\n", "00000002-00000002 : 1\r\n", "00000004-00000004 : 1\r\n"}},
    {"Equal", 100, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Engine, Ranges, ::testing::ValuesIn(kRangeCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(RangesEnd, AReadFailureOrAStopEndsTheRunWhereTheComparisonEnded) {
    // Every byte differs; reads of the first file fail in the third block.
    FakeFileServices files;
    files.AddFile("C:\\x", std::string(3 * kBlock, 'a'));
    files.AddFile("D:\\x", std::string(3 * kBlock, 'b'));
    files.FailReadAt("C:\\x", 2 * kBlock + 7);
    RecordingReceiver failing("C:\\x", "D:\\x");
    failing.m_options.ranges = true;
    failing.Run(files);
    EXPECT_EQ(failing.m_pieces,
              (std::vector<std::string>{"FILENAME x\r\n", "00000000-001FFFFF : 2097152\r\n",
                                        kCannotRead}));
    EXPECT_EQ(failing.m_progress.counts.cannotCompare, 1u);

    FakeFileServices more;
    more.AddFile("C:\\x", std::string(3 * kBlock, 'a'));
    more.AddFile("D:\\x", std::string(3 * kBlock, 'b'));
    RecordingReceiver stopped("C:\\x", "D:\\x");
    stopped.m_options.ranges = true;
    stopped.m_onPiece = [&](const std::string&) { stopped.m_state->RequestStop(); };
    stopped.Run(more);
    // The header goes before the first block; the Stop is seen at the second.
    EXPECT_EQ(stopped.m_pieces,
              (std::vector<std::string>{"FILENAME x\r\n", "00000000-000FFFFF : 1048576\r\n"}));
    EXPECT_EQ(stopped.m_end, RunEnd::kStopped);
    EXPECT_EQ(stopped.m_progress.counts.differing, 1u);
}

TEST(RangesEnd, RangeLinesTakeTheDifferenceLinesDigits) {
    char line[kRangeLineSize];
    const struct {
        uint64_t first, last;
        const char* text;
    } cases[] = {
        {0x1A2F, 0x1A31, "00001A2F-00001A31 : 3\r\n"},
        {0, 0xFFFFFFFF, "00000000-FFFFFFFF : 4294967296\r\n"},
        {0xFFFFFFFF, 0x100000010ull, "FFFFFFFF-100000010 : 18\r\n"},
        {0, UINT64_MAX - 1, "00000000-FFFFFFFFFFFFFFFE : 18446744073709551615\r\n"},
    };
    for (const auto& c : cases) {
        const size_t n = FormatRangeLine(line, c.first, c.last);
        EXPECT_EQ(std::string(line, n), c.text);
        EXPECT_LT(n, kRangeLineSize);
    }
}

TEST(Counts, EveryOutcomeIsCountedOnceAndProgressFollowsThePair) {
    FakeFileServices files;
    files.AddFile("C:\\one\\same", "same");
    files.AddFile("D:\\two\\same", "same");
    files.AddFile("C:\\one\\empty", "");
    files.AddFile("D:\\two\\empty", "");
    files.AddFile("C:\\one\\bytes", "ab");
    files.AddFile("D:\\two\\bytes", "ac");
    files.AddFile("C:\\one\\size", "ab");
    files.AddFile("D:\\two\\size", "abc");
    files.AddFile("C:\\one\\gone", "g");
    files.AddFile("C:\\one\\held", "h");
    files.AddFile("D:\\two\\held", "h");
    files.FailOpen("D:\\two\\held");
    files.AddFile("C:\\one\\big", std::string(2 * kBlock + 3, 'z'));
    files.AddFile("D:\\two\\big", std::string(2 * kBlock + 3, 'z'));
    files.AddFile("C:\\one\\locked\\x", "x");
    files.FailListing("C:\\one\\locked");
    files.AddFile("D:\\two\\extra", "e");
    files.AddFile("C:\\one\\skipped.tmp", "1");

    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_options.secondOnly = true;
    receiver.m_options.exclusions = {"*.tmp"};
    receiver.Run(files);
    const RunCounts& counts = receiver.m_progress.counts;
    EXPECT_EQ(counts.pairs, 7u);
    EXPECT_EQ(counts.equal, 3u);
    EXPECT_EQ(counts.differing, 2u);
    EXPECT_EQ(counts.missing, 1u);
    EXPECT_EQ(counts.cannotCompare, 1u);
    EXPECT_EQ(counts.cannotList, 1u);
    EXPECT_EQ(counts.onlySecond, 1u);
    EXPECT_EQ(counts.bytes, 4u + 2u + 2u * kBlock + 3u);
    EXPECT_EQ(receiver.m_progress.pairLength, 0u);

    // Within a pair, progress tells its length and how much of it is done, block by block.
    FakeFileServices pair;
    pair.AddFile("C:\\big", std::string(2 * kBlock + 3, 'z'));
    pair.AddFile("D:\\big", std::string(2 * kBlock + 3, 'z'));
    struct Watching : RecordingReceiver {
        using RecordingReceiver::RecordingReceiver;
        void NoteProgress(const RunProgress& progress) override {
            RecordingReceiver::NoteProgress(progress);
            seen.emplace_back(progress.pairDone, progress.pairLength);
        }
        std::vector<std::pair<uint64_t, uint64_t>> seen;
    } watching("C:\\big", "D:\\big");
    watching.Run(pair);
    const uint64_t length = 2 * kBlock + 3;
    EXPECT_EQ(watching.seen,
              (std::vector<std::pair<uint64_t, uint64_t>>{
                  {kBlock, length}, {2 * kBlock, length}, {length, length}, {0, 0}, {0, 0}}));
    EXPECT_EQ(watching.m_progress.counts.equal, 1u);
}

TEST(Counts, APairThatStopEndsEarlyCountsOnlyWhatWasFound) {
    for (const char differing : {'a', 'b'}) {
        FakeFileServices files;
        std::string b(3 * kBlock, 'a');
        b[0] = differing;
        files.AddFile("C:\\x", std::string(3 * kBlock, 'a'));
        files.AddFile("D:\\x", b);
        // Stop is pressed once the first block has been compared.
        struct Stopping : RecordingReceiver {
            using RecordingReceiver::RecordingReceiver;
            void NoteProgress(const RunProgress& progress) override {
                RecordingReceiver::NoteProgress(progress);
                if (progress.pairDone == kBlock) m_state->RequestStop();
            }
        } stopping("C:\\x", "D:\\x");
        stopping.Run(files);
        EXPECT_EQ(stopping.m_end, RunEnd::kStopped);
        EXPECT_EQ(stopping.m_progress.counts.bytes, kBlock);
        EXPECT_EQ(stopping.m_progress.counts.pairs, differing == 'b' ? 1u : 0u);
        EXPECT_EQ(stopping.m_progress.counts.differing, differing == 'b' ? 1u : 0u);
        EXPECT_EQ(stopping.m_progress.counts.equal, 0u);
    }
}

}  // namespace
}  // namespace sorowa::testing
