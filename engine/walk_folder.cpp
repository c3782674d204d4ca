#include "engine/walk_folder.h"

#include <cstddef>
#include <functional>

#include "engine/path_text.h"
#include "engine/report_block.h"
#include "engine/texts.h"

namespace sorowa {
namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// Whether the first `length` bytes of `path`, a folder and its `\`, are a root ("\", "X:\"),
// whose `\` belongs to the folder's name as the file services take it (FolderQueryPath).
bool IsRootPrefix(const std::string& path, size_t length) {
    return length == 1 || (length == 3 && path[1] == ':');
}

}  // namespace

size_t FolderIdHash::operator()(const FolderId& id) const noexcept {
    return std::hash<uint64_t>{}(id.index ^ (id.volume * 0x9E3779B97F4A7C15ull));
}

FolderWalk::FolderWalk(FileServices& files, ReportNames& names, ReportHandOver& report,
                       StopCheck& stop, PairComparer& pairs, RunTally& tally,
                       const NameFilter& filter)
    : m_files(files),
      m_names(names),
      m_report(report),
      m_stop(stop),
      m_pairs(pairs),
      m_tally(tally),
      m_filter(filter) {}

void FolderWalk::WalkFirst(const std::string& firstFolder, int32_t baseLen,
                           const std::string& firstPath, const std::string& second) {
    m_secondSide = false;
    m_other = second;
    Walk(firstFolder, static_cast<size_t>(baseLen) + 1, firstPath);
}

void FolderWalk::WalkSecond(const std::string& secondFolder, const std::string& secondPath,
                            const std::string& firstFolder) {
    m_secondSide = true;
    m_other = firstFolder;
    Walk(secondFolder, secondFolder.size() + 1, secondPath);
}

void FolderWalk::Walk(const std::string& folder, size_t relativeFrom, const std::string& topName) {
    m_relativeFrom = relativeFrom;
    m_topName = topName;
    m_path = folder + "\\";
    FolderId topId;
    const bool known = m_files.IdentifyFolder(FolderQueryPath(folder), topId);
    Enter(known ? &topId : nullptr);
    while (!m_levels.empty()) {
        Level& level = m_levels.back();
        if (level.entryPending) {
            level.entryPending = false;
            // May enter a subfolder, which moves `level`.
            if (!Handle(level.entry)) {
                m_levels.clear();
                m_onPath.clear();
                return;
            }
            continue;
        }
        switch (level.listing->Next(level.entry)) {
            case ListStep::kEntry:
                level.entryPending = true;
                break;
            case ListStep::kFailed:
                // What was compared in the folder stays; the folder is reported as one that
                // cannot be listed.
                m_path.resize(level.prefixLength);
                SendCannotList(m_path, m_levels.size() == 1);
                Leave();
                break;
            case ListStep::kEnd:
                Leave();
                break;
        }
    }
}

// Lists the folder whose prefix the path buffer holds; the listing goes on the stack unless
// the folder is empty or cannot be listed.
void FolderWalk::Enter(const FolderId* id) {
    const size_t prefixLength = m_path.size();
    Level level;
    ListError error = ListError::kNone;
    // The folder's path is the prefix without its `\`, in place: the prefix may be long.
    const bool root = IsRootPrefix(m_path, prefixLength);
    if (!root) m_path.pop_back();
    level.listing = m_files.ListFolder(m_path, level.entry, error);
    if (!root) m_path += '\\';
    if (!level.listing) {
        // An empty folder has nothing to say; one that cannot be listed says so.
        if (error != ListError::kEmpty) SendCannotList(m_path, m_levels.empty());
        return;
    }
    level.prefixLength = prefixLength;
    if (id != nullptr) {
        level.identified = true;
        level.id = *id;
        m_onPath.insert(*id);
    }
    m_levels.push_back(std::move(level));
}

void FolderWalk::Leave() {
    if (m_levels.back().identified) m_onPath.erase(m_levels.back().id);
    m_levels.pop_back();
}

bool FolderWalk::Handle(const FolderEntry& entry) {
    const bool folder = entry.kind == EntryKind::kFolder;
    if (folder && IsDotEntry(entry.name)) return true;
    m_path.resize(m_levels.back().prefixLength);
    m_path += entry.name;
    if (m_filter.Skips(m_path, m_relativeFrom)) return true;
    if (m_secondSide) return HandleSecond(entry);
    if (!folder) {
        if (m_stop.Now()) return false;
        m_pairs.Compare(m_path, m_other);
        return !m_stop.Stopped();
    }
    return EnterSubfolder();
}

bool FolderWalk::HandleSecond(const FolderEntry& entry) {
    const std::string relative = m_path.substr(m_relativeFrom);
    const EntryKind there = m_files.KindOf(m_other + "\\" + relative);
    if (entry.kind == there) {
        return entry.kind == EntryKind::kFolder ? EnterSubfolder() : true;
    }
    if (m_stop.Now()) return false;
    // A folder is named with its `\`, as a folder that cannot be listed is.
    const std::string name = entry.kind == EntryKind::kFolder ? relative + "\\" : relative;
    BlockWriter(m_report, m_names, name)
        .SendReason(ReportKind::kOnlyUnderSecond, text::kOnlyUnderSecond);
    m_tally.Counted(ReportKind::kOnlyUnderSecond);
    return true;
}

bool FolderWalk::EnterSubfolder() {
    // A link back to a folder being walked would lead round for ever; its files are
    // compared through that folder.
    FolderId id;
    const bool known = m_files.IdentifyFolder(m_path, id);
    if (known && m_onPath.count(id) != 0) return true;
    if (m_stop.Now()) return false;
    m_path += '\\';
    Enter(known ? &id : nullptr);
    return true;
}

void FolderWalk::SendCannotList(const std::string& prefix, bool topFolder) {
    const std::string name =
        topFolder ? m_topName
                  : (m_relativeFrom < prefix.size() ? prefix.substr(m_relativeFrom) : prefix);
    BlockWriter(m_report, m_names, name).SendReason(ReportKind::kCannotList, text::kCannotList);
    m_tally.Counted(ReportKind::kCannotList);
}

}  // namespace sorowa
