// Times one run of the program through its main window, for scripts/bench.
//
// Usage: bench_driver [--timeout SECONDS] PROGRAM PATH1 PATH2
//   Starts PROGRAM with PATH1 and PATH2 as its command line arguments, waits for its main
//   window, presses Start (a click on the button) and waits for the end of the run: Start
//   enabled again, then a round trip through the window's message queue. It then takes the
//   peak working set of the program, closes the window and waits for the program to end,
//   and prints one line:
//     seconds=ELAPSED peak_working_set=BYTES
//   A run that is still going after SECONDS (default 600) is stopped (Stop, then closing
//   the window, then ending the process); the line then starts with "timeout" and the exit
//   status is 3. Any other failure is told on stderr, with exit status 2.
//
// Usage: bench_driver --console [--timeout SECONDS] PROGRAM PATH1 PATH2 OUTPUT
//   Starts PROGRAM, a console program, with PATH1 and PATH2 as its arguments, its standard
//   output going to the file OUTPUT (made anew) and no console window, and waits for it to
//   end. It prints the same line, timed from the start of the process to its end, with the
//   peak working set of the process as last seen while it ran (it is looked at every few
//   milliseconds: Wine tells nothing of a process that has ended). A process still running
//   after SECONDS is ended, with the same "timeout" line and exit status as above.
//
// Usage: bench_driver --ignore [ANYTHING...]
//   Does nothing and exits 0. The bench's Wine prefix opens text files with it, so that the
//   report files of the runs are not opened in an editor at the end of a run.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/window_text.h"
#include "res/resource.h"

namespace {

constexpr DWORD kWindowTimeoutMs = 60000;  // for the main window to appear
constexpr DWORD kStopTimeoutMs = 10000;    // for each step of ending a run that took too long
constexpr DWORD kCloseTimeoutMs = 60000;   // for the program to end once its window closes
constexpr DWORD kLookIntervalMs = 5;       // between looks at a console program's working set

int Fail(const char* what) {
    std::fprintf(stderr, "bench_driver: %s\n", what);
    return 2;
}

double Seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Waits until `done()` holds, the process ends or `timeoutMs` has passed; true when it held.
// Every look costs the program's Wine server a few requests, which a tree's run needs too:
// the looks are spaced by a hundredth of the time waited so far (1 to 20 ms), so that they
// take no measurable share of it and the end is seen within 1 % of the run's time.
template <typename Done>
bool WaitUntil(HANDLE process, DWORD timeoutMs, Done done) {
    const ULONGLONG start = GetTickCount64();
    while (!done()) {
        const ULONGLONG waited = GetTickCount64() - start;
        if (waited > timeoutMs) return false;
        const DWORD interval = static_cast<DWORD>(std::min<ULONGLONG>(20, waited / 100 + 1));
        if (WaitForSingleObject(process, interval) == WAIT_OBJECT_0) return false;
    }
    return true;
}

// The visible main window of the process, once there is one.
HWND FindMainWindow(DWORD processId) {
    for (HWND hwnd = nullptr;
         (hwnd = FindWindowExA(nullptr, hwnd, "#32770", "Sorowa")) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId && IsWindowVisible(hwnd)) return hwnd;
    }
    return nullptr;
}

// An item's text in the system's code page, the one this driver's own arguments come in.
std::string ItemText(HWND dialog, int id) {
    const std::wstring wide = WindowText(GetDlgItem(dialog, id));
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                            nullptr, nullptr);
    }
    return text;
}

bool StartEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }

// Returns once the window's thread has handled everything sent or posted to it so far.
void Sync(HWND dialog) { SendMessageA(dialog, WM_NULL, 0, 0); }

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize
                                                                     : 0;
}

void PrintResult(bool timedOut, double elapsed, SIZE_T peak) {
    std::printf("%sseconds=%.6f peak_working_set=%llu\n", timedOut ? "timeout " : "", elapsed,
                static_cast<unsigned long long>(peak));
}

struct Options {
    bool console = false;
    double timeoutSeconds = 600;
    const char* program = nullptr;
    const char* path1 = nullptr;
    const char* path2 = nullptr;
    const char* output = nullptr;  // console programs only
};

bool ParseOptions(int argc, char** argv, Options& options) {
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--console") == 0) {
        options.console = true;
        ++i;
    }
    if (i + 1 < argc && std::strcmp(argv[i], "--timeout") == 0) {
        char* end = nullptr;
        options.timeoutSeconds = std::strtod(argv[i + 1], &end);
        if (end == argv[i + 1] || *end != '\0' || !(options.timeoutSeconds > 0)) return false;
        i += 2;
    }
    if (argc - i != (options.console ? 4 : 3)) return false;
    options.program = argv[i];
    options.path1 = argv[i + 1];
    options.path2 = argv[i + 2];
    if (options.console) options.output = argv[i + 3];
    return true;
}

