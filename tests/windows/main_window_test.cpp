// The real main window, created from its template and driven through window messages while
// its modal loop runs: Start and Stop, the result box and the result file, end of run.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <stdlib.h>
#include <vector>

#include "engine/compare_pair.h"
#include "ui/window_run.h"
#include "engine/texts.h"
#include "platform/narrow_text.h"
#include "res/resource.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/held_file_services.h"
#include "tests/windows/process_objects.h"
#include "tests/windows/temp_folder.h"
#include "ui/compare_dlg.h"
#include "ui/shell_names.h"
#include "ui/texts.h"

namespace sorowa::testing {
namespace {

const std::string kAllEqual = text::kAllEqual;
const std::string kNotExist = text::kDoesNotExist;
const std::string kSizes = text::kSizesDiffer;
const std::string kStopped = text::kStopped;

class MainWindow : public ::testing::Test {
protected:
    // Runs the window once on both paths; then `check` looks at the finished window.
    void RunOnce(const std::string& path1, const std::string& path2,
                 const std::function<void(HWND)>& check) {
        CCompareDlg dlg;
        RunMainWindowOnce(dlg, path1, path2, check);
    }

    TempFolder m_tmp;
    // What the program asked the shell to open.
    ShellOpenRecorder m_opened;
};

// A pair whose report is a header for `name` and one 18-byte line per differing byte.
void WriteDifferingPair(const TempFolder& tmp, const std::string& name, size_t differences) {
    tmp.Write("one\\" + name, std::string(differences, 'a'));
    tmp.Write("two\\" + name, std::string(differences, 'b'));
}

// The lines of `differences` bytes that differ from offset `from` on.
std::string ExpectedLines(size_t differences, const char* bytes = "61 62", size_t from = 0) {
    std::string lines;
    char line[32];
    for (size_t i = from; i < from + differences; ++i) {
        std::snprintf(line, sizeof line, "%.8X : %s\r\n", static_cast<unsigned>(i), bytes);
        lines += line;
    }
    return lines;
}

std::string Notice(const std::string& name) {
    return std::string(text::kOverflowNotice1) + name + text::kOverflowNotice2;
}

// The main window with file services whose opens and reads the test can hold.
class HeldMainWindow : public CCompareDlg {
public:
    explicit HeldMainWindow(std::shared_ptr<CallHold> hold) : m_hold(std::move(hold)) {}

protected:
    std::unique_ptr<FileServices> MakeFileServices() override {
        return std::make_unique<HeldFileServices>(m_hold);
    }

private:
    const std::shared_ptr<CallHold> m_hold;
};

// A pair of three read blocks whose first `differences` bytes differ (61 against 62). A
// run held in the reads of the second block and stopped there ends before the third.
void WriteThreeBlockPair(const TempFolder& tmp, const std::string& name, size_t differences) {
    const std::string same(3 * kBlockSize, 'a');
    std::string other = same;
    other.replace(0, differences, differences, 'b');
    tmp.Write("one\\" + name, same);
    tmp.Write("two\\" + name, other);
}
// The file calls of such a pair before the reads of its second block: both opens, then the
// first block of each file.
constexpr unsigned kCallsBeforeSecondBlock = 4;

// The window with the keyboard focus on the dialog's thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

// A key press as the keyboard delivers it: to the window with the focus, through the
// dialog's own keyboard handling.
void PressKey(HWND dialog, WPARAM key) {
    const HWND focus = FocusOf(dialog);
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

TEST_F(MainWindow, StartWithAnEmptyFieldChangesNothing) {
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_RESULT, "earlier text");
        for (const auto& [path1, path2] : {std::pair{"", "x"}, std::pair{"x", ""}}) {
            SetItemText(hwnd, IDC_PATH1, path1);
            SetItemText(hwnd, IDC_PATH2, path2);
            Click(hwnd, IDOK);
            Sync(hwnd);
            EXPECT_TRUE(ItemEnabled(hwnd, IDOK));
            EXPECT_FALSE(ItemEnabled(hwnd, IDC_STOP));
            EXPECT_EQ(ItemText(hwnd, IDC_RESULT), "earlier text");
        }
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(MainWindow, FileModeReportInTheBox) {
    m_tmp.Write("a\\\x95\x5c.bin", "abcd");
    m_tmp.Write("b\\\x95\x5c.bin", "abXY");
    RunOnce(m_tmp / "a\\\x95\x5c.bin", m_tmp / "b", [&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT),
                  "FILENAME \x95\x5c.bin\r\n00000002 : 63 58\r\n00000003 : 64 59\r\n");
        EXPECT_TRUE(ItemEnabled(hwnd, IDOK));
        EXPECT_FALSE(ItemEnabled(hwnd, IDC_STOP));
        EXPECT_TRUE(m_opened.Targets().empty());
    });
}

TEST_F(MainWindow, FolderModeReportInTheBox) {
    // One file per folder, so that the platform's listing order cannot matter.
    m_tmp.Write("one\\sub\\deeper\\x.bin", "1");
    m_tmp.Write("two\\sub\\deeper\\x.bin", "2");
    m_tmp.Write("one\\sub\\gone\\y.bin", "1");
    m_tmp.MakeFolder("two\\sub");
    RunOnce(m_tmp / "one\\", m_tmp / "two", [&](HWND hwnd) {
        const std::string box = ItemText(hwnd, IDC_RESULT);
        const std::string x = "FILENAME sub\\deeper\\x.bin\r\n00000000 : 31 32\r\n";
        const std::string y = "FILENAME sub\\gone\\y.bin\r\nsub\\gone\\y.bin" + kNotExist;
        EXPECT_TRUE(box == x + "\r\n" + y || box == y + "\r\n" + x) << box;
    });
}

TEST_F(MainWindow, IdenticalFilesEndWithTheClosingLineAlone) {
    m_tmp.Write("a.bin", "same");
    m_tmp.Write("b.bin", "same");
    RunOnce(m_tmp / "a.bin", m_tmp / "b.bin", [&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), kAllEqual);
        EXPECT_TRUE(m_opened.Targets().empty());
    });
}

