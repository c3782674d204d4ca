// Folder mode: the walk over the first folder, the blocks it produces, and Stop.
#include <gtest/gtest.h>

#include <functional>

#include "engine/compare_pair.h"
#include "engine/texts.h"
#include "tests/engine/fake_file_services.h"
#include "tests/engine/recording_receiver.h"

namespace sorowa::testing {
namespace {

const std::string kNotExist = text::kDoesNotExist;
const std::string kCannotOpen = text::kCannotOpen;
const std::string kSizes = text::kSizesDiffer;
const std::string kCannotList = text::kCannotList;

// C:\one against D:\two. The listing order is the order of adding, as the platform's.
void MixedTree(FakeFileServices& f) {
    f.AddFile("C:\\one\\a.txt", "abc");
    f.AddFile("D:\\two\\a.txt", "abd");
    f.AddFile("C:\\one\\sub\\b.txt", "b");   // D:\two\sub is missing
    f.AddFile("C:\\one\\.profile", "same");  // a dot name
    f.AddFile("D:\\two\\.profile", "same");
    f.AddFolder("C:\\one\\empty");
    f.AddFile("C:\\one\\.cache\\c", "xy");
    f.AddFile("D:\\two\\.cache\\c", "xyz");
    f.AddFile("C:\\one\\z.txt", "q");
    f.AddFile("D:\\two\\z.txt", "r");
    f.AddFile("D:\\two\\only-second.txt", "never mentioned");
}

const std::string kMixedReport =
    "FILENAME a.txt\r\n"
    "00000002 : 63 64\r\n"
    "\r\nFILENAME sub\\b.txt\r\nsub\\b.txt" +
    kNotExist + "\r\nFILENAME .cache\\c\r\n" + kSizes +
    "\r\nFILENAME z.txt\r\n"
    "00000000 : 71 72\r\n";

TEST(FolderWalk, ReportsEveryDifferingPairInListingOrderWithBlankLinesBetween) {
    for (const char* first : {"C:\\one", "C:\\one\\\\\\"}) {
        for (const char* second : {"D:\\two", "D:\\two\\"}) {
            FakeFileServices files;
            MixedTree(files);
            RecordingReceiver receiver(first, second);
            receiver.Run(files);
            EXPECT_EQ(receiver.Report(), kMixedReport) << first << " " << second;
            // Of the second side, only what the report needs is asked: whether the second
            // path is a folder, once, and whether a counterpart that did not open exists.
            std::vector<std::string> secondSide;
            for (const std::string& path : files.Asked()) {
                if (path[0] == 'D') secondSide.push_back(FakeFileServices::Normal(path));
            }
            EXPECT_EQ(secondSide, (std::vector<std::string>{"D:\\two", "D:\\two\\sub\\b.txt"}));
            EXPECT_EQ(receiver.m_doneCount, 1);
            EXPECT_EQ(files.OpenListings(), 0);
            EXPECT_EQ(files.OpenFiles(), 0);
        }
    }
}

TEST(FolderWalk, NestedFoldersKeepEveryLevelInTheName) {
    FakeFileServices files;
    files.AddFile("C:\\one\\a\\b\\c\\data.bin", "1");
    files.AddFile("D:\\two\\a\\b\\c\\data.bin", "2");
    files.AddFile("C:\\one\\a\\b\\c\\gone.bin", "1");
    files.AddFolder("D:\\two\\a\\b");
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(),
              "FILENAME a\\b\\c\\data.bin\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME a\\b\\c\\gone.bin\r\na\\b\\c\\gone.bin" +
                  kNotExist);
    EXPECT_EQ(files.MaxOpenListings(), 4);
    EXPECT_EQ(files.OpenListings(), 0);
}

TEST(FolderWalk, DriveRootAndDoubleByteFolderNames) {
    FakeFileServices files;
    // D:\ trims to D:, and 表 (95 5C in the report) ends a folder name without being trimmed.
    files.AddFile("D:\\\xE8\xA1\xA8\\x", "1");
    files.AddFile("E:\\\xE8\xA1\xA8\\x", "2");
    files.AddFile("D:\\y", "1");
    RecordingReceiver receiver("D:\\", "E:\\");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(),
              "FILENAME \x95\x5c\\x\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME y\r\ny" +
                  kNotExist);

