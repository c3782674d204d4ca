// A worker thread: started at normal priority with the default stack size, running at once,
// and the owner of its handle.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace sorowa {

// A thread's handle, closed when its owner goes; empty when no thread is owned.
using ThreadHandle = KernelHandle;

// Starts `entry(parameter)` on a new thread; the owner is empty when the thread could not
// start.
inline ThreadHandle StartThread(LPTHREAD_START_ROUTINE entry, void* parameter) {
    return ThreadHandle(CreateThread(nullptr, 0, entry, parameter, 0, nullptr));
}

}  // namespace sorowa
