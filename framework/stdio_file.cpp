#include "framework/stdio_file.h"

#include <share.h>
#include <windows.h>

bool CStdioFile::Open(const char* path) {
    Close();
    m_failed = false;
    m_file = _fsopen(path, "wb", _SH_DENYRW);
    if (m_file == nullptr) return false;
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    m_path = n > 0 && n < MAX_PATH ? full : path;
    return true;
}

void CStdioFile::Write(const void* data, size_t size) {
    if (m_file == nullptr) return;
    if (std::fwrite(data, 1, size, m_file) != size) m_failed = true;
}

bool CStdioFile::Close() {
    if (m_file == nullptr) return !m_failed;
    if (std::fflush(m_file) != 0 || std::ferror(m_file)) m_failed = true;
    if (std::fclose(m_file) != 0) m_failed = true;
    m_file = nullptr;
    return !m_failed;
}
