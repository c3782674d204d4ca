// The manifests of the built programs, sorowa.exe and sorowa.com beside the tests, read back
// as the loader reads them: the resource itself, and the activation context that the
// system's parser makes of it with the settings it finds there.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// A program of the build tree's app folder.
std::string BuiltProgram(const char* name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    for (int level = 0; level < 3; ++level) path.resize(path.find_last_of('\\'));
    return path + "\\app\\" + name;
}

// The text of the program's manifest resource (RT_MANIFEST 1), empty when it has none.
std::string ManifestOf(const std::string& program) {
    const HMODULE module = LoadLibraryExA(
        program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return {};
    std::string text;
    if (const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST)) {
        if (const HGLOBAL loaded = LoadResource(module, found)) {
            text.assign(static_cast<const char*>(LockResource(loaded)),
                        SizeofResource(module, found));
        }
    }
    FreeLibrary(module);
    return text;
}

// A setting of the activation context, empty when it has none.
std::wstring Setting(HANDLE context, const wchar_t* space, const wchar_t* name) {
    wchar_t value[128] = L"";
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, context, space, name, value, 128, &written)) return {};
    return value;
}

constexpr wchar_t kSettings2005[] = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
constexpr wchar_t kSettings2016[] = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";

struct Program {
    const char* name;
    bool window;  // common controls 6 and DPI awareness: the window program's alone
};
const Program kPrograms[] = {{"sorowa.exe", true}, {"sorowa.com", false}};

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Manifest, EachProgramRunsAsInvokerOnEverySupportedSystemWithLongPaths) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const std::string manifest = ManifestOf(BuiltProgram(program.name));
        ASSERT_FALSE(manifest.empty());
        EXPECT_TRUE(Holds(manifest, "<requestedExecutionLevel level=\"asInvoker\""));
        // Windows 7, 8, 8.1, and 10 and 11.
        for (const char* system :
             {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
              "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
            EXPECT_TRUE(Holds(manifest, std::string("<supportedOS Id=\"") + system + "\"/>"))
                << system;
        }
        const bool controls6 = Holds(manifest,
                                     "name=\"Microsoft.Windows.Common-Controls\" "
                                     "version=\"6.0.0.0\"");
        EXPECT_EQ(program.window, controls6);

        // What the system's parser makes of it.
        const std::string path = BuiltProgram(program.name);
        ACTCTXA request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEA(1);
        const HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(INVALID_HANDLE_VALUE, context) << GetLastError();
        EXPECT_EQ(L"true", Setting(context, kSettings2016, L"longPathAware"));
        EXPECT_EQ(program.window ? L"true/pm" : L"", Setting(context, kSettings2005, L"dpiAware"));
        EXPECT_EQ(program.window ? L"PerMonitorV2, PerMonitor" : L"",
                  Setting(context, kSettings2016, L"dpiAwareness"));
        ReleaseActCtx(context);
    }
}

}  // namespace
