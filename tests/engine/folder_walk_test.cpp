// Folder mode: the walk over the first folder, the blocks it produces, and Stop.
#include <gtest/gtest.h>

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
    f.AddFile("C:\\one\\sub\\b.txt", "b");         // D:\two\sub is missing
    f.AddFile("C:\\one\\.profile", "same", 0x22);  // hidden, and a dot name
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
    // D:\ trims to D:, and 表 (95 5C) ends a folder name without being trimmed.
    files.AddFile("D:\\\x95\x5c\\x", "1");
    files.AddFile("E:\\\x95\x5c\\x", "2");
    files.AddFile("D:\\y", "1");
    RecordingReceiver receiver("D:\\", "E:\\");
    receiver.Run(files);
    EXPECT_EQ(receiver.Report(),
              "FILENAME \x95\x5c\\x\r\n00000000 : 31 32\r\n"
              "\r\nFILENAME y\r\ny" +
                  kNotExist);

    RecordingReceiver inner("C:\\\x95\x5c", "E:\\\x95\x5c");
    files.AddFile("C:\\\x95\x5c\\x", "1");
    inner.Run(files);
    EXPECT_EQ(inner.Report(), "FILENAME x\r\n00000000 : 31 32\r\n");
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

TEST(FolderWalkStop, StopLandsBetweenFiles) {
    FakeFileServices files;
    StopTree(files);
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_onPiece = [&](const std::string& piece) {
        if (piece.find("FILENAME deep\\er\\c") != std::string::npos)
            receiver.m_state->RequestStop();
    };
    receiver.Run(files);
    // The pair in hand is finished; nothing later in that folder or above it starts.
    EXPECT_EQ(receiver.Report(),
              "FILENAME a\r\na" + kNotExist + "\r\nFILENAME deep\\er\\b\r\ndeep\\er\\b" +
                  kNotExist +
                  "\r\nFILENAME deep\\er\\c\r\n"
                  "00000000 : 78 61\r\n00000001 : 79 62\r\n00000002 : 7A 63\r\n");
    EXPECT_EQ(receiver.m_doneCount, 1);
    EXPECT_EQ(files.OpenListings(), 0);
}

TEST(FolderWalkStop, StopBeforeTheFirstListingComparesNothing) {
    FakeFileServices files;
    StopTree(files);
    RecordingReceiver receiver("C:\\one", "D:\\two");
    receiver.m_state.emplace(DecideRunStart("C:\\one", files));
    receiver.m_state->RequestStop();
    receiver.RunWorker(files);
    EXPECT_TRUE(receiver.m_pieces.empty());
    EXPECT_EQ(receiver.m_doneCount, 1);
    EXPECT_EQ(files.OpenListings(), 0);
}

}  // namespace
}  // namespace sorowa::testing
