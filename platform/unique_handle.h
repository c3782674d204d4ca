// The one owner of a handle that a function closes: move-only, so that a handle is closed
// exactly once, by whichever owner holds it last. `Traits` says what the handle is:
//
//     struct Traits {
//         using Handle = ...;            // the handle's type
//         static Handle Invalid();       // the value that stands for no handle
//         static void Close(Handle h);   // closes a handle that is not Invalid()
//     };
//
// A borrowed handle is a plain handle, never an owner.
#pragma once

#include <windows.h>

#include <utility>

namespace sorowa {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Invalid(); }

    // Gives the handle up without closing it; the owner holds none afterwards.
    Handle release() { return std::exchange(m_handle, Traits::Invalid()); }
    // Closes the handle held, if any, and holds `handle` instead.
    void reset(Handle handle = Traits::Invalid()) {
        const Handle old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle m_handle = Traits::Invalid();
};

// A kernel object's handle that is null when there is none, such as a thread's.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

// A file's or folder's handle from CreateFileW, INVALID_HANDLE_VALUE when there is none.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;

}  // namespace sorowa
