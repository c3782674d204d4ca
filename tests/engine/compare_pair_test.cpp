// One pair of files, file mode: every outcome of the pair comparison, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "engine/compare_pair.h"
#include "engine/texts.h"
#include "tests/engine/fake_file_services.h"
#include "tests/engine/recording_receiver.h"

namespace sorowa::testing {
namespace {

std::string Bytes(size_t n, char fill = 'x') { return std::string(n, fill); }
std::string WithByte(std::string s, size_t at, char c) {
    s[at] = c;
    return s;
}

constexpr size_t kBlock = kBlockSize;
const std::string kNotExist = text::kDoesNotExist;
const std::string kCannotOpen = text::kCannotOpen;
const std::string kSizes = text::kSizesDiffer;
const std::string kCannotRead = text::kCannotRead;

struct PairCase {
    const char* name;
    std::function<void(FakeFileServices&)> fixture;
    std::string path1;
    std::string path2;
    std::vector<std::string> pieces;
};

class FilePair : public ::testing::TestWithParam<PairCase> {};

TEST_P(FilePair, ReportsThePairAsOnePieceOrHeaderAndLines) {
    const PairCase& c = GetParam();
    FakeFileServices files;
    c.fixture(files);
    RecordingReceiver receiver(c.path1, c.path2);
    receiver.Run(files);
    EXPECT_EQ(receiver.m_pieces, c.pieces);
    EXPECT_EQ(receiver.m_doneCount, 1);
    EXPECT_EQ(files.OpenFiles(), 0);
}

const PairCase kPairCases[] = {
    {"IdenticalFiles",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "same");
         f.AddFile("D:\\b\\x.bin", "same");
     },
     "C:\\a\\x.bin",
     "D:\\b\\x.bin",
     {}},
    {"EmptyFiles",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "");
         f.AddFile("D:\\b\\x.bin", "");
     },
     "C:\\a\\x.bin",
     "D:\\b\\x.bin",
     {}},
    {"LastByteOfOneBlock",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", WithByte(Bytes(4096), 4095, '\x01'));
         f.AddFile("D:\\b\\x.bin", WithByte(Bytes(4096), 4095, '\x02'));
     },
     "C:\\a\\x.bin",
     "D:\\b\\x.bin",
     {"FILENAME x.bin\r\n", "00000FFF : 01 02\r\n"}},
    {"FirstByteOfTheSecondBlock",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", WithByte(Bytes(4097), 4096, '\xFE'));
         f.AddFile("D:\\b\\x.bin", WithByte(Bytes(4097), 4096, '\x00'));
     },
     "C:\\a\\x.bin",
     "D:\\b\\x.bin",
     {"FILENAME x.bin\r\n", "00001000 : FE 00\r\n"}},
    {"HeaderOnceThenOneLinePerByte",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x",
                   "\x3C\x3C"
                   "abcdefghij");
         f.AddFile("D:\\x",
                   "\x3E\x0A"
                   "abcdefghi\x0A");
     },
     "C:\\a\\x",
     "D:\\x",
     {"FILENAME x\r\n", "00000000 : 3C 3E\r\n", "00000001 : 3C 0A\r\n", "0000000B : 6A 0A\r\n"}},
    {"SizesDiffer",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "abc");
         f.AddFile("D:\\x.bin", "abcd");
     },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n" + kSizes}},
    {"CounterpartMissing",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "abc");
         f.AddFolder("D:\\b");
     },
     "C:\\a\\x.bin",
     "D:\\b\\y.bin",
     {"FILENAME x.bin\r\nx.bin" + kNotExist}},
    {"FirstMissing",
     [](FakeFileServices& f) { f.AddFile("D:\\x.bin", "abc"); },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n" + kCannotOpen}},
    {"SameFileOnBothSides",
     [](FakeFileServices& f) { f.AddFile("C:\\a\\x.bin", "abc"); },
     "C:\\a\\x.bin",
     "C:\\a\\x.bin",
     {"FILENAME x.bin\r\n" + kCannotOpen}},
    {"CounterpartIsAFolder",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "abc");
         f.AddFolder("D:\\b\\x.bin");
     },
     "C:\\a\\x.bin",
     "D:\\b",
     {"FILENAME x.bin\r\n" + kCannotOpen}},
    {"SecondPathNamesAFolder",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "abc");
         f.AddFile("D:\\b\\x.bin", "abd");
     },
     "C:\\a\\x.bin",
     "D:\\b",
     {"FILENAME x.bin\r\n", "00000002 : 63 64\r\n"}},
    {"BareFirstNameJoinsTheSecondFolderWithASeparator",
     [](FakeFileServices& f) {
         f.AddFile("x.bin", "abc");
         f.AddFile("D:\\b\\x.bin", "abd");
     },
     "x.bin",
     "D:\\b",
     {"FILENAME x.bin\r\n", "00000002 : 63 64\r\n"}},
    {"BareFirstNameMissingUnderTheSecondFolder",
     [](FakeFileServices& f) {
         f.AddFile("x.bin", "abc");
         f.AddFolder("D:\\b");
     },
     "x.bin",
     "D:\\b",
     {"FILENAME x.bin\r\nx.bin" + kNotExist}},
    {"NameShownInTheCodePageWithASecondByteThatLooksLikeASeparator",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\\xE8\xA1\xA8.bin", "1");
         f.AddFile("D:\\\xE8\xA1\xA8.bin", "2");
     },
     "C:\\a\\\xE8\xA1\xA8.bin",
     "D:\\",
     {"FILENAME \x95\x5c.bin\r\n", "00000000 : 31 32\r\n"}},
    // Characters the code page lacks are one `?` each, in the header and the missing line.
    {"NameOutsideTheCodePageIsComparedAndShownWithQuestionMarks",
     [](FakeFileServices& f) {
         f.AddFile(
             "C:\\a\\\xC3\xBC"
             "ber \xF0\x9F\x98\x80.txt",
             "1");
     },
     "C:\\a\\\xC3\xBC"
     "ber \xF0\x9F\x98\x80.txt",
     "D:\\",
     {"FILENAME ?ber ?.txt\r\n?ber ?.txt" + kNotExist}},
    {"ReadFailsAfterOpening",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", Bytes(5000, 'a'));
         f.AddFile("D:\\x.bin", Bytes(5000, 'a'));
         f.FailReadAt("D:\\x.bin", 4096);
     },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n" + kCannotRead}},
    {"ShortReadIsNotCompared",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", WithByte(Bytes(100, 'a'), 0, 'b'));
         f.AddFile("D:\\x.bin", Bytes(100, 'a'));
         f.FailReadAt("C:\\a\\x.bin", 50, true);
     },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n" + kCannotRead}},
    {"ReadFailsAfterDifferencesWereSent",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", WithByte(Bytes(kBlock + 904, 'a'), 1, 'b'));
         f.AddFile("D:\\x.bin", Bytes(kBlock + 904, 'a'));
         f.FailReadAt("C:\\a\\x.bin", kBlock);
     },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n", "00000001 : 62 61\r\n", kCannotRead}},
    {"LengthCannotBeTaken",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "abc");
         f.AddFile("D:\\x.bin", "abc");
         f.FailLength("D:\\x.bin");
     },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n" + kCannotRead}},
    {"FourGibibytesAndOneByteAgainstOneByte",
     [](FakeFileServices& f) {
         f.AddFile("C:\\a\\x.bin", "a");
         f.SetLength("C:\\a\\x.bin", 0x100000001ull);
         f.AddFile("D:\\x.bin", "a");
     },
     "C:\\a\\x.bin",
     "D:\\x.bin",
     {"FILENAME x.bin\r\n" + kSizes}},
};

