#include "ui/result_sink.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/compare_receiver.h"
#include "platform/literal_path.h"
#include "platform/narrow_text.h"
#include "ui/result_file_name.h"
#include "ui/texts.h"

namespace sorowa {

uint32_t ResultSink::SystemTicks() { return GetTickCount(); }

bool ResultSink::PathExistsOnDisk(const std::string& path) {
    return GetFileAttributesW(LiteralPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ResultSink::ResultSink(ResultBox& box, Clock clock, PathExists exists)
    : m_box(box), m_clock(std::move(clock)), m_exists(std::move(exists)) {}

void ResultSink::BeginRun() {
    m_box.SetBoxText("");
    m_shown = 0;
    m_overflowed = false;
    m_flushInterval = kFlushMs;
}

bool ResultSink::TakePieces(const char* pieces, size_t length) {
    ForEachPiece(pieces, length,
                 [this](const char* piece, size_t pieceLength) { TakePiece(piece, pieceLength); });
    // Once the report goes to a file, piece boundaries no longer matter to anyone.
    return m_overflowed;
}

void ResultSink::TakePiece(const char* piece, size_t length) {
    if (m_file.IsOpen()) {
        m_file.Write(piece, length);
    } else if (m_overflowed) {
        // No result file could be made: the box keeps the notice that says so.
    } else if (m_shown + length <= kDisplayBudget) {
        // Inserting into a visible box costs far more than the piece itself, mostly in
        // painting: the pieces go in together, at most every m_flushInterval.
        m_pending.append(piece, length);
        m_shown += length;
        if (m_clock() - m_lastFlush >= m_flushInterval) {
            Flush();
        } else if (!m_flushTimer) {
            // Catches the last pieces when they pause.
            m_flushTimer = m_box.StartFlushTimer(m_flushInterval);
        }
    } else {
        Overflow(piece, length);
    }
}

void ResultSink::OnFlushTimer() { Flush(); }

void ResultSink::EndFlushTimer() {
    if (m_flushTimer) m_box.StopFlushTimer();
    m_flushTimer = false;
}

void ResultSink::Flush() {
    EndFlushTimer();
    const uint32_t start = m_clock();
    if (!m_pending.empty()) {
        m_box.AppendToBox(m_pending);
        m_pending.clear();
    }
    // Counted from the end of the insertion. An insertion costs more the more the box holds
    // (under Wine, 15 ms and more once it holds some thousand lines), so the next one waits
    // long enough for insertions to take at most a tenth of the time.
    m_lastFlush = m_clock();
    m_flushInterval = std::max<uint32_t>(kFlushMs, (m_lastFlush - start) * (kInsertionShare - 1));
}

bool ResultSink::CreateResultFile(const std::string& folder, std::string& name) {
    for (unsigned k = 0;; ++k) {
        name = ResultFileName(folder, k);
        if (m_exists(name)) continue;
        // Created only where no file of the name exists: a file made since the test above
        // is never overwritten, and the next number is tried instead.
        if (m_file.Open(LiteralPath(name), CStdioFile::modeCreateNew)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
    }
}

void ResultSink::Overflow(const char* piece, size_t length) {
    // What waits for the box is not put into it: the box is about to show the notice, and
    // inserting costs more than everything else here.
    EndFlushTimer();
    const std::string waiting = std::move(m_pending);
    m_pending.clear();
    m_overflowed = true;

    // Beside the first path as it reads now; failing that, in the temporary folder.
    std::string name;
    if (!CreateResultFile(ResultFolderOf(m_box.FirstPathText()), name)) {
        wchar_t temp[MAX_PATH + 1];
        const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        if (n == 0 || n > MAX_PATH || !CreateResultFile(Utf8FromWide(temp), name)) {
            // What the box shows, and what waited for it, stays; the notice follows it.
            if (waiting.empty() && m_box.BoxText().empty()) {
                m_box.SetBoxText(text::kCannotCreateResult);
            } else {
                m_box.AppendToBox(waiting + "\r\n" + text::kCannotCreateResult);
            }
            return;
        }
    }

    // What the box holds, the user's typing included, what waited for it, then the piece.
    const std::string shown = m_box.BoxText();
    m_file.Write(shown.data(), shown.size());
    m_file.Write(waiting.data(), waiting.size());
    m_file.Write(piece, length);
    m_box.SetBoxText(std::string(text::kOverflowNotice1) + ShownText(name) +
                     text::kOverflowNotice2);
}

std::wstring ResultSink::EndRun(RunEnd end) {
    Flush();
    const bool stopped = end == RunEnd::kStopped;
    // A run that showed nothing says how it ended in one line; a stopped run says so after
    // what the box or the result file holds.
    if (m_shown == 0 && !m_overflowed) {
        m_box.SetBoxText(stopped ? text::kStopped : text::kAllEqual);
    } else if (stopped && !m_file.IsOpen()) {
        m_box.AppendToBox(std::string("\r\n") + text::kStopped);
    }
    if (!m_file.IsOpen()) return std::wstring();

    if (stopped) {
        const std::string line = std::string("\r\n") + text::kStopped + "\r\n";
        m_file.Write(line.data(), line.size());
    }
    std::wstring path = m_file.GetFilePath();
    if (!m_file.Close()) m_box.AppendToBox(std::string("\r\n") + text::kCannotWriteResult);
    return path;
}

}  // namespace sorowa
