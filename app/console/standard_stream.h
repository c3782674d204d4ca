// Standard output or standard error of the console program. Text is code page 932, as the
// report is: redirected, its bytes go out exactly as they are (binary, CR LF kept); on a
// console it is shown as wide text, so that it reads right whatever the console's code page.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace sorowa {

class StandardStream {
public:
    // `stream` is stdout or stderr.
    explicit StandardStream(FILE* stream);
    StandardStream(const StandardStream&) = delete;
    StandardStream& operator=(const StandardStream&) = delete;

    // Writes whole lines: a double-byte character is never split between two writes.
    // False when this or an earlier write failed; nothing is written after a failure.
    bool Write(const char* text, size_t length);
    bool Write(const char* text) { return Write(text, std::strlen(text)); }
    // Hands on what is buffered; false when any write of the stream failed.
    bool Finish();
    // Whether the stream is a console.
    bool IsConsole() const { return m_console != nullptr; }

private:
    bool WriteToConsole(const char* text, size_t length);

    FILE* m_stream;
    HANDLE m_console = nullptr;  // set when the stream is a console
    std::wstring m_wide;
    bool m_failed = false;
};

}  // namespace sorowa