TEST_F(MainWindow, ReportOfExactlyTheBudgetStaysInTheBox) {
    // "FILENAME x\r\n" is 12 bytes; 1666 lines of 18 bytes bring the report to 30000.
    WriteDifferingPair(m_tmp, "x", 1666);
    RunOnce(m_tmp / "one\\x", m_tmp / "two\\x", [&](HWND hwnd) {
        const std::string box = ItemText(hwnd, IDC_RESULT);
        EXPECT_EQ(box.size(), 30000u);
        EXPECT_EQ(box, "FILENAME x\r\n" + ExpectedLines(1666));
        EXPECT_TRUE(m_opened.Targets().empty());
        EXPECT_EQ(GetFileAttributesA((m_tmp / "one\\Result.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    });
}

TEST_F(MainWindow, OneByteOverTheBudgetGoesToTheNextFreeResultFile) {
    // "FILENAME xy\r\n" is 13 bytes, so the last line would bring the box to 30001.
    WriteDifferingPair(m_tmp, "xy", 1666);
    m_tmp.MakeFolder("one\\Result.txt");  // a folder takes the name as well as a file
    m_tmp.Write("one\\Result1.txt", "earlier");
    RunOnce(m_tmp / "one\\xy", m_tmp / "two\\xy", [&](HWND hwnd) {
        const std::string name = m_tmp / "one\\Result2.txt";
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice(name));
        EXPECT_EQ(ReadWholeFile(name), "FILENAME xy\r\n" + ExpectedLines(1666));
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{name});
        EXPECT_EQ(ReadWholeFile(m_tmp / "one\\Result1.txt"), "earlier");
    });
}

TEST_F(MainWindow, RelativeFirstPathNamesTheFileAsBuiltAndOpensItsAbsolutePath) {
    WriteDifferingPair(m_tmp, "r.bin", 2000);
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(m_tmp.Path().c_str());
    RunOnce("one\\r.bin", "two\\r.bin", [&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice("one\\Result.txt"));
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{m_tmp / "one\\Result.txt"});
    });
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(ReadWholeFile(m_tmp / "one\\Result.txt"), "FILENAME r.bin\r\n" + ExpectedLines(2000));
}

TEST_F(MainWindow, ResultFileFallsBackToTheTemporaryFolder) {
    // A pair of two blocks: 10 differing bytes in the first, shown before the second is read,
    // and 2000 in the second, which go past the budget.
    const size_t block = kBlockSize;
    std::string other(2 * block, 'a');
    other.replace(0, 10, 10, 'b');
    other.replace(block, 2000, 2000, 'b');
    m_tmp.Write("one\\f.bin", std::string(2 * block, 'a'));
    m_tmp.Write("two\\f.bin", other);
    const std::string shown = "FILENAME f.bin\r\n" + ExpectedLines(10);
    m_tmp.MakeFolder("temp");
    char savedTmp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", savedTmp, MAX_PATH);
    SetEnvironmentVariableA("TMP", (m_tmp / "temp").c_str());

    // Path 1 changes while the run is held in the second block's reads, to a folder that does
    // not exist: the overflow follows the field as it reads then, and no file can be made there.
    const auto runWithPath1ChangedToAMissingFolder = [&](const std::function<void(HWND)>& check) {
        auto hold = std::make_shared<CallHold>(kCallsBeforeSecondBlock);
        HeldMainWindow dlg(hold);
        RunDialog(dlg, [&](HWND hwnd) {
            SetItemText(hwnd, IDC_PATH1, m_tmp / "one\\f.bin");
            SetItemText(hwnd, IDC_PATH2, m_tmp / "two\\f.bin");
            Click(hwnd, IDOK);
            EXPECT_TRUE(hold->WaitUntilHeld());
            EXPECT_TRUE(WaitFor([&] { return ItemText(hwnd, IDC_RESULT) == shown; }));
            SetItemText(hwnd, IDC_PATH1, m_tmp / "missing\\f.bin");
            hold->Release();
            EXPECT_TRUE(WaitForEndOfRun(hwnd));
            check(hwnd);
            PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    };
    const std::string name = m_tmp / "temp\\Result.txt";
    runWithPath1ChangedToAMissingFolder([&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice(name));
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{name});
    });

    // With no folder to write to at all, the box says so after what it shows, and the run
    // ends normally.
    m_opened.Clear();
    SetEnvironmentVariableA("TMP", (m_tmp / "no-such-folder").c_str());
    runWithPath1ChangedToAMissingFolder([&](HWND hwnd) {
        // What the box showed stays, the last line that fitted the budget included.
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT),
                  shown + ExpectedLines(1655, "61 62", block) + "\r\n" + text::kCannotCreateResult);
        EXPECT_TRUE(m_opened.Targets().empty());
    });
    SetEnvironmentVariableA("TMP", savedTmp[0] ? savedTmp : nullptr);
    EXPECT_EQ(ReadWholeFile(name), shown + ExpectedLines(2000, "61 62", block));
}

