// A window's text as a string, whole: asked with the messages themselves, so that it works
// for a window of this thread, of another thread or of another process alike.
#pragma once

#include <windows.h>

#include <string>

// The text as the window holds it, in UTF-16.
std::wstring WindowText(HWND window);
