// The file services the comparison engine uses, and nothing more, in the engine's own terms:
// what a path names, opening a file, listing a folder and telling folders apart. The Windows
// build implements them with the real Win32 calls; the tests use an in-memory fake.
//
// Paths and names are UTF-8 text (engine/path_encoding.h): every name the system lists
// travels exactly, whatever the code page of the report could hold of it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace sorowa {

// What a path names, or what a listed entry is.
enum class EntryKind {
    kNothing,  // nothing, or nothing the system would say (a path only: an entry is listed)
    kFile,     // anything that is not a folder: every kind of file is compared as a file
    kFolder,
};

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
    EntryKind kind = EntryKind::kFile;
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
    // What `path` names.
    virtual EntryKind KindOf(const std::string& path) = 0;
    // Opens an existing file for reading and allows no other open of it meanwhile;
    // null when that fails.
    virtual std::unique_ptr<OpenFile> OpenForReading(const std::string& path) = 0;
    // Opens the listing of the folder `folder` on its first entry; null, with the reason in
    // `error`, when the folder holds nothing or cannot be listed. A folder is named as for
    // IdentifyFolder: a drive's root with its `\` ("X:\", "\").
    virtual std::unique_ptr<FolderListing> ListFolder(const std::string& folder, FolderEntry& first,
                                                      ListError& error) = 0;
    // The identity of a folder; false when it cannot be told.
    virtual bool IdentifyFolder(const std::string& folder, FolderId& id) = 0;
};

}  // namespace sorowa