TEST_F(MainWindow, ReportFarPastTheOverflowIsWrittenWholeAcrossBlocks) {
    // Every seventh byte differs, and so does each byte on both sides of the 1 MiB read
    // blocks: some 300,000 lines, all of them past the overflow but the first 1,700 or so.
    const size_t size = (2 << 20) + 5;
    std::string a(size, '\x10');
    std::string b = a;
    std::string expected = "FILENAME big.bin\r\n";
    for (size_t i = 0; i < size; ++i) {
        const size_t block = i % (1 << 20);
        if (i % 7 != 0 && block != 0 && block != (1 << 20) - 1) continue;
        b[i] = static_cast<char>(i & 0xFF);
        if (b[i] == a[i]) continue;
        char line[32];
        std::snprintf(line, sizeof line, "%.8X : 10 %.2X\r\n", static_cast<unsigned>(i),
                      static_cast<unsigned>(i & 0xFF));
        expected += line;
    }
    m_tmp.Write("one\\big.bin", a);
    m_tmp.Write("two\\big.bin", b);
    RunOnce(m_tmp / "one\\big.bin", m_tmp / "two", [&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice(m_tmp / "one\\Result.txt"));
    });
    const std::string written = ReadWholeFile(m_tmp / "one\\Result.txt");
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

