// Starts a worker thread at normal priority with the default stack size, running at once.
#pragma once

#include <windows.h>

// The thread's handle, which the caller closes; null when the thread could not start.
inline HANDLE AfxBeginThread(LPTHREAD_START_ROUTINE entry, void* parameter) {
    return CreateThread(nullptr, 0, entry, parameter, 0, nullptr);
}
