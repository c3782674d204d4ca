// The result sink without a window: a recording box in place of the dialog, a clock of the
// test's own, and real result files in a folder of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/literal_path.h"
#include "platform/narrow_text.h"
#include "ui/texts.h"
#include "tests/windows/temp_folder.h"
#include "ui/result_box.h"
#include "ui/result_file_name.h"
#include "ui/result_sink.h"

namespace sorowa::testing {
namespace {

const std::string kAllEqual = text::kAllEqual;
const std::string kStopped = text::kStopped;
const std::string kCannotCreate = text::kCannotCreateResult;

class RecordingBox : public ResultBox {
public:
    std::string BoxText() override { return text; }
    void SetBoxText(const std::string& newText) override { text = newText; }
    void AppendToBox(const std::string& more) override {
        text += more;
        ++appends;
        if (onAppend) onAppend();
    }
    std::string FirstPathText() override { return firstPath; }
    bool StartFlushTimer(unsigned ms) override {
        timerMs = ms;
        ++timersStarted;
        return true;
    }
    void StopFlushTimer() override { timerMs = 0; }

    std::string text;
    std::string firstPath;
    int appends = 0;
    std::function<void()> onAppend;
    unsigned timerMs = 0;  // 0: no timer running
    int timersStarted = 0;
};

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        char saved[MAX_PATH];
        const DWORD n = GetEnvironmentVariableA(name, saved, MAX_PATH);
        m_hadValue = n > 0 && n < MAX_PATH;
        if (m_hadValue) m_saved = saved;
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() {
        SetEnvironmentVariableA(m_name, m_hadValue ? m_saved.c_str() : nullptr);
    }

private:
    const char* m_name;
    bool m_hadValue = false;
    std::string m_saved;
};

// Hands `pieces` over together, as the run does.
bool TakeTogether(ResultSink& sink, const std::vector<std::string>& pieces) {
    std::string handOver;
    for (const std::string& piece : pieces) handOver.append(piece.c_str(), piece.size() + 1);
    return sink.TakePieces(handOver.data(), handOver.size());
}

bool Take(ResultSink& sink, const std::string& piece) { return TakeTogether(sink, {piece}); }

std::string Notice(const std::string& name) {
    return std::string(text::kOverflowNotice1) + name + text::kOverflowNotice2;
}

TEST(ResultSink, EndOfRunSaysHowTheRunEndedWhereverTheReportWent) {
    const std::string shown = "FILENAME a\r\n00000000 : 61 62\r\n";
    const std::string beyond(ResultSink::kDisplayBudget, 'z');
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        bool canCreate;  // a result file can be made
        RunEnd end;
        std::string box;   // empty: the overflow notice
        std::string file;  // empty: no result file
    };
    const Case cases[] = {
        {"nothing, finished", {}, true, RunEnd::kComplete, kAllEqual, ""},
        {"nothing, stopped", {}, true, RunEnd::kStopped, kStopped, ""},
        {"box, finished", {shown}, true, RunEnd::kComplete, shown, ""},
        {"box, stopped", {shown}, true, RunEnd::kStopped, shown + "\r\n" + kStopped, ""},
        {"file, finished", {shown, beyond}, true, RunEnd::kComplete, "", shown + beyond},
        {"file, stopped",
         {shown, beyond},
         true,
         RunEnd::kStopped,
         "",
         shown + beyond + "\r\n" + kStopped + "\r\n"},
        {"file of one piece, stopped",
         {beyond + "y"},
         true,
         RunEnd::kStopped,
         "",
         beyond + "y\r\n" + kStopped + "\r\n"},
        // No file: what the box showed stays, the notice after it; later pieces are lost.
        {"no file, finished",
         {shown, beyond, "later\r\n"},
         false,
         RunEnd::kComplete,
         shown + "\r\n" + kCannotCreate,
         ""},
        {"no file, stopped",
         {shown, beyond},
         false,
         RunEnd::kStopped,
         shown + "\r\n" + kCannotCreate + "\r\n" + kStopped,
         ""},
        {"no file, nothing shown", {beyond + "y"}, false, RunEnd::kComplete, kCannotCreate, ""},
    };
    // Each case's pieces handed over one at a time, and all in one hand-over: the sink
    // decides piece by piece either way.
    for (const bool together : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(together ? "in one hand-over" : "one by one");
            TempFolder tmp;
            ScopedEnvironment temp("TMP", tmp / "no-temporary-folder");
            RecordingBox box;
            box.firstPath = c.canCreate ? tmp / "data.bin" : tmp / "missing\\data.bin";
            ResultSink sink(box);
            sink.BeginRun();
            if (together) {
                if (!c.pieces.empty()) TakeTogether(sink, c.pieces);
            } else {
                for (const std::string& piece : c.pieces) Take(sink, piece);
            }
            const std::string opened = NarrowText(sink.EndRun(c.end));

            const std::string name = tmp / "Result.txt";
            if (c.file.empty()) {
                EXPECT_EQ(box.text, c.box) << c.name;
                EXPECT_EQ(opened, "") << c.name;
                EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
            } else {
                EXPECT_EQ(box.text, Notice(name)) << c.name;
                EXPECT_EQ(opened, name) << c.name;
                EXPECT_TRUE(ReadWholeFile(name) == c.file) << c.name;
            }
        }
    }
}

