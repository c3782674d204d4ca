#include "app/console/standard_stream.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>

namespace sorowa {
namespace {

// The report's code page, whatever the system's.
constexpr UINT kReportCodePage = 932;
// Wide characters per console write: older consoles refuse very large writes.
constexpr size_t kConsoleChunk = 8192;
// The buffer of a redirected stream: the run hands its report over in blocks of up to a
// few hundred kilobytes, but one small block per pair in a tree of small differing files.
constexpr size_t kBufferSize = 64u << 10;

}  // namespace

StandardStream::StandardStream(FILE* stream) : m_stream(stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        m_console = handle;
    } else {
        _setmode(_fileno(stream), _O_BINARY);
        std::setvbuf(stream, nullptr, _IOFBF, kBufferSize);
    }
}

bool StandardStream::Write(const char* text, size_t length) {
    if (m_failed || length == 0) return !m_failed;
    const bool written = m_console != nullptr ? WriteToConsole(text, length)
                                              : std::fwrite(text, 1, length, m_stream) == length;
    m_failed = !written;
    return written;
}

bool StandardStream::WriteToConsole(const char* text, size_t length) {
    const int wanted =
        MultiByteToWideChar(kReportCodePage, 0, text, static_cast<int>(length), nullptr, 0);
    if (wanted <= 0) return false;
    m_wide.resize(static_cast<size_t>(wanted));
    MultiByteToWideChar(kReportCodePage, 0, text, static_cast<int>(length), m_wide.data(), wanted);
    for (size_t done = 0; done < m_wide.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min(kConsoleChunk, m_wide.size() - done));
        DWORD written = 0;
        if (!WriteConsoleW(m_console, m_wide.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

bool StandardStream::Finish() {
    if (m_console == nullptr && (std::fflush(m_stream) != 0 || std::ferror(m_stream) != 0)) {
        m_failed = true;
    }
    return !m_failed;
}

}  // namespace sorowa
