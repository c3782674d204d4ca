// The file services the comparison engine uses, and nothing more. The Windows build
// implements them with the real Win32 calls; the tests use an in-memory fake.
//
// Paths and names are UTF-8 text (engine/path_encoding.h): every name the system lists
// travels exactly, whatever the code page of the report could hold of it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace sorowa {

// Attribute bits as the platform reports them.
constexpr uint32_t kNoSuchPath = 0xFFFFFFFFu;  // the attribute query failed
constexpr uint32_t kFolderBit = 0x10u;

inline bool Exists(uint32_t attributes) { return attributes != kNoSuchPath; }
inline bool IsFolder(uint32_t attributes) {
    return Exists(attributes) && (attributes & kFolderBit) != 0;
}

// A file open for reading with no sharing. Closed when the object goes.
class OpenFile {
public:
    virtual ~OpenFile() = default;
    // False when the length cannot be taken.
    virtual bool Length(uint64_t& length) = 0;
    // Reads up to `wanted` bytes at the current position; false when the read fails.
    virtual bool Read(void* buffer, uint32_t wanted, uint32_t& got) = 0;
};

// Which folder a path names, whatever the path: the same folder reached through a link
// has the same identity.
struct FolderId {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const FolderId& other) const {
        return volume == other.volume && index == other.index;
    }
};

// Why a listing did not open.
enum class ListError {
    kNone,
    kEmpty,   // the folder holds no entries at all
    kFailed,  // the folder could not be listed (missing, access denied, path too long, ...)
};

// One entry of a folder listing.
struct FolderEntry {
    uint32_t attributes = 0;
    std::string name;
};

// What moving to the next entry of a listing found.
enum class ListStep {
    kEntry,   // the next entry
    kEnd,     // no more entries
    kFailed,  // the listing broke off (a device or network error, a folder gone meanwhile, ...)
};

// An open listing, positioned on an entry. Closed when the object goes.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // Moves to the next entry, which `entry` receives when there is one.
    virtual ListStep Next(FolderEntry& entry) = 0;
};

class FileServices {
public:
    virtual ~FileServices() = default;
    // The attribute bits of a path, or kNoSuchPath.
    virtual uint32_t Attributes(const std::string& path) = 0;
    // Opens an existing file for reading and allows no other open of it meanwhile;
    // null when that fails.
    virtual std::unique_ptr<OpenFile> OpenForReading(const std::string& path) = 0;
    // Opens the listing of a search pattern ("folder\*.*") on its first entry; null, with
    // the reason in `error`, when the listing finds nothing or fails.
    virtual std::unique_ptr<FolderListing> ListFirst(const std::string& pattern, FolderEntry& first,
                                                     ListError& error) = 0;
    // The identity of a folder; false when it cannot be told.
    virtual bool IdentifyFolder(const std::string& folder, FolderId& id) = 0;
    // A name or path as the report shows it: in the report's code page (932), each character
    // the code page lacks as one `?`.
    virtual std::string ShownName(const std::string& name) = 0;
};

}  // namespace sorowa
