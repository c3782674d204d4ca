#include "tests/engine/fake_file_services.h"

#include <algorithm>
#include <cstring>

namespace sorowa::testing {

std::string FakeFileServices::Normal(const std::string& path) {
    std::string out;
    if (!path.empty() && path[0] == '\\' && (path.size() == 1 || path[1] != '\\')) out = "C:";
    for (const char c : path) {
        if (c == '\\' && !out.empty() && out.back() == '\\') continue;
        out += c;
    }
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

FakeFileServices::Node& FakeFileServices::Make(const std::string& normal, bool folder) {
    const size_t last = normal.rfind('\\');
    const int sep = last == std::string::npos ? -1 : static_cast<int>(last);
    if (sep >= 0) {
        const std::string parent = normal.substr(0, static_cast<size_t>(sep));
        Node& up = Make(parent, true);
        const std::string name = normal.substr(static_cast<size_t>(sep) + 1);
        if (std::find(up.children.begin(), up.children.end(), name) == up.children.end()) {
            up.children.push_back(name);
        }
    }
    Node& node = m_nodes[normal];
    if (node.index == 0) node.index = m_nextIndex++;
    node.folder = folder;
    return node;
}

void FakeFileServices::AddFile(const std::string& path, std::string content) {
    Node& node = Make(Normal(path), false);
    node.length = content.size();
    node.content = std::move(content);
}

void FakeFileServices::AddFolder(const std::string& path) { Make(Normal(path), true); }

void FakeFileServices::AddFolderLink(const std::string& path, const std::string& target) {
    Make(Normal(path), true).linkTo = Normal(target);
}

std::string FakeFileServices::Resolve(const std::string& path) const {
    const std::string normal = Normal(path);
    std::string resolved;
    for (size_t i = 0; i <= normal.size(); ++i) {
        if (i < normal.size() && normal[i] != '\\') {
            resolved += normal[i];
            continue;
        }
        auto it = m_nodes.find(resolved);
        if (it != m_nodes.end() && !it->second.linkTo.empty()) resolved = it->second.linkTo;
        if (i < normal.size()) resolved += '\\';
    }
    return resolved;
}

void FakeFileServices::FailReadAt(const std::string& path, uint64_t offset, bool shortRead) {
    Node& node = m_nodes.at(Normal(path));
    node.failReadAt = offset;
    node.shortRead = shortRead;
}

void FakeFileServices::SetLength(const std::string& path, uint64_t length) {
    m_nodes.at(Normal(path)).length = length;
}

EntryKind FakeFileServices::KindOf(const std::string& path) {
    m_asked.push_back(path);
    auto it = m_nodes.find(Resolve(path));
    if (it == m_nodes.end()) return EntryKind::kNothing;
    return it->second.folder ? EntryKind::kFolder : EntryKind::kFile;
}

class FakeOpenFile : public OpenFile {
public:
    FakeOpenFile(FakeFileServices& owner, FakeFileServices::Node& node, bool failLength)
        : m_owner(owner), m_node(node), m_failLength(failLength) {
        m_node.open = true;
        ++m_owner.m_openFiles;
    }
    ~FakeOpenFile() override {
        m_node.open = false;
        --m_owner.m_openFiles;
    }
    bool Length(uint64_t& length) override {
        length = m_node.length;
        return !m_failLength;
    }
    bool Read(void* buffer, uint32_t wanted, uint32_t& got) override {
        got = 0;
        uint64_t n = std::min<uint64_t>(wanted, m_node.length - m_position);
        if (m_position + n > m_node.failReadAt) {
            if (!m_node.shortRead) return false;
            n = m_node.failReadAt - m_position;
        }
        // The stored content, then zeros: long files are read a block at a time.
        auto* out = static_cast<unsigned char*>(buffer);
        const uint64_t stored = m_node.content.size();
        const uint64_t copied = m_position < stored ? std::min(n, stored - m_position) : 0;
        if (copied != 0) std::memcpy(out, m_node.content.data() + m_position, copied);
        std::memset(out + copied, 0, n - copied);
        m_position += n;
        got = static_cast<uint32_t>(n);
        return true;
    }

private:
    FakeFileServices& m_owner;
    FakeFileServices::Node& m_node;
    bool m_failLength;
    uint64_t m_position = 0;
};

std::unique_ptr<OpenFile> FakeFileServices::OpenForReading(const std::string& path) {
    const std::string normal = Resolve(path);
    m_opened.push_back(path);
    auto it = m_nodes.find(normal);
    if (it == m_nodes.end() || it->second.folder || it->second.open || m_failOpen.count(normal)) {
        return nullptr;
    }
    return std::make_unique<FakeOpenFile>(*this, it->second, m_failLength.count(normal) != 0);
}

class FakeListing : public FolderListing {
public:
    // The listing breaks off at entry `failAt`, if that is one of its entries.
    FakeListing(FakeFileServices& owner, std::vector<FolderEntry> entries, size_t failAt)
        : m_owner(owner), m_entries(std::move(entries)), m_failAt(failAt) {
        m_owner.m_maxOpenListings = std::max(m_owner.m_maxOpenListings, ++m_owner.m_openListings);
    }
    ~FakeListing() override { --m_owner.m_openListings; }
    ListStep Next(FolderEntry& entry) override {
        if (m_index + 1 >= m_entries.size()) return ListStep::kEnd;
        if (m_index + 1 == m_failAt) return ListStep::kFailed;
        entry = m_entries[++m_index];
        return ListStep::kEntry;
    }

private:
    FakeFileServices& m_owner;
    std::vector<FolderEntry> m_entries;
    size_t m_failAt;
    size_t m_index = 0;
};

bool FakeFileServices::IdentifyFolder(const std::string& folder, FolderId& id) {
    auto it = m_nodes.find(Resolve(folder));
    if (it == m_nodes.end() || !it->second.folder) return false;
    id = {1, it->second.index};
    return true;
}

std::unique_ptr<FolderListing> FakeFileServices::ListFolder(const std::string& listed,
                                                            FolderEntry& first, ListError& error) {
    m_listed.push_back(listed);
    error = ListError::kFailed;
    // "\" is the root of the current drive.
    const std::string folder = Resolve(listed);
    auto it = m_nodes.find(folder);
    if (it == m_nodes.end() || !it->second.folder || m_failListing.count(folder)) return nullptr;

    std::vector<FolderEntry> entries;
    if (folder.find('\\') != std::string::npos) {  // a drive root has no dot entries
        entries.push_back({EntryKind::kFolder, "."});
        entries.push_back({EntryKind::kFolder, ".."});
    }
    size_t failAt = SIZE_MAX;
    auto fails = m_failListingAfter.find(folder);
    if (fails != m_failListingAfter.end())
        failAt = std::max<size_t>(entries.size() + fails->second, 1);
    for (const std::string& name : it->second.children) {
        std::string path = folder;
        path += "\\";
        path += name;
        entries.push_back({m_nodes.at(path).folder ? EntryKind::kFolder : EntryKind::kFile, name});
    }
    if (entries.empty()) {
        error = ListError::kEmpty;
        return nullptr;
    }
    error = ListError::kNone;
    first = entries.front();
    return std::make_unique<FakeListing>(*this, std::move(entries), failAt);
}

}  // namespace sorowa::testing