TEST_F(MainWindow, AHundredRunsInOneWindowLeakNoHandles) {
    ASSERT_TRUE(CanCountGdiObjects()) << "this process's GDI handle table cannot be found";
    m_tmp.Write("one\\a.bin", "abc");
    m_tmp.Write("two\\a.bin", "abd");
    WriteDifferingPair(m_tmp, "wide.bin", 2000);  // overflows: a result file each time
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        const auto run = [&](const std::string& name) {
            SetItemText(hwnd, IDC_PATH1, m_tmp / ("one\\" + name));
            SetItemText(hwnd, IDC_PATH2, m_tmp / "two");
            Click(hwnd, IDOK);
            EXPECT_TRUE(WaitForEndOfRun(hwnd));
        };
        // Counted once the last run's worker has ended: a worker that has posted its end may
        // still be ending, and holds what its thread holds until it has.
        const size_t idleThreads = ThreadCount();
        const auto count = [&] {
            EXPECT_TRUE(WaitFor([&] { return ThreadCount() == idleThreads; }, 10000))
                << "a worker did not end";
            return CountProcessObjects();
        };
        run("a.bin");
        run("wide.bin");
        const ProcessObjects before = count();
        EXPECT_GT(before.handles.size(), 0u) << "no kernel handle seen: the count sees nothing";
        EXPECT_GT(before.gdiObjects, 0u) << "no GDI object seen: the count sees nothing";
        EXPECT_GT(before.windows, 0u) << "no window seen: the count sees nothing";
        // One more object is one more in its count.
        const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        const ProcessObjects more = CountProcessObjects();
        EXPECT_EQ(more.handles.size(), before.handles.size() + 1) << "an event not seen";
        EXPECT_EQ(more.gdiObjects, before.gdiObjects + 1) << "a brush not seen";
        DeleteObject(brush);
        CloseHandle(event);

        for (int i = 0; i < 100; ++i) run(i % 10 == 0 ? "wide.bin" : "a.bin");
        const ProcessObjects after = count();
        EXPECT_TRUE(after.handles == before.handles) << HandlesChanged(before, after);
        EXPECT_EQ(after.gdiObjects, before.gdiObjects);
        EXPECT_EQ(after.windows, before.windows);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

// The sink on its own: a piece sent as the worker sends it, in a hand-over of its own.
void SendPiece(HWND hwnd, const std::string& piece) {
    SendMessageA(hwnd, WM_COMPARE_OUTPUT, reinterpret_cast<WPARAM>(piece.c_str()),
                 static_cast<LPARAM>(piece.size() + 1));
}

TEST_F(MainWindow, TextTypedIntoTheBoxGoesIntoTheResultFileInItsPlace) {
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_PATH1, m_tmp / "data.bin");
        SendPiece(hwnd, "first\r\n");
        // The user types at the start of the box, where the caret is: 表, which code page 932
        // holds, then 한 and a character beyond the first plane, which it lacks.
        const HWND box = GetDlgItem(hwnd, IDC_RESULT);
        SendMessageW(box, EM_SETSEL, 0, 0);
        SendMessageW(box, EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(L"typed \u8868\uD55C\U0001F600 "));
        SendPiece(hwnd, "second\r\n");
        SendPiece(hwnd, std::string(30000, 'z'));
        SendPiece(hwnd, "after\r\n");
        // Sent, so that the end of run has been handled when it returns: a sync after a
        // posted notice would be handled before it.
        SendMessageA(hwnd, WM_COMPARE_DONE, 0, 0);
        const std::string name = m_tmp / "Result.txt";
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice(name));
        // Each character the code page lacks is one `?`.
        EXPECT_EQ(ReadWholeFile(name),
                  "typed \x95\x5c?? first\r\nsecond\r\n" + std::string(30000, 'z') + "after\r\n");
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(MainWindow, OnePieceLongerThanTheBudgetKeepsTheOverflowNotice) {
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_PATH1, m_tmp / "data.bin");
        SendPiece(hwnd, std::string(30001, 'q'));
        // Sent, so that the end of run has been handled when it returns: a sync after a
        // posted notice would be handled before it.
        SendMessageA(hwnd, WM_COMPARE_DONE, 0, 0);
        const std::string name = m_tmp / "Result.txt";
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice(name));
        EXPECT_EQ(ReadWholeFile(name), std::string(30001, 'q'));  // closed by the end of run
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{name});
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(MainWindow, StopInFolderModeEndsWithWholeBlocksAndTheStopLine) {
    // Pairs of two read blocks that differ in the second. The run is held in the reads of the
    // second pair's second block while Stop is pressed, so that the worker cannot end before
    // the window has been looked at: the second pair is finished and no third one begun.
    const size_t kPairs = 4;
    const std::string big(kBlockSize, 'a');
    for (size_t i = 0; i < kPairs; ++i) {
        m_tmp.Write("one\\f" + std::to_string(i), big + "1");
        m_tmp.Write("two\\f" + std::to_string(i), big + "2");
    }
    // The calls before that: the first pair's two opens and four reads, the second pair's two
    // opens and the two reads of its first block.
    auto hold = std::make_shared<CallHold>(6 + 4);
    HeldMainWindow dlg(hold);
    RunDialog(dlg, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_PATH1, m_tmp / "one");
        SetItemText(hwnd, IDC_PATH2, m_tmp / "two");
        Click(hwnd, IDOK);
        ASSERT_TRUE(hold->WaitUntilHeld());
        EXPECT_TRUE(WaitFor([&] { return !ItemText(hwnd, IDC_RESULT).empty(); }));
        // Stopping: Start stays disabled and Stop enabled until the worker is done, whether
        // Stop is pressed once or again.
        for (int press = 0; press < 2; ++press) {
            Click(hwnd, IDC_STOP);
            EXPECT_FALSE(ItemEnabled(hwnd, IDOK));
            EXPECT_TRUE(ItemEnabled(hwnd, IDC_STOP));
        }
        hold->Release();
        EXPECT_TRUE(WaitForEndOfRun(hwnd));
        EXPECT_FALSE(ItemEnabled(hwnd, IDC_STOP));

        // Two whole blocks in listing order, and the box says that the run was stopped.
        const std::string box = ItemText(hwnd, IDC_RESULT);
        const auto block = [](size_t i) {
            return "FILENAME f" + std::to_string(i) + "\r\n00100000 : 31 32\r\n";
        };
        bool twoBlocks = false;
        for (size_t i = 0; i < kPairs; ++i) {
            for (size_t j = 0; j < kPairs; ++j) {
                twoBlocks |= i != j && box == block(i) + "\r\n" + block(j) + "\r\n" + kStopped;
            }
        }
        EXPECT_TRUE(twoBlocks) << box;
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(MainWindow, WaitCursorOnlyWhileARunIsInProgress) {
    m_tmp.Write("one\\x", "a");
    m_tmp.Write("two\\x", "a");
    // The run is held in its first open, so that it is still in progress when the cursor is
    // asked for.
    auto hold = std::make_shared<CallHold>(0);
    HeldMainWindow dlg(hold);
    RunDialog(dlg, [&](HWND hwnd) {
        // A cursor request with no hit-test code: the default processing leaves it alone.
        EXPECT_EQ(SendMessageA(hwnd, WM_SETCURSOR, 0, 0), FALSE);
        SetItemText(hwnd, IDC_PATH1, m_tmp / "one");
        SetItemText(hwnd, IDC_PATH2, m_tmp / "two");
        Click(hwnd, IDOK);
        EXPECT_EQ(SendMessageA(hwnd, WM_SETCURSOR, 0, 0), TRUE);
        Click(hwnd, IDC_STOP);
        EXPECT_EQ(SendMessageA(hwnd, WM_SETCURSOR, 0, 0), FALSE);
        hold->Release();
        EXPECT_TRUE(WaitForEndOfRun(hwnd));
        // Stopped before any piece: the stop line alone.
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), kStopped);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(MainWindow, AStoppedRunSaysSoWhereverItsReportWent) {
    // The run is held in the reads of the pair's second block and Stop is pressed there (or
    // not), so that the run ends before the third.
    struct Case {
        const char* name;
        size_t differences;
        bool stop;
        std::string box;   // empty: the overflow notice
        std::string file;  // empty: no result file
    };
    const std::string header = "FILENAME x\r\n";
    const Case cases[] = {
        {"nothing shown", 0, true, kStopped, ""},
        {"report in the box", 10, true, header + ExpectedLines(10) + "\r\n" + kStopped, ""},
        {"report in the result file", 2000, true, "",
         header + ExpectedLines(2000) + "\r\n" + kStopped + "\r\n"},
        {"finished, nothing to report", 0, false, kAllEqual, ""},
        {"finished, report in the box", 10, false, header + ExpectedLines(10), ""},
    };
    for (const Case& c : cases) {
        m_opened.Clear();
        TempFolder tmp;
        WriteThreeBlockPair(tmp, "x", c.differences);
        auto hold = std::make_shared<CallHold>(kCallsBeforeSecondBlock);
        HeldMainWindow dlg(hold);
        RunDialog(dlg, [&](HWND hwnd) {
            SetItemText(hwnd, IDC_PATH1, tmp / "one\\x");
            SetItemText(hwnd, IDC_PATH2, tmp / "two\\x");
            Click(hwnd, IDOK);
            EXPECT_TRUE(hold->WaitUntilHeld()) << c.name;
            if (c.stop) Click(hwnd, IDC_STOP);
            hold->Release();
            EXPECT_TRUE(WaitForEndOfRun(hwnd)) << c.name;
            const std::string name = tmp / "one\\Result.txt";
            if (c.file.empty()) {
                EXPECT_EQ(ItemText(hwnd, IDC_RESULT), c.box) << c.name;
                EXPECT_TRUE(m_opened.Targets().empty()) << c.name;
            } else {
                EXPECT_EQ(ItemText(hwnd, IDC_RESULT), Notice(name)) << c.name;
                EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{name}) << c.name;
                EXPECT_TRUE(ReadWholeFile(name) == c.file) << c.name;
            }
            PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

TEST_F(MainWindow, KeyboardFocusGoesToStopAndBackOnlyWhenItWasOnStart) {
    struct Case {
        const char* name;
        int focusAtStart;
        int focusDuringTheRun;
    };
    const Case cases[] = {
        {"Enter on Start", IDOK, IDC_STOP},
        {"Enter in the first path field", IDC_PATH1, IDC_PATH1},
    };
    WriteThreeBlockPair(m_tmp, "x", 10);
    for (const Case& c : cases) {
        auto hold = std::make_shared<CallHold>(kCallsBeforeSecondBlock);
        HeldMainWindow dlg(hold);
        RunDialog(dlg, [&](HWND hwnd) {
            SetItemText(hwnd, IDC_PATH1, m_tmp / "one\\x");
            SetItemText(hwnd, IDC_PATH2, m_tmp / "two\\x");
            SendMessageA(hwnd, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(hwnd, c.focusAtStart)), TRUE);
            PressKey(hwnd, VK_RETURN);
            EXPECT_TRUE(hold->WaitUntilHeld()) << c.name;
            EXPECT_FALSE(ItemEnabled(hwnd, IDOK)) << c.name;
            EXPECT_EQ(FocusOf(hwnd), GetDlgItem(hwnd, c.focusDuringTheRun)) << c.name;

            // Stop from the keyboard where it has the focus; taken once the wait cursor goes.
            if (c.focusDuringTheRun == IDC_STOP) {
                PressKey(hwnd, VK_RETURN);
            } else {
                Click(hwnd, IDC_STOP);
            }
            EXPECT_TRUE(
                WaitFor([&] { return SendMessageA(hwnd, WM_SETCURSOR, 0, 0) == FALSE; }, 10000))
                << c.name;
            hold->Release();
            EXPECT_TRUE(WaitForEndOfRun(hwnd)) << c.name;
            EXPECT_EQ(FocusOf(hwnd), GetDlgItem(hwnd, c.focusAtStart)) << c.name;
            const std::string box = ItemText(hwnd, IDC_RESULT);
            EXPECT_EQ(box.substr(box.size() - kStopped.size()), kStopped) << c.name;
            PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

// The main window, counting the runs it begins: each asks for its file services once.
class CountingMainWindow : public CCompareDlg {
public:
    using CCompareDlg::CCompareDlg;
    unsigned Runs() const { return m_runs; }

protected:
    std::unique_ptr<FileServices> MakeFileServices() override {
        ++m_runs;
        return CCompareDlg::MakeFileServices();
    }

private:
    std::atomic<unsigned> m_runs{0};
};

// How long a window is watched for a run that starts by itself.
constexpr DWORD kNoRunWaitMs = 500;

TEST_F(MainWindow, CommandLineFillsTheFields) {
    struct Case {
        std::vector<std::wstring> commandLine;
        const char* path1;
        const char* path2;
    };
    const Case cases[] = {
        {{}, "", ""},
        {{L"sorowa.exe"}, "", ""},
        {{L"sorowa.exe", L"C:\\one"}, "C:\\one", ""},
        {{L"sorowa.exe", L"C:\\with blank", L"D:\\two", L"E:\\ignored"},
         "C:\\with blank",
         "D:\\two"},
    };
    for (const Case& c : cases) {
        CountingMainWindow dlg(c.commandLine);
        RunDialog(dlg, [&](HWND hwnd) {
            EXPECT_EQ(ItemText(hwnd, IDC_PATH1), c.path1);
            EXPECT_EQ(ItemText(hwnd, IDC_PATH2), c.path2);
            // No run starts by itself: one started at the window's start, at once or a little
            // later, would have begun and shown its report by now.
            Sleep(kNoRunWaitMs);
            Sync(hwnd);
            EXPECT_EQ(dlg.Runs(), 0u);
            EXPECT_EQ(ItemText(hwnd, IDC_RESULT), "");
            EXPECT_TRUE(ItemEnabled(hwnd, IDOK));
            EXPECT_FALSE(ItemEnabled(hwnd, IDC_STOP));
            PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

// A drop of `names` as the shell hands it over: a DROPFILES block with the names after it.
HDROP MakeDrop(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += name + '\0';
    list += '\0';
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A path far longer than MAX_PATH: `levels` folders below `root`, the last one 表.
std::string LongPath(const std::string& root, int levels) {
    std::string path = root;
    for (int i = 0; i < levels; ++i) path += "\\a folder name of some length " + std::to_string(i);
    return path + "\\\x95\x5c";
}

TEST_F(MainWindow, DropReplacesTheFieldWithTheWholeFirstName) {
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        for (const std::string& first : {std::string("C:\\\x95\x5c\\first"), LongPath("C:", 30)}) {
            for (int id : {IDC_PATH1, IDC_PATH2}) {
                SetItemText(hwnd, id, "old text");
                SendMessageA(GetDlgItem(hwnd, id), WM_DROPFILES,
                             reinterpret_cast<WPARAM>(MakeDrop({first, "C:\\second"})), 0);
                EXPECT_EQ(ItemText(hwnd, id), first);
            }
        }
        // Only the two path fields take drops.
        for (int id : {IDC_RESULT, IDOK, IDC_BROWSE1}) {
            EXPECT_EQ(GetWindowLongA(GetDlgItem(hwnd, id), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0)
                << id;
        }
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

// A shown window of the dialog's thread other than the dialog: one that the dialog opened.
struct OpenedSearch {
    HWND dialog;
    HWND found;
};
BOOL CALLBACK TakeOpenedWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<OpenedSearch*>(data);
    if (window == search->dialog || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}
HWND OpenedWindow(HWND dialog) {
    OpenedSearch search = {dialog, nullptr};
    WaitFor(
        [&] {
            EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), TakeOpenedWindow,
                              reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        10000);
    return search.found;
}

TEST_F(MainWindow, BrowseFillsTheFieldWithThePathOfTheChosenItem) {
    char desktop[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    CCompareDlg dlg;
    RunDialog(dlg, [&](HWND hwnd) {
        // The browser opens on the desktop: OK takes it, Cancel changes nothing.
        for (int button : {IDOK, IDCANCEL}) {
            SetItemText(hwnd, IDC_PATH2, "old text");
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_BROWSE2, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDC_BROWSE2)));
            const HWND browser = OpenedWindow(hwnd);
            ASSERT_NE(browser, nullptr);
            PostMessageA(browser, WM_COMMAND, button, 0);
            EXPECT_TRUE(WaitFor([&] { return !IsWindow(browser); }, 10000));
            Sync(hwnd);
            EXPECT_EQ(ItemText(hwnd, IDC_PATH2), button == IDOK ? desktop : "old text");
        }
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST(ShellNames, PathOfABrowsedItemIsWholePastMaxPathBytes) {
    // Double-byte names: far more than MAX_PATH bytes in the code page, although fewer
    // characters, so that the shell under test has the whole path to give.
    TempFolder tmp;
    std::string folder = tmp.Path();
    for (int level = 0; level < 4; ++level) {
        folder += '\\';
        for (int i = 0; i < 40; ++i) folder += "\x95\x5c";
    }
    wchar_t wide[1024];
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, 1024), 0);
    ASSERT_LT(wcslen(wide), static_cast<size_t>(MAX_PATH));
    ASSERT_GT(folder.size(), static_cast<size_t>(MAX_PATH));
    const std::wstring literal = std::wstring(L"\\\\?\\") + wide;
    for (size_t i = 4; i <= literal.size(); ++i) {
        if (i == literal.size() || literal[i] == L'\\') {
            CreateDirectoryW(literal.substr(0, i).c_str(), nullptr);
        }
    }
    const PIDLIST_ABSOLUTE item = ILCreateFromPathW(wide);
    ASSERT_NE(item, nullptr);
    std::wstring path;
    EXPECT_TRUE(PathOfItem(item, path));
    EXPECT_EQ(NarrowText(path), folder);
    ILFree(item);
}

TEST_F(MainWindow, ClosingDuringARunEndsPromptlyAndKeepsTheResultFile) {
    // A pair that would take far longer to compare than the test waits: sparse 16 GiB
    // files, the first differing in every byte of its first 64 KiB.
    for (const char* name : {"one\\huge", "two\\huge"}) {
        m_tmp.Write(name, std::string(65536, name[0]));
        const HANDLE file = CreateFileA((m_tmp / name).c_str(), GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER size;
        size.QuadPart = 16ll << 30;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    for (UINT close : {UINT(WM_COMMAND), UINT(WM_CLOSE)}) {
        const std::string first = m_tmp / "one\\huge";
        auto dlg = std::make_unique<CCompareDlg>();
        const unsigned closingMs = RunDialog(*dlg, [&](HWND hwnd) {
            SetItemText(hwnd, IDC_PATH1, first);
            SetItemText(hwnd, IDC_PATH2, m_tmp / "two\\huge");
            Click(hwnd, IDOK);
            EXPECT_TRUE(WaitFor([&] {
                return GetFileAttributesA((m_tmp / "one\\Result.txt").c_str()) !=
                       INVALID_FILE_ATTRIBUTES;
            }));
            Sleep(200);
            PostMessageA(hwnd, close, close == WM_COMMAND ? IDCANCEL : 0, 0);
        });
        EXPECT_LT(closingMs, 10000u);
        dlg.reset();  // the window object closes the result file as it goes
        // Everything written up to the close is there, in order.
        const std::string written = ReadWholeFile(m_tmp / "one\\Result.txt");
        const std::string expected = "FILENAME huge\r\n" + ExpectedLines(65536, "6F 74");
        EXPECT_GT(written.size(), 30000u);
        EXPECT_EQ(written, expected.substr(0, written.size()));
        EXPECT_EQ(written.size() % 18, 15u);  // whole lines after the header
        DeleteFileA((m_tmp / "one\\Result.txt").c_str());
    }
}

// Last in this program, since one case leaves a worker held for good.
TEST_F(MainWindow, ClosingDoesNotWaitLongForAWorkerHeldInACall) {
    // 2000 differences in the first block: the report has overflowed into the result file by
    // the time the worker is held in the second.
    WriteThreeBlockPair(m_tmp, "x", 2000);
    const std::string resultFile = m_tmp / "one\\Result.txt";
    struct Case {
        const char* name;
        unsigned freeCalls;
        bool releasedLater;
    };
    const Case cases[] = {
        {"held in a read, released once the window is gone", kCallsBeforeSecondBlock, true},
        // The test program ends all the same, as the program does: the process does not wait
        // for the worker either.
        {"held in the first open for good", 0, false},
    };
    for (const Case& c : cases) {
        auto hold = std::make_shared<CallHold>(c.freeCalls);
        // The window object lives in storage of the test's own, overwritten once the object
        // is destroyed: a worker that used it afterwards would crash the test program.
        alignas(HeldMainWindow) unsigned char storage[sizeof(HeldMainWindow)];
        auto* dlg = new (storage) HeldMainWindow(hold);
        const unsigned closingMs = RunDialog(*dlg, [&](HWND hwnd) {
            SetItemText(hwnd, IDC_PATH1, m_tmp / "one\\x");
            SetItemText(hwnd, IDC_PATH2, m_tmp / "two\\x");
            Click(hwnd, IDOK);
            EXPECT_TRUE(hold->WaitUntilHeld()) << c.name;
            PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_LT(closingMs, CCompareDlg::kCloseWaitMs + 1500) << c.name;
        dlg->~HeldMainWindow();
        std::memset(storage, 0xDD, sizeof storage);

        if (c.releasedLater) {
            // Every whole line handed over before the close is in the result file.
            const std::string written = ReadWholeFile(resultFile);
            const std::string expected = "FILENAME x\r\n" + ExpectedLines(2000);
            EXPECT_GT(written.size(), 30000u);
            EXPECT_TRUE(written == expected.substr(0, written.size()));
            EXPECT_EQ((written.size() - 12) % 18, 0u);
            DeleteFileA(resultFile.c_str());
            // The worker wakes with the window gone, hands nothing over and ends; the run,
            // its file services included, goes with it.
            hold->Release();
            EXPECT_TRUE(hold->WaitUntilServicesGone()) << c.name;
        } else {
            EXPECT_EQ(GetFileAttributesA(resultFile.c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
}

}  // namespace
}  // namespace sorowa::testing