    RecordingReceiver inner("C:\\\xE8\xA1\xA8", "E:\\\xE8\xA1\xA8");
    files.AddFile("C:\\\xE8\xA1\xA8\\x", "1");
    inner.Run(files);
    EXPECT_EQ(inner.Report(), "FILENAME x\r\n00000000 : 31 32\r\n");
}

TEST(FolderWalk, NamesOutsideTheCodePageAreWalkedAndComparedAsAnyOther) {
    FakeFileServices files;
    // déjà holding über.txt, 한글.bin and two names that look the same in a header (café and
    // cafè: é and è both show as `?`).
    const std::string folder = "d\xC3\xA9j\xC3\xA0";
    const std::string names[] = {
        "\xC3\xBC"
        "ber.txt",
        "\xED\x95\x9C\xEA\xB8\x80.bin", "caf\xC3\xA9", "caf\xC3\xA8"};
    for (const std::string& name : names) {
        std::string relative = folder;
        relative.append("\\").append(name);
        files.AddFile("C:\\l\\" + relative, "1" + name);
        files.AddFile("D:\\r\\" + relative, "2" + name);
    }
    files.FailOpen("D:\\r\\" + folder + "\\caf\xC3\xA8");
    RecordingReceiver receiver("C:\\l", "D:\\r");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(),
              "FILENAME d?j?\\?ber.txt\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME d?j?\\??.bin\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME d?j?\\caf?\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME d?j?\\caf?\r\n" +
                  std::string(text::kCannotOpen));
    EXPECT_EQ(receiver.m_notes,
              (std::vector<ReportKind>{ReportKind::kDifference, ReportKind::kDifference,
                                       ReportKind::kDifference, ReportKind::kCannotOpen}));
}

TEST(FolderWalk, DriveRootsAndBareSeparatorsAreTheRootsThemselves) {
    const std::string forward =
        "FILENAME a\r\n00000000 : 31 32\r\n\r\nFILENAME sub\\b\r\n00000000 : 31 32\r\n";
    const std::string backward =
        "FILENAME a\r\n00000000 : 32 31\r\n\r\nFILENAME sub\\b\r\n00000000 : 32 31\r\n";
    // "\" is the root of the fake's current drive, C:.
    const std::pair<const char*, const char*> firstAndSecond[] = {
        {"\\", "D:\\"}, {"C:", "D:"}, {"C:\\", "D:"}, {"\\\\", "D:\\\\"}};
    for (const auto& [first, second] : firstAndSecond) {
        FakeFileServices files;
        files.AddFile("C:\\a", "1");
        files.AddFile("C:\\sub\\b", "1");
        files.AddFolderLink("C:\\loop", "C:");  // back to the root: not entered
        files.AddFile("D:\\a", "2");
        files.AddFile("D:\\sub\\b", "2");
        RecordingReceiver there(first, second);
        there.Run(files);
        EXPECT_EQ(there.Report(), forward) << first << " " << second;
        RecordingReceiver back(second, first);
        back.Run(files);
        EXPECT_EQ(back.Report(), backward) << second << " " << first;
    }

    // File mode: the name goes after the root's own `\`, not after a second one.
    FakeFileServices files;
    files.AddFile("C:\\a", "1");
    files.AddFile("D:\\a", "2");
    RecordingReceiver receiver("D:\\a", "\\");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(), "FILENAME a\r\n00000000 : 32 31\r\n");
    EXPECT_EQ(files.Opened(), (std::vector<std::string>{"D:\\a", "\\a"}));
}

TEST(FolderWalk, SecondPathNamingAFileIsComparedWithEveryFile) {
    FakeFileServices files;
    files.AddFile("C:\\one\\a", "12");
    files.AddFile("C:\\one\\sub\\b", "123");
    files.AddFile("D:\\file", "12");
    RecordingReceiver receiver("C:\\one", "D:\\file");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(), "FILENAME sub\\b\r\n" + kSizes);
}

TEST(FolderWalk, SameFolderOnBothSidesCannotOpenAnyPair) {
    FakeFileServices files;
    files.AddFile("C:\\one\\a", "1");
    files.AddFile("C:\\one\\b", "2");
    RecordingReceiver receiver("C:\\one", "C:\\one");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(),
              "FILENAME a\r\n" + kCannotOpen + "\r\nFILENAME b\r\n" + kCannotOpen);
}