TEST(ResultFileName, TheResultFolderIsWhereTheRunWent) {
    struct Case {
        const char* path1;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\data\\old\\", "C:\\data\\"},
        {"C:\\data\\x.bin", "C:\\data\\"},
        {"C:\\", "C:\\"},
        {"\\", "\\"},
        {"x.bin", ""},
        // Drive-relative: "C:" is walked as the root of C:; "C:x.bin" lies in C:'s current
        // folder, which a name behind "C:" reaches.
        {"C:", "C:\\"},
        {"C:x.bin", "C:"},
        {"C:sub\\x.bin", "C:sub\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(ResultFolderOf(c.path1), c.folder) << c.path1;
}

TEST(ResultSink, ANameTakenAfterTheCheckIsNeverOverwritten) {
    // The check finds every name free, as it would have a moment before these were made.
    TempFolder tmp;
    tmp.Write("Result.txt", "made by someone else");
    tmp.MakeFolder("Result1.txt");
    RecordingBox box;
    box.firstPath = tmp / "data.bin";
    ResultSink sink(box, ResultSink::SystemTicks, [](const std::string&) { return false; });
    sink.BeginRun();
    const std::string piece(ResultSink::kDisplayBudget + 1, 'q');
    EXPECT_TRUE(Take(sink, piece));
    const std::string name = tmp / "Result2.txt";
    EXPECT_EQ(box.text, Notice(name));
    EXPECT_EQ(NarrowText(sink.EndRun(RunEnd::kComplete)), name);
    EXPECT_TRUE(ReadWholeFile(name) == piece);
    EXPECT_EQ(ReadWholeFile(tmp / "Result.txt"), "made by someone else");
}

// Reads a whole file through its literal path, which reaches any name and length.
std::string ReadLiteral(const std::string& path) {
    const HANDLE file = CreateFileW(LiteralPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

TEST(ResultSink, TheResultFileGoesBesideFirstPathsOnlyTheLiteralFormReaches) {
    // A first folder past MAX_PATH, and first folders whose names end in a dot or a space,
    // which the ordinary path forms take for "trail": beside them, "trail" holds a Result.txt
    // of someone else's.
    const std::string lng(60, 'L');
    const std::string longFolder = lng + "\\" + lng + "\\" + lng + "\\" + lng + "\\" + lng;
    for (const std::string& folder : {longFolder, std::string("trail."), std::string("trail ")}) {
        TempFolder tmp;
        tmp.Write("trail\\Result.txt", "someone else's");
        std::string made = tmp.Path();
        for (size_t at = 0; at <= folder.size();) {
            const size_t end = std::min(folder.find('\\', at), folder.size());
            made += "\\" + folder.substr(at, end - at);
            ASSERT_TRUE(CreateDirectoryW(LiteralPath(made).c_str(), nullptr)) << made;
            at = end + 1;
        }
        const std::string first = tmp / folder;
        ASSERT_EQ(first, made);
        if (folder == longFolder) {
            EXPECT_GT(first.size(), 260u);
        }

        RecordingBox box;
        box.firstPath = first + "\\data.bin";
        ResultSink sink(box);
        sink.BeginRun();
        const std::string piece(ResultSink::kDisplayBudget + 1, 'q');
        EXPECT_TRUE(Take(sink, piece));
        const std::string name = first + "\\Result.txt";
        EXPECT_EQ(box.text, Notice(name)) << folder;
        EXPECT_EQ(NarrowText(sink.EndRun(RunEnd::kComplete)), name) << folder;
        EXPECT_TRUE(ReadLiteral(name) == piece) << folder;
        EXPECT_EQ(ReadWholeFile(tmp / "trail\\Result.txt"), "someone else's") << folder;
    }
}

TEST(ResultSink, PiecesForTheBoxGoInTogetherAtMostEveryFlushInterval) {
    uint32_t now = 1000;
    RecordingBox box;
    ResultSink sink(box, [&] { return now; });
    sink.BeginRun();
    const auto take = [&](uint32_t at, const char* piece) {
        now = at;
        EXPECT_FALSE(Take(sink, piece));
    };

    take(1000, "a");  // long after the last insertion: in at once
    EXPECT_EQ(box.text, "a");
    take(1010, "b");  // too soon: waits, with a timer for when the pieces pause
    take(1040, "c");
    EXPECT_EQ(box.text, "a");
    EXPECT_EQ(box.timerMs, ResultSink::kFlushMs);
    EXPECT_EQ(box.timersStarted, 1);
    now = 1060;
    sink.OnFlushTimer();  // the pause: both in, in one insertion
    EXPECT_EQ(box.text, "abc");
    EXPECT_EQ(box.appends, 2);
    EXPECT_EQ(box.timerMs, 0u);
    take(1080, "d");  // counted from the end of the last insertion
    EXPECT_EQ(box.text, "abc");
    take(1110, "e");
    EXPECT_EQ(box.text, "abcde");
    take(1120, "f");
    EXPECT_EQ(NarrowText(sink.EndRun(RunEnd::kComplete)), "");  // the end puts in what waits
    EXPECT_EQ(box.text, "abcdef");
    EXPECT_EQ(box.timerMs, 0u);
    EXPECT_EQ(sink.Shown(), 6u);
}

TEST(ResultSink, AHandOverThatGoesPastTheBudgetPutsNothingMoreIntoTheBox) {
    // The box is about to give way to the notice: what waits for it goes to the file only.
    TempFolder tmp;
    RecordingBox box;
    box.firstPath = tmp / "data.bin";
    ResultSink sink(box, [] { return 1000u; });
    sink.BeginRun();
    const std::string beyond(ResultSink::kDisplayBudget, 'z');
    EXPECT_TRUE(TakeTogether(sink, {"a\r\n", "b\r\n", beyond, "c\r\n"}));
    EXPECT_EQ(box.appends, 1);  // "a", in at once
    const std::string name = tmp / "Result.txt";
    EXPECT_EQ(box.text, Notice(name));
    EXPECT_EQ(NarrowText(sink.EndRun(RunEnd::kComplete)), name);
    EXPECT_TRUE(ReadWholeFile(name) == "a\r\nb\r\n" + beyond + "c\r\n");
}

TEST(ResultSink, InsertionsThatTakeLongAreSpacedToATenthOfTheTime) {
    uint32_t now = 1000;
    RecordingBox box;
    ResultSink sink(box, [&] { return now; });
    sink.BeginRun();
    box.onAppend = [&] { now += 20; };  // each insertion takes 20 ms
    const auto take = [&](uint32_t at, const char* piece) {
        now = at;
        Take(sink, piece);
    };

    take(1000, "a");  // in at once, done at 1020: the next waits 9 x 20 ms
    EXPECT_EQ(box.text, "a");
    take(1100, "b");
    EXPECT_EQ(box.timerMs, 180u);
    take(1199, "c");
    EXPECT_EQ(box.text, "a");
    take(1200, "d");
    EXPECT_EQ(box.text, "abcd");

    // A new run begins with an empty box, and with the shortest interval again.
    sink.BeginRun();
    box.onAppend = nullptr;
    take(2000, "e");
    take(2010, "f");
    EXPECT_EQ(box.timerMs, ResultSink::kFlushMs);
}

}  // namespace
}  // namespace sorowa::testing
