#include "app/console/console_progress.h"

#include <windows.h>

#include <string>

#include "app/console/console_texts.h"

namespace sorowa {
namespace {

uint64_t SystemClock() { return GetTickCount64(); }

}  // namespace

ConsoleProgress::ConsoleProgress(StandardStream& errors, Clock clock)
    : m_errors(errors),
      m_enabled(errors.IsConsole()),
      m_clock(clock != nullptr ? clock : SystemClock),
      m_due(m_enabled ? m_clock() + kFirstAfterMs : 0) {}

void ConsoleProgress::Update(const RunProgress& progress) {
    if (!m_enabled) return;
    const uint64_t now = m_clock();
    if (now < m_due) return;
    m_due = now + kEveryMs;
    std::string line = console_text::kProgressPairs;
    line += std::to_string(progress.counts.pairs);
    line += console_text::kProgressBytes;
    line += std::to_string(progress.counts.bytes);
    line += console_text::kProgressEnd;
    const size_t cells = line.size();
    // A shorter line than the last covers what is left of it with blanks.
    if (cells < m_shown) line.append(m_shown - cells, ' ');
    m_errors.Write(("\r" + line).c_str());
    m_shown = cells;
}

void ConsoleProgress::Clear() {
    if (m_shown == 0) return;
    m_errors.Write(("\r" + std::string(m_shown, ' ') + "\r").c_str());
    m_shown = 0;
}

}  // namespace sorowa
