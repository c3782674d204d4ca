// The console program's side of a run: the two paths from the command line, the report on
// standard output (or nowhere, with -s), the status it earns and how the run ended.
#pragma once

#include <string>

#include "app/report_status.h"
#include "app/standard_stream.h"
#include "engine/compare_receiver.h"
#include "engine/run_state.h"

namespace sorowa {

class ConsoleReceiver : public CompareReceiver {
public:
    // Without `output` (-s) nothing is written, and the first report text ends the run.
    ConsoleReceiver(std::string path1, std::string path2, StandardStream* output, RunState& run);

    std::string GetPathText1() override { return m_path1; }
    std::string GetPathText2() override { return m_path2; }
    // The report goes to a stream: the run may join pieces into larger ones.
    bool SendPieces(const char* pieces, size_t length) override;
    void NotifyDone(RunEnd end) override { m_end = end; }

    ExitStatus Status() const { return m_status.Status(); }
    RunEnd End() const { return m_end; }
    // The run was stopped because -s had its answer, or because the output failed.
    bool StoppedItself() const { return m_stoppedItself; }

private:
    std::string m_path1;
    std::string m_path2;
    StandardStream* m_output;
    RunState& m_run;
    ReportStatus m_status;
    RunEnd m_end = RunEnd::kComplete;
    bool m_stoppedItself = false;
};

}  // namespace sorowa
