#include "engine/compare_run.h"
#include "engine/report_lines.h"
#include "engine/texts.h"

namespace sorowa {
namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

bool CompareRun::IsBeingWalked(const std::string& folder) {
    FolderId id;
    if (!m_files.IdentifyFolder(folder, id)) return false;
    for (const FolderId& walked : m_walkPath) {
        if (walked == id) return true;
    }
    return false;
}

// The block of a folder that could not be listed, named by its path relative to the first
// folder and a `\`, or by the first path itself.
void CompareRun::SendCannotList(const std::string& prefix) {
    const size_t base = static_cast<size_t>(m_receiver.m_nBaseLen) + 1;
    const std::string name =
        m_depth == 1 ? m_firstPath : (base < prefix.size() ? prefix.substr(base) : prefix);
    const std::string piece = HeaderLine(m_receiver.m_bFirstBlock != 0, name) + text::kCannotList;
    m_receiver.m_bFirstBlock = 0;
    Send(piece.c_str(), piece.size());
    FlushGathered();
}

int32_t CompareRun::WalkFolder(const std::string& pattern, const std::string& second) {
    // The pattern without its "*.*": the folder followed by one `\`.
    const std::string prefix = pattern.substr(0, pattern.size() - 3);
    const std::string folder = prefix.substr(0, prefix.size() - 1);

    // This folder belongs to the walk's path until it is left, on every way out.
    struct OnPath {
        CompareRun& run;
        bool identified;
        OnPath(CompareRun& r, const std::string& f) : run(r), identified(false) {
            FolderId id;
            identified = run.m_files.IdentifyFolder(f, id);
            if (identified) run.m_walkPath.push_back(id);
            ++run.m_depth;
        }
        ~OnPath() {
            if (identified) run.m_walkPath.pop_back();
            --run.m_depth;
        }
    } onPath(*this, folder);

    FolderEntry entry;
    ListError error = ListError::kNone;
    std::unique_ptr<FolderListing> listing = m_files.ListFirst(pattern, entry, error);
    if (!listing) {
        // An empty folder has nothing to say; one that cannot be listed says so.
        if (error != ListError::kEmpty) SendCannotList(prefix);
        return m_receiver.m_bStop.load();
    }
    if (m_receiver.m_bStop != 0) return 1;

    do {
        if (IsFolder(entry.attributes)) {
            // A link back to a folder being walked would lead round for ever; its files
            // are compared through that folder.
            const std::string subfolder = prefix + entry.name;
            if (!IsDotEntry(entry.name) && !IsBeingWalked(subfolder) &&
                WalkFolder(subfolder + "\\*.*", second) != 0) {
                return 1;
            }
        } else {
            ComparePair(prefix + entry.name, second);
        }
        if (!listing->Next(entry)) return 0;
    } while (m_receiver.m_bStop == 0);
    return 1;
}

}  // namespace sorowa
