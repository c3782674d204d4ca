// The folder walk of a run in folder mode.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/compare_pair.h"
#include "engine/file_services.h"
#include "engine/report_hand_over.h"
#include "engine/report_names.h"
#include "engine/run_state.h"

namespace sorowa {

struct FolderIdHash {
    size_t operator()(const FolderId& id) const noexcept;
};

// Lists the first folder depth first and compares every file with its counterpart. The walk
// keeps its own stack, so that no depth of folders can exhaust the call stack, and visits
// entries as a recursive walk would: in listing order, each subfolder walked whole where its
// entry is met. Nothing costs more per level the deeper it is: one path buffer grows and
// shrinks with the walk, and the identities of the folders on the walk's path are kept in a
// hash set.
class FolderWalk {
public:
    // `baseLen` is the run's base length; `firstPath` the first path as the user gave it,
    // which names a first folder that cannot be listed.
    FolderWalk(FileServices& files, ReportNames& names, ReportHandOver& report, StopCheck& stop,
               PairComparer& pairs, int32_t baseLen, std::string firstPath);
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // Walks `firstFolder` (a path without trailing `\`), comparing each file with its
    // counterpart under `second`. A folder that cannot be listed gets a block of its own; a
    // folder that is one of those being walked (a link back up the tree) is not entered.
    // Ends early when a stop is requested.
    void Run(const std::string& firstFolder, const std::string& second);

private:
    // A folder on the walk's path: its listing, the entry the listing is on, and where the
    // folder's prefix (its path and a `\`) ends in the path buffer.
    struct Level {
        std::unique_ptr<FolderListing> listing;
        FolderEntry entry;
        bool entryPending = true;
        size_t prefixLength = 0;
        bool identified = false;
        FolderId id;
    };

    void Enter(const FolderId* id);
    void Leave();
    // Compares a file, or enters a subfolder. False when a stop ends the walk.
    bool Handle(const FolderEntry& entry);
    // The block of a folder that could not be listed, named by its path relative to the first
    // folder and a `\`, or by the first path itself.
    void SendCannotList(const std::string& prefix, bool firstFolder);

    FileServices& m_files;
    ReportNames& m_names;
    ReportHandOver& m_report;
    StopCheck& m_stop;
    PairComparer& m_pairs;
    const int32_t m_baseLen;
    const std::string m_firstPath;
    std::string m_second;
    // The prefix of the folder being listed, and the name of the entry in hand.
    std::string m_path;
    std::vector<Level> m_levels;
    std::unordered_set<FolderId, FolderIdHash> m_onPath;
};

}  // namespace sorowa
