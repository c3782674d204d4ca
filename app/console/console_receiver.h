// The console program's side of a run: the two paths from the command line, the report on
// standard output (or nowhere, with -s), the status it earns and how the run ended.
#pragma once

#include <string>

#include "app/console/console_progress.h"
#include "app/console/report_status.h"
#include "app/console/standard_stream.h"
#include "engine/compare_receiver.h"
#include "engine/run_state.h"

namespace sorowa {

class ConsoleReceiver : public CompareReceiver {
public:
    // The paths are UTF-8. Without `output` (-s) nothing is written, and the first thing
    // the run finds ends it. `progress` draws the progress line.
    ConsoleReceiver(std::string path1, std::string path2, StandardStream* output, RunState& run,
                    ConsoleProgress& progress);

    std::string GetPathText1() override { return m_path1; }
    std::string GetPathText2() override { return m_path2; }
    // The report goes to a stream: the run may join pieces into larger ones.
    bool SendPieces(const char* pieces, size_t length) override;
    void NoteReport(ReportKind kind) override;
    void NoteProgress(const RunProgress& progress) override;
    // How the run ended is what RunComparison returns.
    void NotifyDone(RunEnd) override {}

    ExitStatus Status() const { return m_status.Status(); }
    // What the run has counted, as it last told.
    const RunCounts& Counts() const { return m_counts; }
    // The run was stopped because -s had its answer, or because the output failed.
    bool StoppedItself() const { return m_stoppedItself; }

private:
    void StopItself();

    std::string m_path1;
    std::string m_path2;
    StandardStream* m_output;
    RunState& m_run;
    ConsoleProgress& m_progress;
    ReportStatus m_status;
    RunCounts m_counts;
    bool m_stoppedItself = false;
};

}  // namespace sorowa
