// In-memory file services with Windows-style paths in UTF-8: entries are listed in the order
// they were added, "." and ".." open every listing but a drive root's, and a file cannot be
// opened twice at once (no sharing), as on the real platform. The current drive is C:, so
// "\x" is "C:\x"; there is no current folder.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/file_services.h"

namespace sorowa::testing {

class FakeFileServices : public FileServices {
public:
    // A file and every folder above it.
    void AddFile(const std::string& path, std::string content);
    // A folder and every folder above it.
    void AddFolder(const std::string& path);
    // A folder entry at `path` that leads to the folder `target`, as a link does.
    void AddFolderLink(const std::string& path, const std::string& target);

    // Failures the real platform can produce.
    void FailOpen(const std::string& path) { m_failOpen.insert(Normal(path)); }
    void FailListing(const std::string& folder) { m_failListing.insert(Normal(folder)); }
    // The listing of `folder` breaks off once it has delivered `entries` of its own entries
    // ("." and ".." come before them and are not counted); its first entry always comes.
    void FailListingAfter(const std::string& folder, size_t entries) {
        m_failListingAfter[Normal(folder)] = entries;
    }
    void FailLength(const std::string& path) { m_failLength.insert(Normal(path)); }
    // Reads of `path` fail from byte `offset` on; `shortRead` makes them deliver fewer
    // bytes instead.
    void FailReadAt(const std::string& path, uint64_t offset, bool shortRead = false);
    // Pretends `path` is `length` bytes long, all zero but for its stored content at the
    // start (for lengths of 4 GiB and more).
    void SetLength(const std::string& path, uint64_t length);

    int OpenFiles() const { return m_openFiles; }
    int OpenListings() const { return m_openListings; }
    int MaxOpenListings() const { return m_maxOpenListings; }
    const std::vector<std::string>& Opened() const { return m_opened; }
    // Every path whose kind was asked, in order.
    const std::vector<std::string>& Asked() const { return m_asked; }
    // Every folder whose listing was asked for, in order.
    const std::vector<std::string>& Listed() const { return m_listed; }

    EntryKind KindOf(const std::string& path) override;
    std::unique_ptr<OpenFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<FolderListing> ListFolder(const std::string& folder, FolderEntry& first,
                                              ListError& error) override;
    bool IdentifyFolder(const std::string& folder, FolderId& id) override;

    // Folds repeated `\`, drops trailing ones: "D:\" and "D:" name the same root. A path
    // rooted on the current drive ("\x") gets its drive.
    static std::string Normal(const std::string& path);

private:
    friend class FakeOpenFile;
    friend class FakeListing;

    struct Node {
        bool folder = false;
        std::string content;
        uint64_t length = 0;
        std::vector<std::string> children;  // names, in the order added
        bool open = false;
        uint64_t failReadAt = UINT64_MAX;
        bool shortRead = false;
        std::string linkTo;  // a folder link: the normal path of its target
        uint64_t index = 0;
    };
    Node& Make(const std::string& normal, bool folder);
    // The normal path with every link on the way replaced by its target.
    std::string Resolve(const std::string& path) const;

    std::map<std::string, Node> m_nodes;
    std::set<std::string> m_failOpen, m_failListing, m_failLength;
    std::map<std::string, size_t> m_failListingAfter;
    std::vector<std::string> m_opened;
    std::vector<std::string> m_asked;
    std::vector<std::string> m_listed;
    int m_openFiles = 0;
    int m_openListings = 0;
    int m_maxOpenListings = 0;
    uint64_t m_nextIndex = 1;
};

}  // namespace sorowa::testing
