#include "engine/compare_run.h"

namespace sorowa {
namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

int32_t CompareRun::WalkFolder(const std::string& pattern, const std::string& second) {
    FolderEntry entry;
    std::unique_ptr<FolderListing> listing = m_files.ListFirst(pattern, entry);
    // A folder that cannot be listed passes a stop on upwards and is otherwise skipped.
    if (!listing) return m_receiver.m_bStop.load();
    if (m_receiver.m_bStop != 0) return 1;

    // The pattern without its "*.*": the folder followed by one `\`.
    const std::string prefix = pattern.substr(0, pattern.size() - 3);
    do {
        if (IsFolder(entry.attributes)) {
            if (!IsDotEntry(entry.name) && WalkFolder(prefix + entry.name + "\\*.*", second) != 0) {
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
