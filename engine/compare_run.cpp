#include "engine/compare_run.h"

#include "engine/compare_pair.h"
#include "engine/name_filter.h"
#include "engine/path_text.h"
#include "engine/report_hand_over.h"
#include "engine/run_tally.h"
#include "engine/walk_folder.h"

namespace sorowa {

RunEnd RunComparison(CompareReceiver& receiver, FileServices& files, ReportNames& names,
                     RunState& state) {
    const std::string first = receiver.GetPathText1();
    const std::string second = receiver.GetPathText2();
    const RunOptions& options = state.Options();
    const NameFilter filter(options.exclusions);
    StopCheck stop(state);
    RunTally tally(receiver);
    {
        ReportHandOver report(receiver);
        PairComparer pairs(files, names, report, stop, tally, state.Start().baseLen,
                           options.ranges);
        if (state.Start().folderMode) {
            std::string firstFolder = first;
            RemoveTrailingSeparators(firstFolder);
            std::string secondFolder = second;
            RemoveTrailingSeparators(secondFolder);
            FolderWalk walk(files, names, report, stop, pairs, tally, filter);
            walk.WalkFirst(firstFolder, state.Start().baseLen, first, secondFolder);
            // What only the second folder holds comes after everything of the first.
            if (options.secondOnly && !stop.Stopped() && pairs.SecondIsFolder(secondFolder)) {
                walk.WalkSecond(secondFolder, second, firstFolder);
            }
        } else if (!filter.Skips(pairs.NameOf(first))) {
            // The patterns apply to the one file's name.
            pairs.Compare(first, second);
        }
        report.HandOver();
    }
    tally.Tell();
    const RunEnd end = stop.Stopped() ? RunEnd::kStopped : RunEnd::kComplete;
    receiver.NotifyDone(end);
    return end;
}

}  // namespace sorowa
