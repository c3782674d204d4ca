// A worker thread: started at normal priority with the default stack size, running at once,
// and the owner of its handle.
#pragma once

#include <windows.h>

#include <utility>

namespace sorowa {

// Owns a thread's handle and closes it when it goes. Move-only.
class CThreadHandle {
public:
    CThreadHandle() = default;
    explicit CThreadHandle(HANDLE handle) : m_handle(handle) {}
    ~CThreadHandle() { Close(); }
    CThreadHandle(CThreadHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CThreadHandle& operator=(CThreadHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    // Null when no thread is owned.
    HANDLE Get() const { return m_handle; }
    void Close() {
        if (m_handle != nullptr) CloseHandle(std::exchange(m_handle, nullptr));
    }

private:
    HANDLE m_handle = nullptr;
};

// Starts `entry(parameter)` on a new thread; the owner is empty when the thread could not
// start.
inline CThreadHandle AfxBeginThread(LPTHREAD_START_ROUTINE entry, void* parameter) {
    return CThreadHandle(CreateThread(nullptr, 0, entry, parameter, 0, nullptr));
}

}  // namespace sorowa