TEST(FolderWalk, NothingToCompareProducesNothing) {
    FakeFileServices files;
    files.AddFolder("C:\\empty");
    files.AddFolder("C:\\hollow\\a\\b");
    files.AddFolder("E:");  // a drive root with no entries at all
    files.AddFolder("D:\\two");
    for (const char* first : {"C:\\empty", "C:\\hollow", "E:\\"}) {
        RecordingReceiver receiver(first, "D:\\two");
        receiver.Run(files);
        EXPECT_TRUE(receiver.m_pieces.empty()) << first;
        EXPECT_EQ(receiver.m_doneCount, 1);
    }
}

TEST(FolderWalk, FolderThatCannotBeListedGetsABlockOfItsOwn) {
    FakeFileServices files;
    files.AddFile("C:\\one\\locked\\deeper\\x", "1");
    files.FailListing("C:\\one\\locked\\deeper");
    files.AddFile("C:\\one\\locked\\y", "1");
    files.AddFile("D:\\two\\locked\\y", "1");
    RecordingReceiver sub("C:\\one", "D:\\two");
    sub.Run(files);
    EXPECT_EQ(sub.Report(), "FILENAME locked\\deeper\\\r\n" + kCannotList);

    // The first folder itself is named by the first path as it was given.
    files.FailListing("C:\\one");
    RecordingReceiver first("C:\\one\\\\", "D:\\two");
    first.Run(files);
    EXPECT_EQ(first.Report(), "FILENAME C:\\one\\\\\r\n" + kCannotList);
    EXPECT_EQ(first.m_doneCount, 1);
}

TEST(FolderWalk, ListingThatBreaksOffKeepsWhatWasComparedAndSaysSo) {
    const std::string a = "FILENAME a\r\n00000000 : 31 32\r\n";
    const std::string b = "\r\nFILENAME sub\\b\r\n00000000 : 31 32\r\n";
    const std::string c = "\r\nFILENAME sub\\c\r\n00000000 : 31 32\r\n";
    const std::string z = "\r\nFILENAME z\r\n00000000 : 31 32\r\n";
    const std::string sub = "\r\nFILENAME sub\\\r\n" + kCannotList;
    struct Case {
        const char* folder;
        size_t entries;  // delivered before the listing breaks off
        std::string report;
    };
    const Case cases[] = {
        {"C:\\one\\sub", 1, a + b + sub + z},
        {"C:\\one\\sub", 0, a + sub + z},
        // The first folder is named by the first path as it was given.
        {"C:\\one", 2, a + b + c + "\r\nFILENAME C:\\one\\\r\n" + kCannotList},
    };
    for (const Case& k : cases) {
        FakeFileServices files;
        for (const char* name : {"a", "sub\\b", "sub\\c", "z"}) {
            files.AddFile(std::string("C:\\one\\") + name, "1");
            files.AddFile(std::string("D:\\two\\") + name, "2");
        }
        files.FailListingAfter(k.folder, k.entries);
        RecordingReceiver receiver("C:\\one\\", "D:\\two");
        receiver.Run(files);
        EXPECT_EQ(receiver.Report(), k.report) << k.folder << " " << k.entries;
        EXPECT_EQ(receiver.m_end, RunEnd::kComplete);
        EXPECT_EQ(files.OpenListings(), 0);
    }
}

TEST(FolderWalk, LinksBackUpTheTreeAreNotEntered) {
    FakeFileServices files;
    files.AddFile("C:\\one\\a", "1");
    files.AddFile("C:\\one\\sub\\b", "1");
    files.AddFolderLink("C:\\one\\loop", "C:\\one");
    files.AddFolderLink("C:\\one\\sub\\up", "C:\\one");
    files.AddFolderLink("C:\\one\\sub\\self", "C:\\one\\sub");
    // A link to a folder elsewhere is walked like any folder.
    files.AddFile("C:\\other\\c", "1");
    files.AddFolderLink("C:\\one\\elsewhere", "C:\\other");
    files.AddFolder("D:\\two");
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(), "FILENAME a\r\na" + kNotExist + "\r\nFILENAME sub\\b\r\nsub\\b" +
                                     kNotExist + "\r\nFILENAME elsewhere\\c\r\nelsewhere\\c" +
                                     kNotExist);
    EXPECT_EQ(files.OpenListings(), 0);
}

TEST(FolderWalk, IdenticalFirstPairDoesNotOpenTheReportWithABlankLine) {
    FakeFileServices files;
    files.AddFile("C:\\one\\a", "same");
    files.AddFile("D:\\two\\a", "same");
    files.AddFile("C:\\one\\b", "1");
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(), "FILENAME b\r\nb" + kNotExist);
}

