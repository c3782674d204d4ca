// A window's text as a string, whole: asked with the messages themselves, so that it works
// for a window of this thread, of another thread or of another process alike.
#pragma once

#include <windows.h>

#include <string>

std::string WindowText(HWND window);
