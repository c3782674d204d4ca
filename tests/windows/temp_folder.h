// A fresh folder under the system's temporary folder, removed with all it holds.
#pragma once

#include <windows.h>

#include <string>

namespace sorowa::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing `\`.
    const std::string& Path() const { return m_path; }
    // `relative` under the folder.
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

    // Writes a file (and the folders above it) below the folder.
    void Write(const std::string& relative, const std::string& content) const;
    void MakeFolder(const std::string& relative) const;

private:
    std::string m_path;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace sorowa::testing
