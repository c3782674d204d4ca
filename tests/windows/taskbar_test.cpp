// The real main window's progress on its taskbar button, through the seam that records the
// taskbar list's calls (Wine draws no taskbar): the pair's bytes in file mode, the busy state
// in folder mode, cleared at the end of the run and when the window closes; a short run
// shows nothing, and the title stays.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "engine/compare_pair.h"
#include "res/resource.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/held_file_services.h"
#include "tests/windows/temp_folder.h"
#include "ui/compare_dlg.h"

namespace sorowa::testing {
namespace {

// One call of the taskbar list: a state, or a value of a total.
struct TaskbarCall {
    HWND window;
    bool value;
    TBPFLAG state;
    ULONGLONG done;
    ULONGLONG total;
    bool operator==(const TaskbarCall& o) const {
        return window == o.window && value == o.value && state == o.state && done == o.done &&
               total == o.total;
    }
};
TaskbarCall State(HWND window, TBPFLAG state) { return {window, false, state, 0, 0}; }
TaskbarCall Value(HWND window, ULONGLONG done, ULONGLONG total) {
    return {window, true, TBPF_NOPROGRESS, done, total};
}

void PrintTo(const TaskbarCall& call, std::ostream* out) {
    if (call.value) {
        *out << "value " << call.done << " of " << call.total;
    } else {
        *out << "state " << static_cast<int>(call.state);
    }
}

// The calls, from the window's thread, as the test's thread reads them.
class TaskbarCalls {
public:
    void Add(const TaskbarCall& call) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back(call);
    }
    std::vector<TaskbarCall> Get() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<TaskbarCall> m_calls;
};

class RecordingButton : public TaskbarButton {
public:
    explicit RecordingButton(std::shared_ptr<TaskbarCalls> calls) : m_calls(std::move(calls)) {}
    void SetProgressState(HWND window, TBPFLAG state) override {
        m_calls->Add(State(window, state));
    }
    void SetProgressValue(HWND window, ULONGLONG done, ULONGLONG total) override {
        m_calls->Add(Value(window, done, total));
    }

private:
    std::shared_ptr<TaskbarCalls> m_calls;
};

// The main window with file services the test can hold and a taskbar button it records.
class TaskbarWindow : public CCompareDlg {
public:
    TaskbarWindow(std::shared_ptr<CallHold> hold, std::shared_ptr<TaskbarCalls> calls)
        : m_hold(std::move(hold)), m_calls(std::move(calls)) {}

protected:
    std::unique_ptr<FileServices> MakeFileServices() override {
        if (!m_hold) return CCompareDlg::MakeFileServices();
        return std::make_unique<HeldFileServices>(m_hold);
    }
    std::unique_ptr<TaskbarButton> MakeTaskbarButton() override {
        return std::make_unique<RecordingButton>(m_calls);
    }

private:
    const std::shared_ptr<CallHold> m_hold;
    const std::shared_ptr<TaskbarCalls> m_calls;
};

// A pair of three read blocks that differ in their first byte.
void WriteThreeBlocks(const TempFolder& tmp) {
    const std::string same(3 * kBlockSize, 'a');
    tmp.Write("one\\x", same);
    tmp.Write("two\\x", "b" + same.substr(1));
}
// Both opens, then the first block of each file: the worker is then held in the second.
constexpr unsigned kCallsBeforeSecondBlock = 4;

bool WaitForCalls(const TaskbarCalls& calls, size_t count) {
    return WaitFor([&] { return calls.Get().size() >= count; }, 10000);
}

TEST(Taskbar, FileModeShowsThePairsBytesAndClearsAtTheEnd) {
    TempFolder tmp;
    WriteThreeBlocks(tmp);
    auto hold = std::make_shared<CallHold>(kCallsBeforeSecondBlock);
    auto calls = std::make_shared<TaskbarCalls>();
    TaskbarWindow dlg(hold, calls);
    RunDialog(dlg, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_PATH1, tmp / "one\\x");
        SetItemText(hwnd, IDC_PATH2, tmp / "two\\x");
        Click(hwnd, IDOK);
        EXPECT_TRUE(hold->WaitUntilHeld());
        EXPECT_TRUE(WaitForCalls(*calls, 2));
        EXPECT_EQ(calls->Get(),
                  (std::vector<TaskbarCall>{State(hwnd, TBPF_NORMAL),
                                            Value(hwnd, kBlockSize, 3 * kBlockSize)}));
        char title[64];
        GetWindowTextA(hwnd, title, sizeof title);
        EXPECT_STREQ(title, "Sorowa");
        hold->Release();
        EXPECT_TRUE(WaitForEndOfRun(hwnd));
        const std::vector<TaskbarCall> all = calls->Get();
        EXPECT_TRUE(!all.empty() && all.back() == State(hwnd, TBPF_NOPROGRESS));
        GetWindowTextA(hwnd, title, sizeof title);
        EXPECT_STREQ(title, "Sorowa");
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST(Taskbar, FolderModeShowsBusyAndClosingTheWindowClearsIt) {
    TempFolder tmp;
    WriteThreeBlocks(tmp);
    auto hold = std::make_shared<CallHold>(kCallsBeforeSecondBlock);
    auto calls = std::make_shared<TaskbarCalls>();
    HWND window = nullptr;
    {
        TaskbarWindow dlg(hold, calls);
        RunDialog(dlg, [&](HWND hwnd) {
            window = hwnd;
            SetItemText(hwnd, IDC_PATH1, tmp / "one");
            SetItemText(hwnd, IDC_PATH2, tmp / "two");
            Click(hwnd, IDOK);
            EXPECT_TRUE(hold->WaitUntilHeld());
            EXPECT_TRUE(WaitForCalls(*calls, 1));
            EXPECT_EQ(calls->Get(), std::vector<TaskbarCall>{State(hwnd, TBPF_INDETERMINATE)});
            // Closed during the run.
            PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
    EXPECT_EQ(calls->Get(), (std::vector<TaskbarCall>{State(window, TBPF_INDETERMINATE),
                                                      State(window, TBPF_NOPROGRESS)}));
    hold->Release();
    EXPECT_TRUE(hold->WaitUntilServicesGone());
}

TEST(Taskbar, ARunShorterThanTheFirstLookShowsNothing) {
    TempFolder tmp;
    tmp.Write("one\\x", "a");
    tmp.Write("two\\x", "b");
    auto calls = std::make_shared<TaskbarCalls>();
    TaskbarWindow dlg(nullptr, calls);
    RunMainWindowOnce(dlg, tmp / "one", tmp / "two", [&](HWND hwnd) {
        // Longer than the window's look at the run's progress.
        Sleep(600);
        Sync(hwnd);
        EXPECT_TRUE(calls->Get().empty());
        EXPECT_EQ(ItemText(hwnd, IDC_RESULT), "FILENAME x\r\n00000000 : 61 62\r\n");
    });
}

}  // namespace
}  // namespace sorowa::testing
