// The console twin of the window: `sorowa PATH1 PATH2` runs the comparison that Start runs
// and writes the report to standard output; the exit status says what it found. Its options
// add what scripts ask for (see console_arguments.h).
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/console/console_arguments.h"
#include "app/console/console_interrupt.h"
#include "app/console/console_progress.h"
#include "app/console/console_receiver.h"
#include "app/console/console_texts.h"
#include "app/console/report_status.h"
#include "app/console/run_summary.h"
#include "app/console/standard_stream.h"
#include "engine/compare_run.h"
#include "engine/run_state.h"
#include "platform/narrow_text.h"
#include "platform/win32_file_services.h"
#include "platform/win32_report_names.h"

namespace sorowa {
namespace {

void WriteMessage(StandardStream& errors, const char* message) {
    errors.Write(message);
    errors.Write("\r\n");
    errors.Finish();
}

ExitStatus ShowHelp(StandardStream& output, StandardStream& errors) {
    if (output.Write(console_text::kUsageLine) && output.Write(console_text::kUsageDetails) &&
        output.Finish()) {
        return kNothingReported;
    }
    WriteMessage(errors, console_text::kCannotWriteOutput);
    return kTrouble;
}

ExitStatus Compare(const ConsoleArguments& arguments, StandardStream& output,
                   StandardStream& errors) {
    const auto started = std::chrono::steady_clock::now();
    Win32FileServices files;
    Win32ReportNames names;
    RunOptions options;
    options.exclusions = arguments.exclusions;
    options.secondOnly = arguments.all;
    options.ranges = arguments.ranges;
    RunState state(DecideRunStart(arguments.path1, files), std::move(options));
    ConsoleInterrupt interrupt(state);
    ConsoleProgress progress(errors);
    ConsoleReceiver receiver(arguments.path1, arguments.path2, arguments.quiet ? nullptr : &output,
                             state, progress);
    const RunEnd end = RunComparison(receiver, files, names, state);
    progress.Clear();

    ExitStatus status = receiver.Status();
    if (!arguments.quiet && !output.Finish()) {
        WriteMessage(errors, console_text::kCannotWriteOutput);
        status = kTrouble;
    } else if (end == RunEnd::kStopped && !receiver.StoppedItself()) {
        // A stop that -s made has its answer; one from the keyboard left the report short.
        WriteMessage(errors, console_text::kStopped);
        status = kTrouble;
    }
    if (arguments.summary) {
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        errors.Write(SummaryLine(receiver.Counts(), arguments.all, seconds.count()).c_str());
        errors.Finish();
    }
    return status;
}

}  // namespace
}  // namespace sorowa

// The wide entry: the command line as the system holds it, so that every path arrives whole
// whatever the console's code page could show of it.
int wmain(int argc, wchar_t** argv) {
    using namespace sorowa;
    StandardStream output(stdout);
    StandardStream errors(stderr);
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) words.push_back(Utf8FromWide(argv[i]));
    const ConsoleArguments arguments = ParseConsoleArguments(words);
    switch (arguments.action) {
        case ConsoleArguments::Action::kCompare:
            return Compare(arguments, output, errors);
        case ConsoleArguments::Action::kHelp:
            return ShowHelp(output, errors);
        case ConsoleArguments::Action::kWrong:
            break;
    }
    WriteMessage(errors, console_text::kWrongArguments);
    errors.Write(console_text::kUsageLine);
    errors.Finish();
    return kTrouble;
}
