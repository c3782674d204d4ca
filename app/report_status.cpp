#include "app/report_status.h"

#include <cstring>

#include "engine/texts.h"

namespace sorowa {
namespace {

// The reason lines that say a file or folder could not be opened or read. Every other line
// of a report is a header, a difference line, a size line or a non-existence line.
constexpr const char* kTroubleLines[] = {text::kCannotOpen, text::kCannotRead, text::kCannotList};

// They all begin with the same byte, which no difference line holds: one pass of memchr
// over the report finds every place where one of them may begin.
constexpr char kTroubleLead = text::kCannotOpen[0];
static_assert(text::kCannotRead[0] == kTroubleLead && text::kCannotList[0] == kTroubleLead);

// Whether a whole line (from `line` to `end`) is one of the trouble lines. Each of them
// ends the line, so a file name that merely contains one of the texts does not count.
bool IsTroubleLine(const char* line, const char* end) {
    for (const char* trouble : kTroubleLines) {
        const size_t length = std::strlen(trouble);
        if (static_cast<size_t>(end - line) >= length && std::memcmp(line, trouble, length) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void ReportStatus::Take(const char* text, size_t length) {
    if (length == 0) return;
    m_reported = true;
    const char* const end = text + length;
    for (const char* at = text; !m_trouble && at < end; ++at) {
        at = static_cast<const char*>(std::memchr(at, kTroubleLead, static_cast<size_t>(end - at)));
        if (at == nullptr) break;
        // A piece begins at the start of a line.
        const bool lineStart = at == text || at[-1] == '\n';
        m_trouble = lineStart && IsTroubleLine(at, end);
    }
}

ExitStatus ReportStatus::Status() const {
    if (m_trouble) return kTrouble;
    return m_reported ? kDifferencesOnly : kNothingReported;
}

}  // namespace sorowa
