#include "tests/windows/console_run.h"

#include <gtest/gtest.h>

#include "platform/narrow_text.h"
#include "tests/windows/temp_folder.h"

namespace sorowa::testing {
namespace {

// The console program beside the window program in the build tree.
std::wstring ConsoleProgramPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    for (int level = 0; level < 3; ++level) path.resize(path.find_last_of(L'\\'));
    return path + L"\\app\\sorowa.com";
}

// An inheritable handle for a child's standard stream.
HANDLE OpenForChild(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ConsoleResult RunConsole(const std::vector<std::wstring>& arguments,
                         const std::wstring& outputPath) {
    static const TempFolder streams;
    std::wstring commandLine = L"\"" + ConsoleProgramPath() + L"\"";
    for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";

    const std::wstring outPath = outputPath.empty() ? WideText(streams / "out") : outputPath;
    const HANDLE in = OpenForChild(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = OpenForChild(outPath, GENERIC_WRITE, OPEN_ALWAYS);
    const HANDLE err = OpenForChild(WideText(streams / "err"), GENERIC_WRITE, CREATE_ALWAYS);
    if (outputPath.empty()) SetEndOfFile(out);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    ConsoleResult result;
    const std::string shown = NarrowText(commandLine);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "did not end: " << shown;
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        GetExitCodeProcess(process.hProcess, &result.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << shown;
    }
    for (HANDLE handle : {in, out, err}) CloseHandle(handle);
    if (outputPath.empty()) result.output = ReadWholeFile(streams / "out");
    result.errors = ReadWholeFile(streams / "err");
    return result;
}

ConsoleResult RunConsole(const std::vector<std::string>& arguments, const std::string& outputPath) {
    std::vector<std::wstring> wide;
    for (const std::string& argument : arguments) wide.push_back(WideText(argument));
    return RunConsole(wide, outputPath.empty() ? std::wstring() : WideText(outputPath));
}

}  // namespace sorowa::testing
