// The program itself, started as a separate process and worked as a person would: keys
// typed into its window, the report read back from its result box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/texts.h"
#include "res/resource.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/temp_folder.h"

namespace sorowa::testing {
namespace {

// The program beside the tests in the build tree.
std::string ProgramPath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path.resize(path.find_last_of('\\'));  // tests\windows
    path.resize(path.find_last_of('\\'));  // tests
    path.resize(path.find_last_of('\\'));  // the build folder
    return path + "\\app\\sorowa.exe";
}

class RunningProgram {
public:
    explicit RunningProgram(const std::string& arguments) {
        std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &m_process)) {
            ADD_FAILURE() << "cannot start " << commandLine;
            return;
        }
        CloseHandle(m_process.hThread);
        WaitFor([&] { return (m_window = FindMainWindow()) != nullptr; }, 30000);
        if (m_window == nullptr) ADD_FAILURE() << "the main window did not appear";
    }
    ~RunningProgram() {
        if (m_process.hProcess == nullptr) return;
        if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the program did not end";
            TerminateProcess(m_process.hProcess, 1);
        }
        CloseHandle(m_process.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND Window() const { return m_window; }
    bool Ended(DWORD timeoutMs) const {
        return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

private:
    HWND FindMainWindow() const {
        for (HWND hwnd = nullptr;
             (hwnd = FindWindowExA(nullptr, hwnd, "#32770", "Sorowa")) != nullptr;) {
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (process == m_process.dwProcessId && IsWindowVisible(hwnd)) return hwnd;
        }
        return nullptr;
    }

    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Types `text` (code page 932) as characters.
void Type(const std::string& text) {
    wchar_t wide[1024];
    const int n = MultiByteToWideChar(932, 0, text.c_str(), -1, wide, 1024) - 1;
    for (int i = 0; i < n; ++i) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = wide[i];
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

// Waits until the window has handled the input so far.
void Settle(HWND hwnd) {
    Sleep(100);
    Sync(hwnd);
}

TEST(Program, TypedPathsAndEnterGiveTheReport) {
    TempFolder tmp;
    tmp.Write("one\\data.bin", "abc");
    tmp.Write("two\\data.bin", "abd");
    RunningProgram program("");
    const HWND hwnd = program.Window();
    ASSERT_NE(hwnd, nullptr);
    SetForegroundWindow(hwnd);
    Settle(hwnd);
    // The focus starts in the first path field; Tab passes its browse button.
    // Input arrives in its own time: wait for each field to read what was typed.
    Type(tmp / "one\\data.bin");
    EXPECT_TRUE(WaitFor([&] { return ItemText(hwnd, IDC_PATH1) == tmp / "one\\data.bin"; }, 10000));
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    Type(tmp / "two");
    EXPECT_TRUE(WaitFor([&] { return ItemText(hwnd, IDC_PATH2) == tmp / "two"; }, 10000));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !ItemText(hwnd, IDC_RESULT).empty(); }, 10000));
    EXPECT_TRUE(WaitForEndOfRun(hwnd));
    EXPECT_EQ(ItemText(hwnd, IDC_RESULT), "FILENAME data.bin\r\n00000002 : 63 64\r\n");
    // Enter started a run and left the window open; Escape closes it and ends the program.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(program.Ended(10000));
}

TEST(Program, CommandLineFillsTheFieldsAndNothingStartsByItself) {
    TempFolder tmp;
    tmp.Write("with blank\\a.txt", "same");
    tmp.Write("two\\a.txt", "same");
    RunningProgram program("\"" + (tmp / "with blank") + "\" " + (tmp / "two") + " ignored");
    const HWND hwnd = program.Window();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ItemText(hwnd, IDC_PATH1), tmp / "with blank");
    EXPECT_EQ(ItemText(hwnd, IDC_PATH2), tmp / "two");
    // A run started at the program's start, at once or a little later, would have shown its
    // closing line by now.
    Sleep(500);
    Sync(hwnd);
    EXPECT_EQ(ItemText(hwnd, IDC_RESULT), "");
    EXPECT_TRUE(ItemEnabled(hwnd, IDOK));
    EXPECT_FALSE(ItemEnabled(hwnd, IDC_STOP));
    SetForegroundWindow(hwnd);
    Settle(hwnd);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !ItemText(hwnd, IDC_RESULT).empty(); }, 10000));
    EXPECT_TRUE(WaitForEndOfRun(hwnd));
    EXPECT_EQ(ItemText(hwnd, IDC_RESULT), text::kAllEqual);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(10000));
}

}  // namespace
}  // namespace sorowa::testing
