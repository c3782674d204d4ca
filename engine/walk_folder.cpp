#include <cstddef>
#include <functional>
#include <unordered_set>
#include <vector>

#include "engine/compare_run.h"
#include "engine/path_text.h"
#include "engine/report_lines.h"
#include "engine/texts.h"

namespace sorowa {
namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

struct FolderIdHash {
    size_t operator()(const FolderId& id) const noexcept {
        return std::hash<uint64_t>{}(id.index ^ (id.volume * 0x9E3779B97F4A7C15ull));
    }
};

}  // namespace

// The walk keeps its own stack, so that no depth of folders can exhaust the call stack, and
// visits entries as a recursive walk would: in listing order, each subfolder walked whole
// where its entry is met. Nothing costs more per level the deeper it is: one path buffer
// grows and shrinks with the walk, and the identities of the folders on the walk's path
// are kept in a hash set.
class CompareRun::FolderWalk {
public:
    FolderWalk(CompareRun& run, const std::string& firstFolder, const std::string& second)
        : m_run(run), m_second(second), m_path(firstFolder + "\\") {}

    void Run(const FolderId* firstId) {
        Enter(firstId);
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
                    // What was compared in the folder stays; the folder is reported as one
                    // that cannot be listed.
                    m_path.resize(level.prefixLength);
                    m_run.SendCannotList(m_path, m_levels.size() == 1);
                    Leave();
                    break;
                case ListStep::kEnd:
                    Leave();
                    break;
            }
        }
    }

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

    // Lists the folder whose prefix the path buffer holds; the listing goes on the stack
    // unless the folder is empty or cannot be listed.
    void Enter(const FolderId* id) {
        const size_t prefixLength = m_path.size();
        Level level;
        ListError error = ListError::kNone;
        m_path += "*.*";
        level.listing = m_run.m_files.ListFirst(m_path, level.entry, error);
        m_path.resize(prefixLength);
        if (!level.listing) {
            // An empty folder has nothing to say; one that cannot be listed says so.
            if (error != ListError::kEmpty) m_run.SendCannotList(m_path, m_levels.empty());
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

    void Leave() {
        if (m_levels.back().identified) m_onPath.erase(m_levels.back().id);
        m_levels.pop_back();
    }

    // Compares a file, or enters a subfolder. False when a stop ends the walk.
    bool Handle(const FolderEntry& entry) {
        m_path.resize(m_levels.back().prefixLength);
        m_path += entry.name;
        if (!IsFolder(entry.attributes)) {
            if (m_run.StopRequestedNow()) return false;
            m_run.ComparePair(m_path, m_second);
            return !m_run.m_stopped;
        }
        if (IsDotEntry(entry.name)) return true;
        // A link back to a folder being walked would lead round for ever; its files are
        // compared through that folder.
        FolderId id;
        const bool known = m_run.m_files.IdentifyFolder(m_path, id);
        if (known && m_onPath.count(id) != 0) return true;
        if (m_run.StopRequestedNow()) return false;
        m_path += '\\';
        Enter(known ? &id : nullptr);
        return true;
    }

    CompareRun& m_run;
    const std::string& m_second;
    // The prefix of the folder being listed, and the name of the entry in hand.
    std::string m_path;
    std::vector<Level> m_levels;
    std::unordered_set<FolderId, FolderIdHash> m_onPath;
};

// The block of a folder that could not be listed, named by its path relative to the first
// folder and a `\`, or by the first path itself.
void CompareRun::SendCannotList(const std::string& prefix, bool firstFolder) {
    const size_t base = static_cast<size_t>(m_state.Start().baseLen) + 1;
    const std::string name =
        firstFolder ? m_firstPath : (base < prefix.size() ? prefix.substr(base) : prefix);
    const std::string piece = HeaderLine(m_firstBlock, name) + text::kCannotList;
    m_firstBlock = false;
    Send(piece.c_str(), piece.size());
    HandOver();
}

void CompareRun::WalkFolder(const std::string& firstFolder, const std::string& second) {
    FolderWalk walk(*this, firstFolder, second);
    FolderId id;
    const bool known = m_files.IdentifyFolder(FolderQueryPath(firstFolder), id);
    walk.Run(known ? &id : nullptr);
}

}  // namespace sorowa
