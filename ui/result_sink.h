// The result sink: every piece of a run's report arrives here, on the window's thread, while
// the worker waits. The box shows the report up to the display budget; the first piece
// beyond it moves the whole report to a result file. The end of run writes the closing
// line and hands the result file back for opening.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/run_state.h"
#include "platform/stdio_file.h"
#include "ui/result_box.h"

namespace sorowa {

class ResultSink {
public:
    // Bytes of report text the box may show in one run.
    static constexpr size_t kDisplayBudget = 30000;
    // Pieces for the box go in together, at most this often, and further apart while an
    // insertion takes long: the box's insertions take at most a tenth of the time.
    static constexpr unsigned kFlushMs = 50;
    static constexpr unsigned kInsertionShare = 10;

    using Clock = std::function<uint32_t()>;  // milliseconds, wrapping
    // Paths here are UTF-8, as the engine's.
    using PathExists = std::function<bool(const std::string&)>;

    // `clock` and `exists` are the system's tick count and attribute query unless a test
    // gives its own.
    explicit ResultSink(ResultBox& box, Clock clock = SystemTicks,
                        PathExists exists = PathExistsOnDisk);
    ResultSink(const ResultSink&) = delete;
    ResultSink& operator=(const ResultSink&) = delete;

    // A run begins: the box is emptied and nothing of the run has been shown.
    void BeginRun();
    // Takes a hand-over of the report: pieces, each ending in a NUL, `length` bytes with
    // their NULs, one by one, in order. True once the report no longer goes to the box,
    // piece by piece: the run may then join pieces into larger ones.
    bool TakePieces(const char* pieces, size_t length);
    // The flush timer has run out: the pieces have paused.
    void OnFlushTimer();
    // The run has ended, completely or by Stop: the closing or stop line, and the result
    // file closed. Returns the absolute path of the result file to open, or empty.
    std::wstring EndRun(RunEnd end);

    // Bytes of the run's report that went to the box.
    size_t Shown() const { return m_shown; }

    static uint32_t SystemTicks();
    static bool PathExistsOnDisk(const std::string& path);

private:
    void TakePiece(const char* piece, size_t length);
    void EndFlushTimer();
    void Flush();
    void Overflow(const char* piece, size_t length);
    // Creates the first free result file name in `folder`; false when none can be made
    // there for another reason than a taken name.
    bool CreateResultFile(const std::string& folder, std::string& name);

    ResultBox& m_box;
    Clock m_clock;
    PathExists m_exists;
    size_t m_shown = 0;
    std::string m_pending;  // shown pieces not yet in the box, in order
    uint32_t m_lastFlush = 0;
    uint32_t m_flushInterval = kFlushMs;
    bool m_flushTimer = false;
    // The run overflowed; the result file is open unless none could be created.
    bool m_overflowed = false;
    CStdioFile m_file;
};

}  // namespace sorowa
