#include "platform/literal_path.h"

#include <windows.h>

#include <vector>

#include "platform/narrow_text.h"

namespace sorowa {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring FullPathOf(const wchar_t* path) {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetFullPathNameW(path, MAX_PATH, buffer, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

// An absolute path made of the path alone: the forms that depend on a current folder are
// put behind the folder they depend on. Only the parts without names go through the
// system's own full-path function, since it changes names.
std::wstring Absolute(const std::wstring& path) {
    const bool drive = path.size() >= 2 && path[1] == L':';
    if (drive && path.size() >= 3 && IsSeparator(path[2])) return path;                 // C:\x
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;  // \\server
    if (drive) return FullPathOf(path.substr(0, 2).c_str()) + L"\\" + path.substr(2);   // C:x
    if (!path.empty() && IsSeparator(path[0])) return FullPathOf(L"\\") + path;         // \x
    return FullPathOf(L".") + L"\\" + path;                                             // x
}

}  // namespace

std::wstring LiteralPath(const std::string& utf8) {
    const std::wstring path = Absolute(WideFromUtf8(utf8));
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;

    // The root, which ".." never goes above, and where the names begin.
    std::wstring root;
    size_t at = 0;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // \\server\share
        root = L"\\\\?\\UNC";
        at = 2;
        for (int part = 0; part < 2; ++part) {
            const size_t end = path.find_first_of(L"\\/", at);
            root += L"\\" + path.substr(at, end == std::wstring::npos ? end : end - at);
            at = end == std::wstring::npos ? path.size() : end;
            while (at < path.size() && IsSeparator(path[at])) ++at;
        }
    } else {
        root = L"\\\\?\\" + path.substr(0, 2);
        at = 2;
    }

    std::vector<std::wstring> names;
    while (at < path.size()) {
        size_t end = at;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring name = path.substr(at, end - at);
        if (name == L"..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        at = end + 1;
    }

    std::wstring literal = root;
    for (const std::wstring& name : names) literal += L"\\" + name;
    if (names.empty()) literal += L"\\";  // the root folder itself
    return literal;
}

std::wstring OrdinaryPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

}  // namespace sorowa
