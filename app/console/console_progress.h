// The progress line of a long run: on a console's standard error, once a run has gone on for
// about a second, the pairs and bytes compared so far, written over itself a few times a
// second and taken away at the end. Nothing at all when standard error is not a console.
#pragma once

#include <cstdint>

#include "app/console/standard_stream.h"
#include "engine/run_progress.h"

namespace sorowa {

class ConsoleProgress {
public:
    // Milliseconds of a steady clock.
    using Clock = uint64_t (*)();
    // The first line after this long, then a new one at most this often.
    static constexpr uint64_t kFirstAfterMs = 1000;
    static constexpr uint64_t kEveryMs = 250;

    // Draws on `errors` only when that is a console; `clock` is the system's unless a test
    // gives another.
    explicit ConsoleProgress(StandardStream& errors, Clock clock = nullptr);
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    // Called whenever the run tells its progress: one look at the clock, and the line when
    // it is due.
    void Update(const RunProgress& progress);
    // Takes the line away, if it shows: before other text goes to the same console, and at
    // the end of the run.
    void Clear();

private:
    StandardStream& m_errors;
    const bool m_enabled;
    const Clock m_clock;
    uint64_t m_due;
    // The console cells of the line that shows (its bytes: code page 932 has a cell per
    // byte); 0 when none does.
    size_t m_shown = 0;
};

}  // namespace sorowa