INSTANTIATE_TEST_SUITE_P(Engine, FilePair, ::testing::ValuesIn(kPairCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(FilePairPaths, SecondFolderEndingInASeparatorIsJoinedAsIs) {
    FakeFileServices files;
    files.AddFile("C:\\a\\x.bin", "abc");
    files.AddFile("D:\\x.bin", "abc");
    RecordingReceiver receiver("C:\\a\\x.bin", "D:\\");
    receiver.Run(files);
    EXPECT_TRUE(receiver.m_pieces.empty());
    EXPECT_EQ(files.Opened(), (std::vector<std::string>{"C:\\a\\x.bin", "D:\\\\x.bin"}));
}

TEST(FilePairPaths, SecondFileIsNotOpenedWhenTheFirstCannotBe) {
    FakeFileServices files;
    files.AddFile("C:\\a\\x.bin", "abc");
    files.AddFile("D:\\x.bin", "abc");
    files.FailOpen("C:\\a\\x.bin");
    RecordingReceiver receiver("C:\\a\\x.bin", "D:\\x.bin");
    receiver.Run(files);
    EXPECT_EQ(files.Opened(), std::vector<std::string>{"C:\\a\\x.bin"});
}

TEST(FilePairBlocks, DifferencesAtEveryBoundaryKeepTheirOffsets) {
    // Both sides of the scan stretches inside a block and of the blocks themselves.
    const size_t offsets[] = {0, 4095, 4096, kBlock - 1, kBlock, kBlock + 1, 2 * kBlock};
    std::string a = Bytes(2 * kBlock + 1, 'a');
    std::string b = a;
    std::vector<std::string> expected = {"FILENAME x\r\n"};
    for (size_t at : offsets) {
        b[at] = 'b';
        char line[32];
        std::snprintf(line, sizeof line, "%.8X : 61 62\r\n", static_cast<unsigned>(at));
        expected.emplace_back(line);
    }
    FakeFileServices files;
    files.AddFile("C:\\x", a);
    files.AddFile("D:\\x", b);
    RecordingReceiver receiver("C:\\x", "D:\\x");
    receiver.Run(files);
    EXPECT_EQ(receiver.m_pieces, expected);
    // Lines shown one by one never wait for the next block's read.
    EXPECT_EQ(receiver.m_handOvers, (std::vector<size_t>{5, 7, 8}));
}

TEST(FilePairBlocks, PiecesTravelInFewHandOversAndAreJoinedOnceTheReceiverSaysSo) {
    // More difference lines in one block than one hand-over holds.
    const size_t many = ReportHandOver::kHandOverSize / 19 + 30000;
    FakeFileServices files;
    files.AddFile("C:\\one\\a", Bytes(many, 'a'));
    files.AddFile("D:\\two\\a", Bytes(many, 'b'));
    files.AddFile("C:\\one\\b", "1");
    files.AddFile("C:\\one\\c", Bytes(300, 'a'));
    files.AddFile("D:\\two\\c", Bytes(300, 'c'));
    RecordingReceiver pieceByPiece("C:\\one", "D:\\two");
    pieceByPiece.Run(files);
    RecordingReceiver joining("C:\\one", "D:\\two");
    joining.m_joinFrom = 10;
    joining.Run(files);

    // The pieces of the first pair fill two hand-overs; each later pair takes one.
    EXPECT_EQ(pieceByPiece.m_pieces.size(), 1u + many + 1u + 1u + 300u);
    EXPECT_EQ(pieceByPiece.m_handOvers.size(), 4u);

    EXPECT_EQ(joining.Report(), pieceByPiece.Report());
    // Up to the end of the hand-over that brought the receiver's word, piece by piece;
    // after it, joined pieces that never run past the end of a pair.
    const size_t word = joining.m_handOvers.front();
    ASSERT_GT(joining.m_pieces.size(), word);
    EXPECT_TRUE(std::equal(joining.m_pieces.begin(), joining.m_pieces.begin() + word,
                           pieceByPiece.m_pieces.begin()));
    EXPECT_LT(joining.m_pieces.size(), word + 10);
    for (size_t i = word; i < joining.m_pieces.size(); ++i) {
        const std::string& block = joining.m_pieces[i];
        // A pair's block may open with its header, after the empty line.
        EXPECT_EQ(block.find("FILENAME", 3), std::string::npos) << "a block spans two pairs";
    }
}

// Stop in file mode, on a pair of three blocks that differ in the first byte of each.
TEST(FilePairStop, StopEndsThePairAtTheNextBlock) {
    const std::vector<std::string> all = {"FILENAME x\r\n", "00000000 : 61 62\r\n",
                                          "00100000 : 61 62\r\n", "00200000 : 61 62\r\n"};
    struct Case {
        size_t stopAfter;  // pieces received when Stop is pressed; 0: before the worker starts
        size_t pieces;     // pieces of `all` the report keeps
        RunEnd end;
    };
    // The block in hand is finished; no later block is read. A Stop during the last block
    // leaves nothing uncompared.
    const Case cases[] = {
        {0, 0, RunEnd::kStopped}, {1, 2, RunEnd::kStopped},  {2, 2, RunEnd::kStopped},
        {3, 3, RunEnd::kStopped}, {4, 4, RunEnd::kComplete},
    };
    for (const Case& c : cases) {
        FakeFileServices files;
        std::string b = Bytes(3 * kBlock, 'a');
        b[0] = b[kBlock] = b[2 * kBlock] = 'b';
        files.AddFile("C:\\x", Bytes(3 * kBlock, 'a'));
        files.AddFile("D:\\x", b);
        RecordingReceiver receiver("C:\\x", "D:\\x");
        receiver.m_state.emplace(DecideRunStart("C:\\x", files));
        if (c.stopAfter == 0) receiver.m_state->RequestStop();
        receiver.m_onPiece = [&](const std::string&) {
            if (receiver.m_pieces.size() == c.stopAfter) receiver.m_state->RequestStop();
        };
        receiver.RunWorker(files);
        EXPECT_EQ(
            receiver.m_pieces,
            std::vector<std::string>(all.begin(), all.begin() + static_cast<ptrdiff_t>(c.pieces)))
            << c.stopAfter;
        EXPECT_EQ(receiver.m_end, c.end) << c.stopAfter;
        EXPECT_EQ(receiver.m_doneCount, 1);
        EXPECT_EQ(files.OpenFiles(), 0);
    }

    // A pair of one block is compared whole, and nothing is left.
    FakeFileServices files;
    files.AddFile("C:\\x", "aaaa");
    files.AddFile("D:\\x", "bbbb");
    RecordingReceiver receiver("C:\\x", "D:\\x");
    receiver.m_onPiece = [&](const std::string&) { receiver.m_state->RequestStop(); };
    receiver.Run(files);
    EXPECT_EQ(receiver.m_pieces.size(), 5u);
    EXPECT_EQ(receiver.m_end, RunEnd::kComplete);
}

}  // namespace
}  // namespace sorowa::testing