std::string CommandLine(const Options& options) {
    return std::string("\"") + options.program + "\" \"" + options.path1 + "\" \"" + options.path2 +
           "\"";
}

// Ends a run that took too long, and then the program: Stop, then closing the window, then
// ending the process. True when the program ended by its window closing.
bool StopRun(HWND dialog, HANDLE process) {
    SendMessageA(GetDlgItem(dialog, IDC_STOP), BM_CLICK, 0, 0);
    if (WaitUntil(process, kStopTimeoutMs, [&] { return StartEnabled(dialog); })) Sync(dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, kStopTimeoutMs) == WAIT_OBJECT_0) return true;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kStopTimeoutMs);
    return false;
}

int RunWindow(const Options& options) {
    std::string commandLine = CommandLine(options);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return Fail(("cannot start " + commandLine).c_str());
    }
    CloseHandle(info.hThread);
    const HANDLE process = info.hProcess;

    HWND dialog = nullptr;
    if (!WaitUntil(process, kWindowTimeoutMs,
                   [&] { return (dialog = FindMainWindow(info.dwProcessId)) != nullptr; })) {
        TerminateProcess(process, 1);
        CloseHandle(process);
        return Fail("the main window did not appear");
    }
    Sync(dialog);
    if (ItemText(dialog, IDC_PATH1) != options.path1 ||
        ItemText(dialog, IDC_PATH2) != options.path2 || !StartEnabled(dialog)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
        return Fail("the window does not show the two paths with Start enabled");
    }

    // Start: the click handler disables Start and starts the worker before the click returns.
    const double start = Seconds();
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    const DWORD timeoutMs = static_cast<DWORD>(options.timeoutSeconds * 1000);
    const bool ended = WaitUntil(process, timeoutMs, [&] { return StartEnabled(dialog); });
    if (ended) Sync(dialog);
    const double elapsed = Seconds() - start;
    const SIZE_T peak = PeakWorkingSet(process);

    if (!ended) {
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            CloseHandle(process);
            return Fail("the program ended during the run");
        }
        const bool closed = StopRun(dialog, process);
        CloseHandle(process);
        PrintResult(true, elapsed, peak);
        if (!closed) std::fprintf(stderr, "bench_driver: the stopped program had to be ended\n");
        return 3;
    }
    // The end of a run always leaves a report or the all-equal notice in the result box.
    const bool reported = !ItemText(dialog, IDC_RESULT).empty();

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, kCloseTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        CloseHandle(process);
        return Fail("the program did not end after its window was closed");
    }
    CloseHandle(process);
    if (!reported) return Fail("the run left the result box empty: did Start start it?");
    PrintResult(false, elapsed, peak);
    return 0;
}

// A handle that a started program inherits, or null.
HANDLE InheritableCopy(HANDLE handle) {
    HANDLE copy = nullptr;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

int RunConsole(const Options& options) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    const HANDLE output = CreateFileA(options.output, GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return Fail("cannot create the output file");
    const HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inherited, OPEN_EXISTING, 0, nullptr);
    const HANDLE errors = InheritableCopy(GetStdHandle(STD_ERROR_HANDLE));

    std::string commandLine = CommandLine(options);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = errors;
    PROCESS_INFORMATION info = {};
    const double start = Seconds();
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    CloseHandle(output);
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    if (errors != nullptr) CloseHandle(errors);
    if (!started) return Fail(("cannot start " + commandLine).c_str());
    CloseHandle(info.hThread);

    const double deadline = start + options.timeoutSeconds;
    SIZE_T peak = 0;
    bool ended = false;
    while (!ended && Seconds() < deadline) {
        ended = WaitForSingleObject(info.hProcess, kLookIntervalMs) == WAIT_OBJECT_0;
        if (!ended) peak = std::max(peak, PeakWorkingSet(info.hProcess));
    }
    const double elapsed = Seconds() - start;
    if (!ended) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, kStopTimeoutMs);
    }
    CloseHandle(info.hProcess);
    PrintResult(!ended, elapsed, peak);
    return ended ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--ignore") == 0) return 0;
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: bench_driver [--timeout SECONDS] PROGRAM PATH1 PATH2\n"
                     "       bench_driver --console [--timeout SECONDS] PROGRAM PATH1 PATH2 "
                     "OUTPUT\n"
                     "       bench_driver --ignore [ANYTHING...]\n");
        return 2;
    }
    const int status = options.console ? RunConsole(options) : RunWindow(options);
    std::fflush(stdout);
    return status;
}