// A tree whose third file is being compared when Stop is pressed.
void StopTree(FakeFileServices& f) {
    f.AddFile("C:\\one\\a", "1");
    f.AddFile("C:\\one\\deep\\er\\b", "1");
    f.AddFile("C:\\one\\deep\\er\\c", "xyz");
    f.AddFile("D:\\two\\deep\\er\\c", "abc");
    f.AddFile("C:\\one\\deep\\er\\d", "1");
    f.AddFile("C:\\one\\deep\\e", "1");
    f.AddFile("C:\\one\\f", "1");
}

const std::string kStopTreeUpToC =
    "FILENAME a\r\na" + kNotExist + "\r\nFILENAME deep\\er\\b\r\ndeep\\er\\b" + kNotExist +
    "\r\nFILENAME deep\\er\\c\r\n00000000 : 78 61\r\n00000001 : 79 62\r\n00000002 : 7A 63\r\n";

constexpr size_t kBlock = kBlockSize;

struct StopCase {
    const char* name;
    std::function<void(FakeFileServices&)> fixture;
    const char* stopOn;  // Stop is pressed when a piece holding this text has arrived
    std::string report;
    RunEnd end;
};

class FolderWalkStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(FolderWalkStop, StopEndsTheRunAtTheNextCheckAndSaysWhetherAnythingWasLeft) {
    const StopCase& c = GetParam();
    FakeFileServices files;
    c.fixture(files);
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_onPiece = [&](const std::string& piece) {
        if (piece.find(c.stopOn) != std::string::npos) receiver.m_state->RequestStop();
    };
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(), c.report);
    EXPECT_EQ(receiver.m_end, c.end);
    EXPECT_EQ(receiver.m_doneCount, 1);
    EXPECT_EQ(files.OpenListings(), 0);
    EXPECT_EQ(files.OpenFiles(), 0);
}

const StopCase kStopCases[] = {
    // The pair in hand is finished; nothing later in that folder or above it starts.
    {"BetweenFiles", StopTree, "FILENAME deep\\er\\c", kStopTreeUpToC, RunEnd::kStopped},
    {"DuringTheLastPair", StopTree, "FILENAME f",
     [] {
         FakeFileServices f;
         StopTree(f);
         RecordingReceiver whole("C:\\one", "D:\\two");
         whole.Run(f);
         return whole.Report();
     }(),
     RunEnd::kComplete},
    // A long pair ends at its next block: the lines of the blocks read so far stay.
    {"InsideALongPair",
     [](FakeFileServices& f) {
         std::string b(3 * kBlock, 'a');
         b[0] = b[kBlock] = b[2 * kBlock] = 'b';
         f.AddFile("C:\\one\\big", std::string(3 * kBlock, 'a'));
         f.AddFile("D:\\two\\big", b);
         f.AddFile("C:\\one\\z", "1");
     },
     "00000000 : 61 62", "FILENAME big\r\n00000000 : 61 62\r\n", RunEnd::kStopped},
    // A link back up the tree is never compared, so it is not left uncompared either.
    {"BeforeALinkBackUp",
     [](FakeFileServices& f) {
         f.AddFile("C:\\one\\a", "1");
         f.AddFolderLink("C:\\one\\loop", "C:\\one");
         f.AddFolder("D:\\two");
     },
     "FILENAME a", "FILENAME a\r\na" + kNotExist, RunEnd::kComplete},
    // A folder still to be listed is something left.
    {"BeforeAnEmptyFolder",
     [](FakeFileServices& f) {
         f.AddFile("C:\\one\\a", "1");
         f.AddFolder("C:\\one\\empty");
         f.AddFolder("D:\\two");
     },
     "FILENAME a", "FILENAME a\r\na" + kNotExist, RunEnd::kStopped},
};

INSTANTIATE_TEST_SUITE_P(Engine, FolderWalkStop, ::testing::ValuesIn(kStopCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(FolderWalkStopFirst, StopBeforeTheFirstListingComparesNothing) {
    FakeFileServices files;
    StopTree(files);
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_state.emplace(DecideRunStart("C:\\one", files));
    receiver.m_state->RequestStop();
    receiver.RunWorker(files);
    EXPECT_TRUE(receiver.m_pieces.empty());
    EXPECT_EQ(receiver.m_end, RunEnd::kStopped);
    EXPECT_EQ(receiver.m_doneCount, 1);
    EXPECT_EQ(files.OpenListings(), 0);
}

}  // namespace
}  // namespace sorowa::testing
