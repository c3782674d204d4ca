// A buffered binary output file that no other program can open while it is written, and
// that records its absolute path when opened.
#pragma once

#include <cstdio>
#include <string>

namespace sorowa {

class CStdioFile {
public:
    // What Open does when a file of that name exists already.
    enum OpenMode {
        modeCreate,     // truncates it
        modeCreateNew,  // fails, leaving it as it is
    };

    CStdioFile() = default;
    ~CStdioFile() { Close(); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Creates the file for writing; false when that fails, with the reason in GetLastError
    // (ERROR_FILE_EXISTS when modeCreateNew finds the name taken). `path` may be literal
    // (platform/literal_path.h).
    bool Open(const std::wstring& path, OpenMode mode);
    bool IsOpen() const { return m_file != nullptr; }
    void Write(const void* data, size_t size);
    // Flushes and closes; false when any write, the flush or the closing failed.
    bool Close();

    // The absolute path recorded when the file was opened, in the ordinary form.
    const std::wstring& GetFilePath() const { return m_path; }

private:
    std::FILE* m_file = nullptr;
    std::wstring m_path;
    bool m_failed = false;
};

}  // namespace sorowa
