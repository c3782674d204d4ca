#include "platform/stdio_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/literal_path.h"
#include "platform/unique_handle.h"

namespace sorowa {

bool CStdioFile::Open(const std::wstring& path, OpenMode mode) {
    Close();
    m_failed = false;
    // The system's own creation, so that "only where no file of that name exists" is decided
    // at the creation itself; the stream is put on top of it.
    FileHandle handle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                  mode == modeCreateNew ? CREATE_NEW : CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return false;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_WRONLY | _O_BINARY);
    if (fd == -1) {
        handle.reset();
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return false;
    }
    // The descriptor owns the handle now, and closes it.
    handle.release();
    m_file = _fdopen(fd, "wb");
    if (m_file == nullptr) {
        _close(fd);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    // The absolute path; a literal one in its ordinary form.
    if (path.rfind(L"\\\\?\\", 0) == 0) {
        m_path = OrdinaryPath(path);
        return true;
    }
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    const DWORD written = n > 0 ? GetFullPathNameW(path.c_str(), n, full.data(), nullptr) : 0;
    m_path = written > 0 && written < n ? full.substr(0, written) : path;
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

}  // namespace sorowa
