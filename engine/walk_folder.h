// The folder walks of a run in folder mode: the first folder's, whose files are compared, and,
// when asked for, the second folder's, for what exists only there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/compare_pair.h"
#include "engine/file_services.h"
#include "engine/name_filter.h"
#include "engine/report_hand_over.h"
#include "engine/report_names.h"
#include "engine/run_state.h"
#include "engine/run_tally.h"

namespace sorowa {

struct FolderIdHash {
    size_t operator()(const FolderId& id) const noexcept;
};

// Lists a folder depth first. The walk keeps its own stack, so that no depth of folders can
// exhaust the call stack, and visits entries as a recursive walk would: in listing order,
// each subfolder walked whole where its entry is met. Nothing costs more per level the deeper
// it is: one path buffer grows and shrinks with the walk, and the identities of the folders
// on the walk's path are kept in a hash set. Entries that the filter skips are neither
// compared nor entered nor mentioned.
class FolderWalk {
public:
    FolderWalk(FileServices& files, ReportNames& names, ReportHandOver& report, StopCheck& stop,
               PairComparer& pairs, RunTally& tally, const NameFilter& filter);
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // Walks `firstFolder` (a path without trailing `\`), comparing each file with its
    // counterpart under `second`. `baseLen` is the run's base length; `firstPath` the first
    // path as the user gave it, which names a first folder that cannot be listed. A folder
    // that cannot be listed gets a block of its own; a folder that is one of those being
    // walked (a link back up the tree) is not entered. Ends early when a stop is requested.
    void WalkFirst(const std::string& firstFolder, int32_t baseLen, const std::string& firstPath,
                   const std::string& second);
    // Walks `secondFolder` (the second path `secondPath` without trailing `\`) for what
    // `firstFolder` lacks: a file where the first folder has no file of the same path, and
    // a folder where it has no folder, each get a block, the folder's name ending in `\`,
    // and nothing under such a folder is looked at. Folders that cannot be listed and links
    // back up the tree are as in the first walk.
    void WalkSecond(const std::string& secondFolder, const std::string& secondPath,
                    const std::string& firstFolder);

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

    // Walks the folder `folder` with the path buffer's relative names beginning at
    // `relativeFrom`; `topName` names the folder itself when it cannot be listed.
    void Walk(const std::string& folder, size_t relativeFrom, const std::string& topName);
    void Enter(const FolderId* id);
    void Leave();
    // Compares a file, or enters a subfolder; on the second side, tells what only it holds.
    // False when a stop ends the walk.
    bool Handle(const FolderEntry& entry);
    bool HandleSecond(const FolderEntry& entry);
    // Enters the subfolder the path buffer names, unless it is a link back up the tree.
    // False when a stop ends the walk.
    bool EnterSubfolder();
    // The block of a folder that could not be listed, named by its path relative to the
    // walk's folder and a `\`, or by the top name.
    void SendCannotList(const std::string& prefix, bool topFolder);

    FileServices& m_files;
    ReportNames& m_names;
    ReportHandOver& m_report;
    StopCheck& m_stop;
    PairComparer& m_pairs;
    RunTally& m_tally;
    const NameFilter& m_filter;
    // Which walk this is, and what it needs: the second path of the first walk, the first
    // folder of the second.
    bool m_secondSide = false;
    std::string m_other;
    size_t m_relativeFrom = 0;
    std::string m_topName;
    // The prefix of the folder being listed, and the name of the entry in hand.
    std::string m_path;
    std::vector<Level> m_levels;
    std::unordered_set<FolderId, FolderIdHash> m_onPath;
};

}  // namespace sorowa
