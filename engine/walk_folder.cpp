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
                       StopCheck& stop, PairComparer& pairs, int32_t baseLen, std::string firstPath)
    : m_files(files),
      m_names(names),
      m_report(report),
      m_stop(stop),
      m_pairs(pairs),
      m_baseLen(baseLen),
      m_firstPath(std::move(firstPath)) {}

void FolderWalk::Run(const std::string& firstFolder, const std::string& second) {
    m_second = second;
    m_path = firstFolder + "\\";
    FolderId firstId;
    const bool known = m_files.IdentifyFolder(FolderQueryPath(firstFolder), firstId);
    Enter(known ? &firstId : nullptr);
    while (!m_levels.empty()) {
        Level& level = m_levels.back();
        if (level.entryPending) {
            level.entryPending = false;
            // May enter a subfolder, which moves `level`.
            if (!Handle(level.entry)) return;
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
    m_path.resize(m_levels.back().prefixLength);
    m_path += entry.name;
    if (entry.kind != EntryKind::kFolder) {
        if (m_stop.Now()) return false;
        m_pairs.Compare(m_path, m_second);
        return !m_stop.Stopped();
    }
    if (IsDotEntry(entry.name)) return true;
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

void FolderWalk::SendCannotList(const std::string& prefix, bool firstFolder) {
    const size_t base = static_cast<size_t>(m_baseLen) + 1;
    const std::string name =
        firstFolder ? m_firstPath : (base < prefix.size() ? prefix.substr(base) : prefix);
    BlockWriter(m_report, m_names, name).SendReason(ReportKind::kCannotList, text::kCannotList);
}

}  // namespace sorowa
