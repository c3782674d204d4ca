#include "engine/compare_run.h"

#include "engine/compare_pair.h"
#include "engine/path_text.h"
#include "engine/report_hand_over.h"
#include "engine/walk_folder.h"

namespace sorowa {

RunEnd RunComparison(CompareReceiver& receiver, FileServices& files, ReportNames& names,
                     RunState& state) {
    const std::string first = receiver.GetPathText1();
    const std::string second = receiver.GetPathText2();
    StopCheck stop(state);
    {
        ReportHandOver report(receiver);
        PairComparer pairs(files, names, report, stop, state.Start().baseLen);
        if (state.Start().folderMode) {
            std::string firstFolder = first;
            RemoveTrailingSeparators(firstFolder);
            std::string secondFolder = second;
            RemoveTrailingSeparators(secondFolder);
            FolderWalk walk(files, names, report, stop, pairs, state.Start().baseLen, first);
            walk.Run(firstFolder, secondFolder);
        } else {
            pairs.Compare(first, second);
        }
        report.HandOver();
    }
    const RunEnd end = stop.Stopped() ? RunEnd::kStopped : RunEnd::kComplete;
    receiver.NotifyDone(end);
    return end;
}

}  // namespace sorowa
