// The state of one comparison run: what Start decided from the first path, the options, and
// the stop request. Made by whoever starts the run and shared with the worker for the run's whole
// life.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_services.h"

namespace sorowa {

// The mode of a run and the base length of its first path.
struct RunStart {
    bool folderMode = false;
    // Folder mode: the length of the first path without its trailing `\` characters.
    // File mode: the byte index of the last `\`, or -1 when there is none.
    int32_t baseLen = -1;
};

// Start's decision, asked of the same file services as the walk uses, so that Start sees the
// first path as the walk will: folder mode when it names an existing folder, a drive's root
// typed as "X:" or "\" being that root.
RunStart DecideRunStart(const std::string& path1, FileServices& files);

// What a run is asked to do besides comparing. The console twin's options; the window's
// runs take none.
struct RunOptions {
    // Names and paths that are skipped (engine/name_filter.h).
    std::vector<std::string> exclusions;
    // Also report what exists only under the second folder, which is then listed as well.
    bool secondOnly = false;
    // One line per run of consecutive differing bytes instead of one per byte.
    bool ranges = false;
};

// How a run ended.
enum class RunEnd {
    kComplete,  // everything was compared (a stop that came after the last check included)
    kStopped,   // a stop ended the run before everything was compared
};

class RunState {
public:
    explicit RunState(const RunStart& start, RunOptions options = {})
        : m_start(start), m_options(std::move(options)) {}
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    const RunStart& Start() const { return m_start; }
    const RunOptions& Options() const { return m_options; }

    // From any thread: the Stop button, a closing window, a console's Ctrl+C.
    void RequestStop() { m_bStop.store(1); }
    // Read afresh at every check; no ordering with other data is needed.
    bool StopRequested() const { return m_bStop.load() != 0; }

private:
    std::atomic<int32_t> m_bStop{0};
    RunStart m_start;
    RunOptions m_options;
};

// The run's checks for a stop request: once a check has found one, the run ends, leaving the
// rest uncompared, and every later check says so too.
class StopCheck {
public:
    explicit StopCheck(const RunState& state) : m_state(state) {}
    // Checked before each file pair, each folder to enter and each block of a pair.
    bool Now() {
        if (m_state.StopRequested()) m_stopped = true;
        return m_stopped;
    }
    // True when a check found the request.
    bool Stopped() const { return m_stopped; }

private:
    const RunState& m_state;
    bool m_stopped = false;
};

}  // namespace sorowa
