#include <algorithm>
#include <optional>

#include "engine/compare_run.h"
#include "engine/report_lines.h"
#include "engine/texts.h"

namespace sorowa {
namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

// A folder on the walk's path from the moment it is entered until it is left, on every
// way out. Its identity is pushed only when it could be told.
class CompareRun::WalkPathEntry {
public:
    WalkPathEntry(CompareRun& run, const FolderId* id) : m_run(run), m_pushed(id != nullptr) {
        if (m_pushed) m_run.m_walkPath.push_back(*id);
        ++m_run.m_depth;
    }
    ~WalkPathEntry() {
        if (m_pushed) m_run.m_walkPath.pop_back();
        --m_run.m_depth;
    }
    WalkPathEntry(const WalkPathEntry&) = delete;
    WalkPathEntry& operator=(const WalkPathEntry&) = delete;

private:
    CompareRun& m_run;
    bool m_pushed;
};

// The block of a folder that could not be listed, named by its path relative to the first
// folder and a `\`, or by the first path itself.
void CompareRun::SendCannotList(const std::string& prefix) {
    const size_t base = static_cast<size_t>(m_state.Start().baseLen) + 1;
    const std::string name =
        m_depth == 1 ? m_firstPath : (base < prefix.size() ? prefix.substr(base) : prefix);
    const std::string piece = HeaderLine(m_firstBlock, name) + text::kCannotList;
    m_firstBlock = false;
    Send(piece.c_str(), piece.size());
    FlushGathered();
}

int32_t CompareRun::WalkFolder(const std::string& pattern, const std::string& second) {
    // The pattern without its "*.*": the folder followed by one `\`.
    const std::string prefix = pattern.substr(0, pattern.size() - 3);

    // The caller puts each subfolder on the walk's path; the first folder puts itself there.
    std::optional<WalkPathEntry> first;
    if (m_depth == 0) {
        FolderId id;
        const bool known = m_files.IdentifyFolder(prefix.substr(0, prefix.size() - 1), id);
        first.emplace(*this, known ? &id : nullptr);
    }

    FolderEntry entry;
    ListError error = ListError::kNone;
    std::unique_ptr<FolderListing> listing = m_files.ListFirst(pattern, entry, error);
    if (!listing) {
        // An empty folder has nothing to say; one that cannot be listed says so.
        if (error != ListError::kEmpty) SendCannotList(prefix);
        m_stopped = m_state.StopRequested();
        return m_stopped ? 1 : 0;
    }
    if (m_state.StopRequested()) {
        m_stopped = true;
        return 1;
    }

    do {
        if (IsFolder(entry.attributes)) {
            // A link back to a folder being walked would lead round for ever; its files
            // are compared through that folder.
            const std::string subfolder = prefix + entry.name;
            FolderId id;
            const bool known = !IsDotEntry(entry.name) && m_files.IdentifyFolder(subfolder, id);
            const bool onPath =
                known && std::find(m_walkPath.begin(), m_walkPath.end(), id) != m_walkPath.end();
            if (!IsDotEntry(entry.name) && !onPath) {
                WalkPathEntry sub(*this, known ? &id : nullptr);
                if (WalkFolder(subfolder + "\\*.*", second) != 0) return 1;
            }
        } else {
            ComparePair(prefix + entry.name, second);
        }
        // A pair that a stop ended leaves the rest of the walk too.
        if (m_stopped) return 1;
        if (!listing->Next(entry)) return 0;
    } while (!m_state.StopRequested());
    m_stopped = true;
    return 1;
}

}  // namespace sorowa
