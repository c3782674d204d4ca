#include "tests/windows/temp_folder.h"

#include <stdexcept>

namespace sorowa::testing {
namespace {

// Removes the folder `path` (literal) and all it holds. The shell's own removal is no use
// here: it builds each name in a buffer of MAX_PATH, and under Wine a name past that comes
// out empty, so that it goes on removing the process's current folder instead.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring inner = path + L"\\" + name;
            const DWORD kind = data.dwFileAttributes;
            if ((kind & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                DeleteFileW(inner.c_str());
            } else if ((kind & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                RemoveDirectoryW(inner.c_str());  // a link: only the link goes
            } else {
                RemoveTree(inner);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
        m_path = std::string(temp) + "sorowa-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(n);
        if (CreateDirectoryA(m_path.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no temp folder");
    }
}

TempFolder::~TempFolder() {
    // The path is absolute, with no "." or "..": its literal form is the prefix before it.
    const int n =
        MultiByteToWideChar(CP_ACP, 0, m_path.data(), static_cast<int>(m_path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, m_path.data(), static_cast<int>(m_path.size()), wide.data(), n);
    RemoveTree(L"\\\\?\\" + wide);
}

void TempFolder::MakeFolder(const std::string& relative) const {
    // Every level in turn, splitting by character so that 表 (95 5C) stays whole.
    std::string path = m_path + "\\";
    for (size_t i = 0; i <= relative.size(); ++i) {
        if (i == relative.size() || relative[i] == '\\') {
            CreateDirectoryA((path + relative.substr(0, i)).c_str(), nullptr);
        } else if (IsDBCSLeadByte(static_cast<BYTE>(relative[i]))) {
            ++i;
        }
    }
}

void TempFolder::Write(const std::string& relative, const std::string& content) const {
    // The last `\`, found by character as above.
    size_t sep = 0;
    for (size_t i = 0; i < relative.size(); ++i) {
        if (relative[i] == '\\') sep = i;
        if (IsDBCSLeadByte(static_cast<BYTE>(relative[i]))) ++i;
    }
    if (sep > 0) MakeFolder(relative.substr(0, sep));
    const std::string path = *this / relative;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

}  // namespace sorowa::testing
