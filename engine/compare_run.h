// A comparison run: the one entry that the window's worker, the console program and the
// tests call.
#pragma once

#include "engine/compare_receiver.h"
#include "engine/file_services.h"
#include "engine/report_names.h"
#include "engine/run_state.h"

namespace sorowa {

// Reads the two paths from `receiver`, compares in the mode that `state` was started in
// (the first folder walked, or the one pair), hands every piece over, notifies the end and
// returns how the run ended. `names` shows the report's names.
RunEnd RunComparison(CompareReceiver& receiver, FileServices& files, ReportNames& names,
                     RunState& state);

}  // namespace sorowa
